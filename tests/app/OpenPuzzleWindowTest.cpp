#include "tests/support/GameSession.h"

#include "app/Dialogs.h"
#include "app/OpenPuzzleWindow.h"
#include "platform/controls/PushButton.h"
#include "tests/support/SheetInput.h"
#include "tests/support/StatsPage.h"

namespace {

const QString kRefusal = QStringLiteral("Please enter a puzzle number between 1 and 30.");

// What the player may type, and the puzzle it names (0: refused).
const std::pair<const char*, int> kTypedNumbers[] = {
    {"", 0}, {"twelve", 0}, {"0", 0}, {"31", 0}, {"-5", 0}, {"1e9", 0},
    {"99999999999999999999", 0}, {"4294967308", 0}, {"3.7", 0}, {"12abc", 0}, {"+5", 0},
    {"\xd9\xa3", 0}, {"5; DELETE FROM SolvedPuzzles", 0}, {"7' OR '1'='1", 0}, {"\"7\"", 0},
    {"1", 1}, {"30", 30}, {" 12 ", 12}, {"007", 7},
};

} // namespace

class OpenPuzzleSheet : public Shown<GameSession> {
protected:
    // The open sheet, or one opened as the player opens it: by Game > Open
    // Puzzle Number and by its key, in turn.
    OpenPuzzleWindow& Sheet()
    {
        const bool open = OpenCount<OpenPuzzleWindow>() > 0;
        using SheetInput::OpenBy;
        return SheetInput::Open(Window(), !open && ++mSheets % 2 == 0 ? OpenBy::Key : OpenBy::Menu);
    }
    // Types into the field of a fresh sheet and presses Open, its default
    // button: by Return, a click and the keypad's Enter, in turn.
    void TypeAndOpen(const QString& text)
    {
        using SheetInput::ConfirmBy;
        constexpr ConfirmBy kWays[] = {ConfirmBy::Return, ConfirmBy::Click, ConfirmBy::Enter};
        SheetInput::TypeAndOpen(Sheet(), text, kWays[++mOpens % 3]);
    }
    int mOpens = 0;
    int mSheets = 0;
};

TEST_F(OpenPuzzleSheet, TypedTextOpensItsPuzzleOrIsRefusedWithABeep)
{
    AddSolved(1, 0);
    for (const auto& [typed, puzzle] : kTypedNumbers) {
        SCOPED_TRACE(typed);
        const int before = Puzzle().mPuzzleNumber;
        const int beeps = mBeeps;
        mMessages.clear();
        TypeAndOpen(QString::fromUtf8(typed));
        const bool refused = puzzle == 0;
        EXPECT_EQ(mBeeps, beeps + (refused ? 1 : 0));
        EXPECT_EQ(mMessages, refused ? QStringList{kRefusal} : QStringList{});
        EXPECT_EQ(OpenCount<OpenPuzzleWindow>(), refused ? 1 : 0);
        EXPECT_EQ(Puzzle().mPuzzleNumber, refused ? before : puzzle);
        EXPECT_EQ(Window().Title(), TitleFor(Puzzle().mPuzzleNumber));
    }
    // The statements typed into the field never reached the store.
    EXPECT_EQ(Count("SolvedPuzzles", "Number = 1"), 0); // reopened by "1"
    EXPECT_EQ(Count("Puzzles"), 30);

    // A window-modal sheet of the play window (one at a time, as the
    // refusals above show) that Escape closes.
    OpenPuzzleWindow& sheet = Sheet();
    EXPECT_EQ(sheet.parentWidget(), gPlayWindow);
    EXPECT_EQ(sheet.windowModality(), Qt::WindowModal);
    EXPECT_TRUE(sheet.ControlAs<platform::PushButton>("OpenPushButton")->IsDefault());
    WindowInput::Key(sheet, Qt::Key_Escape);
    FlushDeletes();
    EXPECT_EQ(OpenCount<OpenPuzzleWindow>(), 0);
}

TEST_F(OpenPuzzleSheet, ReopeningASolvedPuzzleAsksThenForgetsItsSolvesAndStopsTheBlink)
{
    for (const auto& [number, hints] : {std::pair(5, 0), {5, 2}, {9, 2}}) {
        AddSolved(number, hints);
    }
    Stats().LoadStats();
    Window().SetSidebarStats();
    Window().mNewPuzzleBlinkTimer = std::make_shared<NewPuzzleBlinkTimerClass>();
    Window().SetSidebarTab(PlayWindow::kStatsPage);
    const int before = Puzzle().mPuzzleNumber;
    const auto& statsPage = CanvasNamed("StatsSidebarCanvas");
    ASSERT_TRUE(QTest::qWaitFor([&] { return StatsPage::InFigureColour(StatsPage::Ink(statsPage.Surface(), StatsPage::kSolvedRow)); }));
    const QImage oldFigures = statsPage.Surface();

    mAnswer = false; // Cancel deletes nothing
    TypeAndOpen("5");
    EXPECT_EQ(mDialogs, QStringList{"This puzzle has already been solved. Are you sure you want to open it?"});
    EXPECT_EQ(mDialogLooks, QStringList{"icon 3, Open"});
    EXPECT_EQ(std::tuple(Count("SolvedPuzzles"), OpenCount<OpenPuzzleWindow>(), Puzzle().mPuzzleNumber),
              std::tuple(3, 1, before));

    mAnswer = true;
    TypeAndOpen("5");
    EXPECT_EQ(std::tuple(mDialogs.size(), Count("SolvedPuzzles"), Stats().mNumSolved), std::tuple(2, 1, 1));
    // The Stats page already shows the new figures: solved 2 to 1, no hints
    // 1 to 0, unsolved 28 to 29; the other rows stay (puzzle 5, solved
    // twice, was one solve under its fewest hints).
    using StatsPage::Ink;
    QImage newFigures;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        newFigures = statsPage.Surface();
        return Ink(newFigures, StatsPage::kSolvedRow) != Ink(oldFigures, StatsPage::kSolvedRow);
    }));
    for (int row = 0; row < StatsPage::kRows; ++row) {
        const bool changed =
            row == StatsPage::kSolvedRow || row == StatsPage::kFirstHintRow || row == StatsPage::kUnsolvedRow;
        EXPECT_EQ(Ink(newFigures, row) != Ink(oldFigures, row), changed) << "row " << row;
    }
    EXPECT_EQ(std::tuple(PageOf("SidebarPagePanel"), Window().mNewPuzzleBlinkTimer == nullptr,
                         OpenCount<OpenPuzzleWindow>(), Puzzle().mPuzzleNumber, Puzzle().mHintCount),
              std::tuple(PlayWindow::kStatsPage, true, 0, 5, 0));
}
