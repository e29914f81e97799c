#include "tests/support/GameSession.h"

#include "resources/PictureCatalogue.h"
#include "table/NewPuzzleBlinkTimerClass.h"

#include <QEnterEvent>
#include <QTest>

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
        StartGame();
        Window().SetSidebarTab(PlayWindow::kPlayPage);
        Settle();
    }
    // Lets the pages on show paint, as they do long before the pointer comes.
    void Settle()
    {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        QCoreApplication::processEvents();
    }
    // Press and release on a button canvas, the release at a point in the
    // canvas's own coordinates (it may lie outside).
    void Click(const QString& name, QPoint release)
    {
        platform::Canvas& canvas = CanvasNamed(name);
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, release);
    }
};

TEST_F(Sidebar, TabsSwitchOnPressAndHoverShowsTheHighlight)
{
    auto& statsTab = CanvasNamed("SidebarPanel0StatsButtonCanvas");
    Enter(statsTab);
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2hilite()));
    Leave(statsTab);
    EXPECT_TRUE(ShowsPicture(statsTab, sidebartab2deselected()));

    // The selected tab takes no press and ignores the pointer.
    auto& playTab = CanvasNamed("SidebarPanel0PlayButtonCanvas");
    QTest::mousePress(&playTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(&playTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);

    QTest::mousePress(&statsTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kStatsPage);
    QTest::mouseRelease(&statsTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(CanvasNamed("StatsSidebarCanvas").isVisible());
    EXPECT_FALSE(statsTab.isVisible());

    auto& helpTab = CanvasNamed("SidebarPanel1HelpButtonCanvas");
    QTest::mousePress(&helpTab, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kHelpPage);
    Settle();
    auto& backToPlay = CanvasNamed("SidebarPanel2PlayButtonCanvas");
    Enter(backToPlay);
    EXPECT_TRUE(ShowsPicture(backToPlay, sidebartab1hilite()));
    QTest::mousePress(&backToPlay, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
}

TEST_F(Sidebar, ButtonsActOnReleaseUpToOnePixelPastTheirEdges)
{
    auto& hint = CanvasNamed("GetHintButtonCanvas");
    const int w = hint.Width();
    const int h = hint.Height();
    Click("GetHintButtonCanvas", QPoint(w, h));
    EXPECT_EQ(Puzzle().mHintCount, 1);
    EXPECT_TRUE(ShowsPicture(hint, gethinthilite()));
    Click("GetHintButtonCanvas", QPoint(w + 1, h));
    Click("GetHintButtonCanvas", QPoint(w, h + 1));
    Click("GetHintButtonCanvas", QPoint(-1, 0));
    EXPECT_EQ(Puzzle().mHintCount, 1);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
}

TEST_F(Sidebar, GetHintStopsAtSevenAndAfterAWin)
{
    auto& hint = CanvasNamed("GetHintButtonCanvas");
    Puzzle().mHintCount = 6;
    Click("GetHintButtonCanvas", QPoint(20, 20));
    EXPECT_EQ(Puzzle().mHintCount, 7);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));

    // Refused presses draw nothing and run nothing.
    Enter(hint);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
    Click("GetHintButtonCanvas", QPoint(20, 20));
    EXPECT_EQ(Puzzle().mHintCount, 7);

    Puzzle().mHintCount = 2;
    Puzzle().mIsWon = true;
    Window().GetHint();
    EXPECT_EQ(Puzzle().mHintCount, 2);
    Enter(hint);
    Leave(hint);
    EXPECT_TRUE(ShowsPicture(hint, gethint()));
}

TEST_F(Sidebar, NewPuzzleButtonLoadsAnotherPuzzleAndPressStopsTheBlink)
{
    const int before = Puzzle().mPuzzleNumber;
    Click("NewPuzzleButtonCanvas", QPoint(20, 20));
    EXPECT_NE(Puzzle().mPuzzleNumber, before);

    auto& button = CanvasNamed("NewPuzzleButtonCanvas");
    Window().mNewPuzzleBlinkTimer = std::make_shared<NewPuzzleBlinkTimerClass>();
    Window().mNewPuzzleBlinkTimer->Fire();
    // While it blinks the pointer leaves the picture alone.
    Leave(button);
    EXPECT_TRUE(ShowsPicture(button, newpuzzlehilite()));
    const int current = Puzzle().mPuzzleNumber;
    Click("NewPuzzleButtonCanvas", QPoint(500, 20));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_EQ(Puzzle().mPuzzleNumber, current);
    EXPECT_TRUE(ShowsPicture(button, newpuzzle()));
}

TEST_F(Sidebar, EndPageQuitButtonQuitsOnlyOnReleaseInside)
{
    Execute("DELETE FROM SolvedPuzzles");
    for (int n = 1; n <= 30; ++n) {
        Execute(QString("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, 1)").arg(n));
    }
    Stats().LoadStats();
    Window().SetPlaySidebar();
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kEndPage);
    EXPECT_TRUE(CanvasNamed("QuitButtonCanvas").isVisible());
    EXPECT_FALSE(CanvasNamed("NewPuzzleButtonCanvas").isVisible());

    Click("QuitButtonCanvas", QPoint(300, 20));
    EXPECT_EQ(mQuits, 0);
    EXPECT_TRUE(ShowsPicture(CanvasNamed("QuitButtonCanvas"), quit()));
    Click("QuitButtonCanvas", QPoint(20, 20));
    EXPECT_EQ(mQuits, 1);
    EXPECT_TRUE(ShowsPicture(CanvasNamed("QuitButtonCanvas"), quithilite()));
}
