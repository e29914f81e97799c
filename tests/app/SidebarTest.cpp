#include "tests/support/GameSession.h"

namespace {

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

    Puzzle().mHintCount = PlayWindow::kMaxHints - 1;
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, PlayWindow::kMaxHints);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
    // Refused presses draw nothing and run nothing, at seven hints and won.
    for (const bool won : {false, true}) {
        Puzzle().mIsWon = won;
        Puzzle().mHintCount = won ? 2 : PlayWindow::kMaxHints;
        PointAway();
        PointAt("GetHintButtonCanvas");
        ClickCanvas("GetHintButtonCanvas");
        EXPECT_EQ(Puzzle().mHintCount, won ? 2 : PlayWindow::kMaxHints);
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
