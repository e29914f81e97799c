#include "tests/support/MousePlayer.h"

#include "app/OpenPuzzleWindow.h"
#include "table/PuzzleCardClass.h"
#include "tests/support/CardLook.h"
#include "tests/support/MenuInput.h"
#include "tests/support/SheetInput.h"
#include "tests/support/StatsPage.h"

// What the player sees change when the puzzle changes: the puzzle card, the
// notes on the table, the New Puzzle button's blink and the window title,
// after each way of changing it; and the Stats page after a win.

namespace {

// The puzzle the first run opens, played first in every case.
constexpr int kFirstPuzzle = 2;
// The other puzzle left unsolved, and a solved one to reopen.
constexpr int kOtherUnsolved = 17;
constexpr int kSolvedPuzzle = 9;
constexpr int kBuiltInPuzzles = 30;
// The first solve in the store took every hint; the others none.
constexpr int kMostHints = 7;
constexpr int kHintsTaken = 3;
// The overlap note's corner on the table.
constexpr QPoint kOverlapNoteAt{522, 0};
// The blink's period, and the note's time on the table, in milliseconds.
constexpr int kBlinkPeriod = 800;
constexpr int kNoteStays = 3000;
// Flips of the blink before the change (an odd count leaves it lit), and
// after it where it goes on.
constexpr int kFlipsBefore = 3;
constexpr int kFlipsAfter = 2;

enum class Way { Button, Menu, Key, SheetByMenu, SheetByKey };
// What the table shows before the change: a won puzzle with another left to
// play, the last puzzle won, the first puzzle's pieces overlapping, a won
// puzzle whose one other was then recorded by another copy of the game, or
// the last puzzle in play, which another copy then solved.
enum class Before { Won, WonLast, Overlapping, WonThenOtherCopyTookTheLast, OtherCopySolvedTheOneInPlay };
enum class Blink { None, Stopped, Running };

struct Change {
    const char* name;
    Way way;
    Before before;
    int typed; // into the sheet (0: no sheet)
    int shown; // the puzzle on the table afterwards (0: none, the game is over)
    Blink blink;
    bool completionNote;
};

// Failures name the case.
void PrintTo(const Change& c, std::ostream* os)
{
    *os << c.name;
}

// New Puzzle loads the one other unsolved puzzle, or nothing when none is
// left (and the puzzle on the table goes); the sheet loads what is typed. New
// Puzzle stops the blink, the sheet only when it reopens a solved puzzle. The
// completion note stays while the game is over.
const Change kChanges[] = {
    {"ButtonAfterAWin", Way::Button, Before::Won, 0, kOtherUnsolved, Blink::Stopped, false},
    {"MenuAfterAWin", Way::Menu, Before::Won, 0, kOtherUnsolved, Blink::Stopped, false},
    {"KeyAfterAWin", Way::Key, Before::Won, 0, kOtherUnsolved, Blink::Stopped, false},
    {"KeyOverOverlappingPieces", Way::Key, Before::Overlapping, 0, kOtherUnsolved, Blink::None, false},
    {"MenuWithEveryPuzzleSolved", Way::Menu, Before::WonLast, 0, 0, Blink::None, true},
    {"ButtonAfterAnotherCopySolvedTheLastOne", Way::Button, Before::WonThenOtherCopyTookTheLast, 0, 0,
     Blink::Stopped, true},
    {"KeyAfterAnotherCopySolvedTheOneInPlay", Way::Key, Before::OtherCopySolvedTheOneInPlay, 0, 0, Blink::None,
     true},
    {"SheetByMenuOpensAnUnsolvedOneAfterAWin", Way::SheetByMenu, Before::Won, kOtherUnsolved, kOtherUnsolved,
     Blink::Running, false},
    {"SheetByKeyOverOverlappingPieces", Way::SheetByKey, Before::Overlapping, kOtherUnsolved, kOtherUnsolved,
     Blink::None, false},
    {"SheetByKeyReopensASolvedOneAfterAWin", Way::SheetByKey, Before::Won, kSolvedPuzzle, kSolvedPuzzle,
     Blink::Stopped, false},
    {"SheetByMenuReopensASolvedOneWithEveryPuzzleSolved", Way::SheetByMenu, Before::WonLast, kSolvedPuzzle,
     kSolvedPuzzle, Blink::None, false},
};

// Nothing is left to play once the change comes.
bool NoneLeft(Before before)
{
    return before == Before::WonLast || before == Before::WonThenOtherCopyTookTheLast
        || before == Before::OtherCopySolvedTheOneInPlay;
}

// Puzzles left unsolved besides the first run's: one, none, or none and
// that one recorded too (by another copy of the game, while this one plays it).
enum class Left { OneOther, None, NoneNotEvenThisOne };

} // namespace

