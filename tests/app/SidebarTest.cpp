#include "tests/support/GameSession.h"

#include <QEnterEvent>

namespace {

void Enter(QWidget& w)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&w, &event);
}

void Leave(QWidget& w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&w, &event);
}

} // namespace

class Sidebar : public GameSession {
protected:
    void SetUp() override
    {
        GameSession::SetUp();
        StartShown();
        Window().SetSidebarTab(PlayWindow::kPlayPage);
        QCoreApplication::processEvents(); // the pages on show paint long before the pointer comes
    }
};

TEST_F(Sidebar, TabsSwitchOnPressAndHoverShowsTheHighlight)
{
    auto& statsTab = CanvasNamed("SidebarPanel0StatsButtonCanvas");
    Enter(statsTab);
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2hilite()));
    Leave(statsTab);
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2deselected()));

    // The selected tab takes no press.
    ClickCanvas("SidebarPanel0PlayButtonCanvas");
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);

    QTest::mousePress(&statsTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kStatsPage);
    QTest::mouseRelease(&statsTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(CanvasNamed("StatsSidebarCanvas").isVisible());
    EXPECT_FALSE(statsTab.isVisible());

    ClickCanvas("SidebarPanel1HelpButtonCanvas");
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kHelpPage);
    QCoreApplication::processEvents();
    auto& backToPlay = CanvasNamed("SidebarPanel2PlayButtonCanvas");
    Enter(backToPlay);
    EXPECT_TRUE(ShowsPicture(backToPlay, sidebartab1hilite()));
    ClickCanvas("SidebarPanel2PlayButtonCanvas");
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
}

TEST_F(Sidebar, GetHintActsOnReleaseUpToOnePixelPastItsEdgesAndStopsAtSevenAndAfterAWin)
{
    auto& hint = CanvasNamed("GetHintButtonCanvas");
    const int w = hint.Width(), h = hint.Height();
    ClickCanvas("GetHintButtonCanvas", QPoint(w, h));
    EXPECT_EQ(Puzzle().mHintCount, 1);
    EXPECT_TRUE(ShowsPicture(hint, gethinthilite()));
    for (const QPoint outside : {QPoint(w + 1, h), QPoint(w, h + 1), QPoint(-1, 0)}) {
        ClickCanvas("GetHintButtonCanvas", outside);
    }
    EXPECT_EQ(Puzzle().mHintCount, 1);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));

    Puzzle().mHintCount = PlayWindow::kMaxHints - 1;
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, PlayWindow::kMaxHints);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
    // Refused presses draw nothing and run nothing.
    Enter(hint);
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, PlayWindow::kMaxHints);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));

    Puzzle().mHintCount = 2;
    Puzzle().mIsWon = true;
    Enter(hint);
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, 2);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
}

TEST_F(Sidebar, NewPuzzleButtonLoadsAnotherPuzzleAndPressStopsTheBlink)
{
    const int before = Puzzle().mPuzzleNumber;
    ClickCanvas("NewPuzzleButtonCanvas");
    EXPECT_NE(Puzzle().mPuzzleNumber, before);

    auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    Window().mNewPuzzleBlinkTimer = std::make_shared<NewPuzzleBlinkTimerClass>();
    Window().mNewPuzzleBlinkTimer->Fire();
    // While it blinks the pointer leaves the picture alone.
    Leave(button);
    EXPECT_TRUE(ShowsPicture(button, newpuzzlehilite()));
    const int current = Puzzle().mPuzzleNumber;
    ClickCanvas("NewPuzzleButtonCanvas", QPoint(500, 20));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_EQ(Puzzle().mPuzzleNumber, current);
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
}
