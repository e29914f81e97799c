#include "tests/support/GameSession.h"
#include "tests/support/StatsPage.h"

namespace {

// The most hints a puzzle offers.
constexpr int kMostHints = 7;

// The tab canvas of a page as it shows on the given page.
QString Tab(int shownPage, int page)
{
    static const char* const kPageNames[] = {"Play", "Stats", "Help"};
    return QStringLiteral("SidebarPanel%1%2ButtonCanvas").arg(shownPage).arg(kPageNames[page]);
}

} // namespace

class Sidebar : public Shown<GameSession> {
protected:
    void SetUp() override
    {
        Shown::SetUp();
        Window().SetSidebarTab(PlayWindow::kPlayPage);
        QCoreApplication::processEvents(); // the pages on show paint long before the pointer comes
    }
    // The pointer resting on a canvas, or on the table, away from the sidebar.
    void PointAt(const QString& name) { WindowInput::Move(CanvasNamed(name), QPoint(5, 5)); }
    void PointAway() { WindowInput::Move(Table(), QPoint(400, 300)); }
};

TEST_F(Sidebar, EveryPressOnAnotherTabSwitchesThePageAtOnce)
{
    using P = PlayWindow;
    const int kClicks[] = {P::kStatsPage, P::kPlayPage, P::kStatsPage, P::kPlayPage, P::kHelpPage,
                           P::kPlayPage,  P::kHelpPage, P::kStatsPage, P::kHelpPage, P::kStatsPage};
    const char* const kPageCanvas[] = {"PlaySidebarCanvas", "StatsSidebarCanvas", "HelpSidebarCanvas"};
    int click = 0;
    for (const int page : kClicks) {
        SCOPED_TRACE(testing::Message() << "click " << ++click);
        auto& tab = CanvasNamed(Tab(PageOf("SidebarPagePanel"), page));
        WindowInput::Press(tab, QPoint(10, 10));
        EXPECT_EQ(PageOf("SidebarPagePanel"), page); // on the press, not the release
        WindowInput::Release(tab, QPoint(10, 10));
        EXPECT_TRUE(CanvasNamed(kPageCanvas[page]).isVisible() && !tab.isVisible());
    }
    // The tab of the page on show takes no press.
    WindowInput::Click(CanvasNamed(Tab(P::kStatsPage, P::kStatsPage)));
    EXPECT_EQ(PageOf("SidebarPagePanel"), P::kStatsPage);
}

TEST_F(Sidebar, HoverShowsTheHighlightUntilTheWindowRepaints)
{
    auto& statsTab = CanvasNamed(Tab(PlayWindow::kPlayPage, PlayWindow::kStatsPage));
    PointAt(statsTab.objectName());
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2hilite()));
    PointAway();
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2deselected()));
    // Selected: the pointer changes nothing.
    auto& playTab = CanvasNamed(Tab(PlayWindow::kPlayPage, PlayWindow::kPlayPage));
    PointAt(playTab.objectName());
    EXPECT_TRUE(ShowsPicture(playTab, sidebartab1()));

    PointAt(statsTab.objectName());
    ASSERT_TRUE(ShowsPicture(statsTab, sidebartab2hilite()));
    WindowInput::Expose(Window());
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2deselected()));
}

TEST_F(Sidebar, GetHintActsOnReleaseUpToOnePixelPastItsEdgesAndStopsAtSevenAndAfterAWin)
{
    auto& hint = CanvasNamed("GetHintButtonCanvas");
    const int w = hint.Width(), h = hint.Height();
    ClickCanvas("GetHintButtonCanvas", QPoint(w, h));
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, 2);
    EXPECT_TRUE(ShowsPicture(hint, gethinthilite())); // the pointer is still over it
    for (const QPoint outside : {QPoint(w + 1, h), QPoint(w, h + 1), QPoint(-1, 0)}) {
        ClickCanvas("GetHintButtonCanvas", outside);
    }
    EXPECT_EQ(Puzzle().mHintCount, 2);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));

    Puzzle().mHintCount = kMostHints - 1;
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, kMostHints);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
    // Refused presses draw nothing and run nothing, at seven hints and won.
    for (const bool won : {false, true}) {
        Puzzle().mIsWon = won;
        Puzzle().mHintCount = won ? 2 : kMostHints;
        PointAway();
        PointAt("GetHintButtonCanvas");
        ClickCanvas("GetHintButtonCanvas");
        EXPECT_EQ(Puzzle().mHintCount, won ? 2 : kMostHints);
        EXPECT_TRUE(ShowsPicture(hint, gethint()));
    }
}

// New Puzzle's click loads the next puzzle in the all-puzzles run.
TEST_F(Sidebar, NewPuzzlePressStopsTheBlinkEvenWhenReleasedOffTheButton)
{
    auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    Window().mNewPuzzleBlinkTimer = std::make_shared<NewPuzzleBlinkTimerClass>();
    const std::weak_ptr<NewPuzzleBlinkTimerClass> blink = Window().mNewPuzzleBlinkTimer;
    blink.lock()->Fire();
    // While it blinks the pointer leaves the picture alone.
    PointAt("NewPuzzleButtonCanvas");
    PointAway();
    EXPECT_TRUE(ShowsPicture(button, newpuzzlehilite()));
    const int current = Puzzle().mPuzzleNumber;
    ClickCanvas("NewPuzzleButtonCanvas", QPoint(500, 20));
    EXPECT_TRUE(blink.expired()); // released: it fires no more
    EXPECT_EQ(Puzzle().mPuzzleNumber, current);
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
}

// Each figure of the Stats page where the player reads it: a fresh store's
// zeros and thirty, then a game with one solve at each hint count in turn.
TEST_F(Sidebar, TheStatsPageWritesEachFigureOnItsOwnRowInItsColour)
{
    using namespace StatsPage;
    // The page as shown after a press on its tab.
    const auto statsPage = [this] {
        WindowInput::Click(CanvasNamed(Tab(PlayWindow::kPlayPage, PlayWindow::kStatsPage)));
        QImage shown;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            shown = CanvasNamed("StatsSidebarCanvas").Surface();
            return InFigureColour(Ink(shown, kUnsolvedRow));
        }));
        return shown;
    };
    const auto shape = [](const QImage& ink) { return ink.convertToFormat(QImage::Format_Alpha8); };
    const QImage fresh = statsPage();
    for (int row = 0; row < kRows; ++row) {
        const QImage ink = Ink(fresh, row);
        EXPECT_TRUE(InFigureColour(ink)) << "row " << row;
        EXPECT_NEAR(InkLeft(ink), kFigureLeft, 1) << "row " << row;
        // "0" on every row but the last, "30".
        EXPECT_EQ(shape(ink) == shape(Ink(fresh, kSolvedRow)), row != kUnsolvedRow) << "row " << row;
    }
    for (int hints = 0; hints <= kMostHints; ++hints) {
        SCOPED_TRACE(testing::Message() << hints << " hints");
        Execute("DELETE FROM SolvedPuzzles");
        AddSolved(1, hints);
        StopGame();
        StartShown();
        const QImage shown = statsPage();
        // Solved, its hint count and unsolved change; every other row still reads "0".
        const int hintRow = kFirstHintRow + hints;
        for (int row = 0; row < kRows; ++row) {
            const bool changed = row == kSolvedRow || row == hintRow || row == kUnsolvedRow;
            EXPECT_EQ(Ink(shown, row) != Ink(fresh, row), changed) << "row " << row;
        }
        EXPECT_EQ(shape(Ink(shown, hintRow)), shape(Ink(shown, kSolvedRow))); // "1" on both
    }
}