class PuzzleChange : public MousePlayer {
protected:
    // The first run's puzzle, resumed at the next start with every other
    // puzzle solved but one (or none) in the store.
    void ResumeFirstPuzzleAmongSolved(Left left)
    {
        StartGame();
        for (int n = 1; n <= kBuiltInPuzzles; ++n) {
            if ((n != kFirstPuzzle || left == Left::NoneNotEvenThisOne) && (left != Left::OneOther || n != kOtherUnsolved)) {
                AddSolved(n, n == 1 ? kMostHints : 0);
            }
        }
        StopGame();
        StartShown();
        ASSERT_EQ(Window().Title(), TitleFor(kFirstPuzzle));
        ASSERT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
        for (int h = 0; h < kHintsTaken; ++h) {
            ClickCanvas("GetHintButtonCanvas");
        }
    }

    // Another copy of the game records a solve through its own connection.
    void OtherCopySolves(int number) const
    {
        platform::Database other;
        other.DatabaseFile = StoreDb().DatabaseFile;
        ASSERT_TRUE(other.Connect());
        other.SQLExecute(QStringLiteral("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, 0)").arg(number));
        ASSERT_TRUE(other.Commit());
    }

    const platform::Canvas& Button() const { return CanvasNamed("NewPuzzleButtonCanvas"); }
    QImage CardShown() const
    {
        return platform::Deref(Window().ControlAs<PuzzleCardClass>("PuzzleCard")).Surface();
    }
    bool OverlapNoteShown() const { return ShowsPicture(Table(), overlapnote(), kOverlapNoteAt); }

    // Drops the square on the second large triangle.
    void OverlapTwoPieces()
    {
        const auto from = HitPoint(*Table().mPieceSquare);
        const auto to = HitPoint(*Table().mPieceLargeTriangle2);
        ASSERT_TRUE(from && to);
        Drag(*from, *to);
        ASSERT_TRUE(OverlapNoteShown());
    }

    // The Stats page as it reads after a press on its tab: its figures
    // painted afresh.
    QImage StatsShown()
    {
        int paints = 0;
        EventTap tap([&](const QEvent& e) { paints += e.type() == QEvent::Paint; });
        auto& page = CanvasNamed("StatsSidebarCanvas");
        page.installEventFilter(&tap);
        ClickCanvas("SidebarPanel0StatsButtonCanvas");
        EXPECT_TRUE(QTest::qWaitFor([&] { return paints > 0; }));
        page.removeEventFilter(&tap);
        return page.Surface();
    }

    void ChangeBy(const Change& c)
    {
        using SheetInput::OpenBy;
        switch (c.way) {
        case Way::Button:
            ClickCanvas("NewPuzzleButtonCanvas");
            break;
        case Way::Menu:
            EXPECT_TRUE(MenuInput::Choose(Window(), "GameMenu", "GameNewPuzzle"));
            break;
        case Way::Key:
            WindowInput::Key(Window(), Qt::Key_N, Qt::ControlModifier);
            break;
        case Way::SheetByMenu:
        case Way::SheetByKey: {
            auto& sheet = SheetInput::Open(Window(), c.way == Way::SheetByKey ? OpenBy::Key : OpenBy::Menu);
            SheetInput::TypeAndOpen(sheet, QString::number(c.typed), SheetInput::ConfirmBy::Click);
            EXPECT_EQ(OpenCount<OpenPuzzleWindow>(), 0);
            break;
        }
        }
        // The repaints asked for reach the screen on the next turn of the loop.
        QCoreApplication::processEvents();
    }
};

class PuzzleChangeWay : public PuzzleChange, public ::testing::WithParamInterface<Change> {};

TEST_P(PuzzleChangeWay, ShowsTheNewPuzzleAndOnlyTheNotesAndBlinkTheRulesKeep)
{
    const Change& c = GetParam();
    const bool oneLeft = c.before != Before::WonLast && c.before != Before::OtherCopySolvedTheOneInPlay;
    ASSERT_NO_FATAL_FAILURE(ResumeFirstPuzzleAmongSolved(oneLeft ? Left::OneOther : Left::None));
    const QImage oldCard = CardShown();
    ASSERT_NE(CardLook::WrongPixels(oldCard, kFirstPuzzle), 0); // the hints show

    std::weak_ptr<NewPuzzleBlinkTimerClass> blink;
    std::weak_ptr<WinNoteTimerClass> winNote;
    if (c.before == Before::Overlapping) {
        ASSERT_NO_FATAL_FAILURE(OverlapTwoPieces());
    } else if (c.before == Before::OtherCopySolvedTheOneInPlay) {
        ASSERT_NO_FATAL_FAILURE(OtherCopySolves(kFirstPuzzle));
    } else {
        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
        ASSERT_TRUE(Puzzle().mIsWon);
        blink = Window().mNewPuzzleBlinkTimer;
        winNote = Table().mWinNoteTimer;
        const bool last = c.before == Before::WonLast;
        EXPECT_EQ(std::pair(TableShowsNote(winnote()), TableShowsNote(completenote())), std::pair(!last, last));
        EXPECT_EQ(blink.expired(), last);
        if (c.before == Before::WonThenOtherCopyTookTheLast) {
            ASSERT_NO_FATAL_FAILURE(OtherCopySolves(kOtherUnsolved));
        }
    }
    // The blink's course: the button is first lit one period after the win,
    // then dark and lit in turn, and the timer runs on. Each flip is driven
    // at once after the win, before the event loop could fire one itself.
    if (const auto timer = blink.lock()) {
        EXPECT_EQ(std::tuple(timer->Period(), timer->Mode(), timer->IsRunning()),
                  std::tuple(kBlinkPeriod, platform::Timer::kModeMultiple, true));
        EXPECT_TRUE(ShowsPicture(Button(), newpuzzle()));
        for (int flip = 1; flip <= kFlipsBefore; ++flip) {
            timer->Fire();
            EXPECT_TRUE(ShowsPicture(Button(), flip % 2 == 1 ? newpuzzlehilite() : newpuzzle())) << "flip " << flip;
            EXPECT_TRUE(timer->IsRunning()) << "flip " << flip;
        }
        const auto note = winNote.lock();
        ASSERT_TRUE(note);
        EXPECT_EQ(std::tuple(note->Period(), note->Mode()), std::tuple(kNoteStays, platform::Timer::kModeSingle));
    }

    ChangeBy(c);

    EXPECT_EQ(Window().Title(), TitleFor(c.shown));
    EXPECT_EQ(Puzzle().mPuzzleNumber, c.shown);
    // A new figure with no hint taken (none: the bare card), nothing left of
    // the old one.
    const QImage card = CardShown();
    EXPECT_EQ(CardLook::WrongPixels(card, c.shown), 0);
    EXPECT_EQ(std::tuple(TableShowsNote(winnote()), OverlapNoteShown(), TableShowsNote(completenote())),
              std::tuple(false, false, c.completionNote));
    // The end page stays until the next win chooses again, and comes when
    // New Puzzle finds nothing left.
    EXPECT_EQ(PageOf("PlayTabPagePanel"), NoneLeft(c.before) ? PlayWindow::kEndPage : PlayWindow::kPlayButtonsPage);

    switch (c.blink) {
    case Blink::None:
        EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
        break;
    case Blink::Stopped:
        EXPECT_TRUE(blink.expired()); // released: it fires no more
        // (Behind the end page the button is not shown at all.)
        EXPECT_TRUE(NoneLeft(c.before) || ShowsPicture(Button(), newpuzzle()));
        break;
    case Blink::Running: {
        // The same blink goes on where it was: each flip shows the other picture.
        const auto timer = blink.lock();
        ASSERT_TRUE(timer && timer == Window().mNewPuzzleBlinkTimer);
        for (int flip = 1; flip <= kFlipsAfter; ++flip) {
            const bool lit = ShowsPicture(Button(), newpuzzlehilite());
            timer->Fire();
            EXPECT_TRUE(ShowsPicture(Button(), lit ? newpuzzle() : newpuzzlehilite())) << "flip " << flip;
        }
        break;
    }
    }

    // The won puzzle's note timer went with it: it cannot fire on the next.
    EXPECT_TRUE(winNote.expired());

    // Every figure of the Stats page reads as the next start reads the store;
    // a game over is one state, whatever it came from: the next start shows
    // the same window, having found no game in progress to resume.
    if (NoneLeft(c.before)) {
        const auto window = [this] {
            return std::tuple(Window().Title(), Table().Surface(), CardShown(), PageOf("PlayTabPagePanel"));
        };
        const auto ended = window();
        const QImage stats = StatsShown();
        StopGame();
        StartShown();
        EXPECT_TRUE(c.shown != 0 || window() == ended);
        EXPECT_EQ(StatsShown(), stats);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWayIn, PuzzleChangeWay, ::testing::ValuesIn(kChanges),
                         [](const auto& info) { return std::string(info.param.name); });

// The Stats page after a win reads the store's new counts: one more solve,
// one more at the hints taken, one fewer unsolved; the win brings the Play
// page back, or its end page once none is left. A game in progress whose
// puzzle another copy recorded is played to its end, and counts once.
class PuzzleChangeWin : public PuzzleChange, public ::testing::WithParamInterface<Left> {};

TEST_P(PuzzleChangeWin, TheStatsPageReadsTheNewCounts)
{
    using namespace StatsPage;
    const Left left = GetParam();
    const bool last = left != Left::OneOther;
    const auto shape = [](const QImage& ink) { return ink.convertToFormat(QImage::Format_Alpha8); };
    ASSERT_NO_FATAL_FAILURE(ResumeFirstPuzzleAmongSolved(left));
    EXPECT_EQ(std::pair(PageOf("PlayTabPagePanel"), TableShowsNote(completenote())),
              std::pair(PlayWindow::kPlayButtonsPage, false));
    // Solved from the Stats page.
    const QImage before = StatsShown();
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    EXPECT_EQ(std::pair(PageOf("SidebarPagePanel"), PageOf("PlayTabPagePanel")),
              std::pair(PlayWindow::kPlayPage, last ? PlayWindow::kEndPage : PlayWindow::kPlayButtonsPage));
    EXPECT_EQ(
        Count("SolvedPuzzles", QStringLiteral("Number = %1 AND NumHintsUsed = %2").arg(kFirstPuzzle).arg(kHintsTaken)),
        1);
    const QImage after = StatsShown();
    if (left == Left::NoneNotEvenThisOne) {
        EXPECT_EQ(after, before);
        return;
    }

    // Rows that read "0" and "1" before the win (no solve with one hint, one
    // with seven), to read the new figures by.
    const QImage zero = shape(Ink(before, kFirstHintRow + 1));
    const QImage one = shape(Ink(before, kFirstHintRow + kMostHints));
    ASSERT_NE(zero, one);
    for (int row = kFirstHintRow + 1; row < kUnsolvedRow; ++row) {
        const int hints = row - kFirstHintRow;
        EXPECT_EQ(shape(Ink(after, row)), hints == kHintsTaken || hints == kMostHints ? one : zero)
            << hints << " hints";
    }
    EXPECT_EQ(shape(Ink(after, kUnsolvedRow)), last ? zero : one);
    EXPECT_EQ(Ink(after, kFirstHintRow), Ink(before, kFirstHintRow)); // no hints: as before
    EXPECT_NE(shape(Ink(after, kSolvedRow)), shape(Ink(before, kSolvedRow)));
}

const char* const kLeftNames[] = {"OneLeft", "LastPuzzle", "LastPuzzleRecordedByAnotherCopy"};
INSTANTIATE_TEST_SUITE_P(OneLeftOrNone, PuzzleChangeWin,
                         ::testing::Values(Left::OneOther, Left::None, Left::NoneNotEvenThisOne),
                         [](const auto& info) { return std::string(kLeftNames[static_cast<int>(info.param)]); });
