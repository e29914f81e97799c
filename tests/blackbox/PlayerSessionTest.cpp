#include "tests/blackbox/XServer.h"
#include "tests/support/MousePlayer.h"

#include <QDir>
#include <QMouseEvent>

#include <array>

// The real game on a display of its own, played only through synthetic X
// input as a new player plays it: every menu, the first puzzle built with
// the mouse, Ctrl+Q, drags cut short by Ctrl+M and by Ctrl+O; then the store
// it leaves behind. A game of the test's own, on a fresh store too, works out
// the mouse input that builds the puzzle.
class PlayerSession : public MousePlayer {
protected:
    // The play window below its menu bar: a 200-pixel sidebar, then the table.
    static constexpr int kWindowHeight = 650;
    static constexpr int kSidebarWidth = 200;
    static constexpr int kFirstRunPuzzle = 2;
    // Generous for a loaded machine; a passing wait ends as soon as the game is there.
    static constexpr int kWaitMs = 20000;
    // The least screen on which the game gives no small-screen warning.
    static constexpr QSize kLeastScreen{1024, 768};
    // Half the side of the square watched around a click for what it turns.
    static constexpr int kAroundClick = 50;

    void SetUp() override
    {
        MousePlayer::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartShown());
        const QString error = mX.Start(mScreenSize);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_TRUE(mGameConfig.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), mGameConfig.path());
        mGame.setProcessEnvironment(env);
        mGame.setProcessChannelMode(QProcess::ForwardedChannels);
        ASSERT_NO_FATAL_FAILURE(StartGame(TitleFor(kFirstRunPuzzle)));
    }

    // Starts the real game and waits until the window manager has placed its
    // play window and given it the keyboard focus, titled as given or, with
    // no title given, with any puzzle (and not a message about the store).
    void StartGame(const QString& title = {})
    {
        mGame.start(QStringLiteral(KOLMIRA_EXECUTABLE), {"-platform", "xcb"});
        if (mScreenSize.width() < kLeastScreen.width() || mScreenSize.height() < kLeastScreen.height()) {
            // The small-screen warning comes first, in a box of the game's
            // name; Return takes its OK.
            ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == QStringLiteral("Kolmira"); }, kWaitMs))
                << "no small-screen warning has the keyboard focus";
            mX.Keys({"Return"});
        }
        QRect client;
        const auto placed = [&] {
            const QString focused = mX.FocusTitle(&client);
            return title.isEmpty() ? focused.startsWith(TitleFor(0).chopped(1)) : focused == title;
        };
        ASSERT_TRUE(QTest::qWaitFor(placed, kWaitMs)) << "no play window has the keyboard focus";
        mMenuBar = QRect(client.topLeft(), QSize(client.width(), client.height() - kWindowHeight));
        mTable = QRect(client.bottomLeft() + QPoint(kSidebarWidth, 1 - kWindowHeight), Table().size());
    }

    // The menu titles' left and right ends in the bar, from the ink of their
    // captions: columns of dark pixels, split where the gap is wide.
    std::vector<std::pair<int, int>> MenuTitles() const
    {
        constexpr int kInk = 100;
        constexpr int kWordGap = 6;
        const QImage bar = mX.Grab(mMenuBar);
        std::vector<std::pair<int, int>> titles;
        for (int x = 0; x < bar.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < bar.height() && !ink; ++y) {
                ink = qGray(bar.pixel(x, y)) < kInk;
            }
            if (ink && (titles.empty() || x - titles.back().second > kWordGap)) {
                titles.emplace_back(x, x);
            }
            if (ink) {
                titles.back().second = x;
            }
        }
        return titles;
    }

    // Each menu opens under its title and closes on Escape.
    void OpenEachMenu()
    {
        const std::array menus{"Game", "Online", "Window", "Help"};
        // A window just shown may not have drawn its menu bar yet.
        std::vector<std::pair<int, int>> titles;
        const auto drawnBar = [&] { return (titles = MenuTitles()).size() >= menus.size(); };
        ASSERT_TRUE(QTest::qWaitFor(drawnBar, kWaitMs)) << titles.size() << " menu titles found in the bar";
        // The screen with no menu open, to tell a drawn menu by.
        const QImage before = mX.Grab(mX.Screen());
        for (std::size_t i = 0; i < menus.size(); ++i) {
            SCOPED_TRACE(menus[i]);
            mX.Click(QPoint(mMenuBar.left() + (titles[i].first + titles[i].second) / 2, mMenuBar.center().y()));
            QRect popup;
            const auto drawn = [&] {
                const auto popups = mX.Popups();
                popup = popups.empty() ? QRect() : popups.front();
                return !popup.isEmpty() && mX.Grab(popup) != before.copy(popup);
            };
            ASSERT_TRUE(QTest::qWaitFor(drawn, kWaitMs)) << "no menu drawn";
            EXPECT_NEAR(popup.left(), mMenuBar.left() + titles[i].first, kSidebarWidth / 4) << "not under its title";
            mX.Keys({"Escape"});
            ASSERT_TRUE(QTest::qWaitFor([&] { return mX.Popups().empty(); }, kWaitMs)) << "Escape left the menu open";
        }
    }

    // The first field of the query's first row in the game's store; empty
    // while the store cannot be read.
    QString Stored(const QString& query) const
    {
        platform::Database store;
        store.DatabaseFile = QDir(mGameConfig.path()).filePath(QStringLiteral("Kolmira/Kolmira.dat"));
        const auto rows = store.Connect() ? store.SQLSelect(QStringLiteral("SELECT (%1) AS v").arg(query)) : nullptr;
        return rows ? rows->Field(QStringLiteral("v")).Value().StringValue() : QString();
    }

    QSize mScreenSize{1280, 1024};
    XServer mX;
    QTemporaryDir mGameConfig;
    QProcess mGame;
    QRect mMenuBar;
    QRect mTable; // the play window's table on the screen
};

TEST_F(PlayerSession, MenusAndTheFirstPuzzleWithTheMouseThenCtrlQKeepsTheWin)
{
    ASSERT_NO_FATAL_FAILURE(OpenEachMenu());

    // The first puzzle, built with the input that builds it in the test's
    // own game, sent to the same table point by point. Qt folds a queued
    // pointer move into a later one even across a press or release, so
    // input sent faster than the game takes it would lose drags: each
    // release waits until the table shows its effect, as a player's eye would.
    ASSERT_EQ(Puzzle().mPuzzleNumber, kFirstRunPuzzle);
    // Points of the square and the first large triangle in the start layout,
    // for a later game.
    const QPoint onSquare = *HitPoint(*Table().mPieceSquare);
    PieceClass& triangle1 = *Table().mPieceLargeTriangle1;
    const QPoint onTriangle = *HitPoint(triangle1);
    // And of the triangle once a click has turned it.
    triangle1.RotateClockwise();
    const QPoint onTurnedTriangle = *HitPoint(triangle1);
    triangle1.RotateCounterClockwise();
    std::vector<std::pair<QEvent::Type, QPoint>> input; // in the table's coordinates
    EventTap recorder([&](const QEvent& e) {
        const QEvent::Type type = e.type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseMove || type == QEvent::MouseButtonRelease) {
            input.emplace_back(type, static_cast<const QMouseEvent&>(e).position().toPoint());
        }
    });
    Table().installEventFilter(&recorder);
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    ASSERT_TRUE(Puzzle().mIsWon);
    QImage shownBefore;
    for (const auto& [type, at] : input) {
        if (type == QEvent::MouseButtonPress) {
            shownBefore = mX.Grab(mTable);
        }
        mX.Mouse(type, mTable.topLeft() + at);
        ASSERT_TRUE(type != QEvent::MouseButtonRelease
                    || QTest::qWaitFor([&] { return mX.Grab(mTable) != shownBefore; }, kWaitMs))
            << "a release left the table as it was";
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored("SELECT COUNT(*) FROM SolvedPuzzles") == "1"; }, kWaitMs))
        << "the win was not recorded";

    // Ctrl+Q in the focused play window, still titled with its puzzle, quits
    // the game normally.
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == TitleFor(kFirstRunPuzzle); }, kWaitMs))
        << "the play window, titled with its puzzle, lost the keyboard focus";
    mX.Keys({"Control_L", "q"});
    ASSERT_TRUE(mGame.waitForFinished(kWaitMs)) << "Ctrl+Q did not quit";
    EXPECT_EQ(std::pair(mGame.exitStatus(), mGame.exitCode()), std::pair(QProcess::NormalExit, 0));

    // The store keeps the win and the first run, and no game to resume.
    const QString winKept = "(SELECT group_concat(Number || ':' || NumHintsUsed) FROM SolvedPuzzles)";
    EXPECT_EQ(Stored(winKept + " || ' ' || (SELECT group_concat(PrefName || '=' || PrefValue) FROM Prefs) || ' ' || "
                                "(SELECT COUNT(*) FROM SavedPuzzle) || ' ' || (SELECT COUNT(*) FROM Puzzles)"),
              "2:0 RanOnce=Yes 0 30")
        << "the win, the first run, no saved game and the puzzles";

    // A game killed outright leaves a sound store, which the next start
    // opens without a word and which still holds the win.
    ASSERT_NO_FATAL_FAILURE(StartGame());
    mGame.kill();
    ASSERT_TRUE(mGame.waitForFinished(kWaitMs));
    EXPECT_EQ(Stored("SELECT integrity_check FROM pragma_integrity_check"), "ok");
    ASSERT_NO_FATAL_FAILURE(StartGame());
    EXPECT_EQ(Stored(winKept), "2:0");

    // Ctrl+M in the middle of a drag of the square, and the window restored
    // before the button is let go: the square stays where it was dropped,
    // and the next click turns the large triangle it hits, in place.
    const QString title = mX.FocusTitle();
    const QPoint square = mTable.topLeft() + onSquare;
    const QImage laidOut = mX.Grab(mTable);
    mX.Mouse(QEvent::MouseButtonPress, square);
    mX.Mouse(QEvent::MouseMove, square + QPoint(20, 0));
    mX.Mouse(QEvent::MouseMove, square + QPoint(33, 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.Grab(mTable) != laidOut; }, kWaitMs)) << "no drag shown";
    // The lower half of the table, far from the square, tells when the
    // restored window has been drawn again, as the player's eye would.
    const QRect lowerHalf = mTable.adjusted(0, mTable.height() / 2, 0, 0);
    const QImage lowerShown = mX.Grab(lowerHalf);
    mX.Keys({"Control_L", "m"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mX.IsShown(title); }, kWaitMs)) << "Ctrl+M did not minimise";
    mX.Activate(title);
    const auto restored = [&] { return mX.FocusTitle() == title && mX.Grab(lowerHalf) == lowerShown; };
    ASSERT_TRUE(QTest::qWaitFor(restored, kWaitMs)) << "not restored";
    mX.Mouse(QEvent::MouseButtonRelease, square + QPoint(33, 2));
    const QImage dropped = mX.Grab(mTable);
    mX.Click(mTable.topLeft() + onTriangle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.Grab(mTable) != dropped; }, kWaitMs)) << "the click showed nothing";

    // Ctrl+O in the middle of the next drag of the square, let go while the
    // open-puzzle sheet is up, and the sheet closed with Escape: the square
    // drops where it was last shown, the pointer moved with no button held
    // drags nothing, and the next click turns the large triangle it hits.
    const QPoint moved = square + QPoint(30, 0); // the same point of the square, dropped 30 pixels on
    const QImage turned = mX.Grab(mTable);
    mX.Mouse(QEvent::MouseButtonPress, moved);
    mX.Mouse(QEvent::MouseMove, moved + QPoint(20, 0));
    mX.Mouse(QEvent::MouseMove, moved + QPoint(30, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.Grab(mTable) != turned; }, kWaitMs)) << "no drag shown";
    mX.Keys({"Control_L", "o"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == QStringLiteral("Open Puzzle"); }, kWaitMs))
        << "Ctrl+O showed no open-puzzle sheet";
    mX.Mouse(QEvent::MouseButtonRelease, moved + QPoint(30, 0));
    mX.Keys({"Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == title; }, kWaitMs)) << "Escape left the sheet up";
    const QPoint triangle = mTable.topLeft() + onTurnedTriangle;
    for (const QPoint to : {moved + QPoint(200, 150), moved + QPoint(400, 300), triangle - QPoint(40, 40)}) {
        mX.Mouse(QEvent::MouseMove, to);
    }
    // Watched where the triangle lies, away from where the sheet stood: the
    // table repainting there after the sheet is no sign of the click. The
    // window manager holds every click on a window briefly before passing it
    // on, so Ctrl+Q must wait until the turn is seen.
    const QRect aroundTriangle(triangle - QPoint(kAroundClick, kAroundClick),
                               QSize(2 * kAroundClick, 2 * kAroundClick));
    const QImage letGo = mX.Grab(aroundTriangle);
    mX.Click(triangle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.Grab(aroundTriangle) != letGo; }, kWaitMs))
        << "the click turned nothing";
    mX.Keys({"Control_L", "q"});
    ASSERT_TRUE(mGame.waitForFinished(kWaitMs)) << "Ctrl+Q did not quit";
    EXPECT_EQ(Stored("SELECT Square_PosX || ',' || Square_PosY || ',' || Square_Orientation || ' ' || "
                     "LargeTriangle1_PosX || ',' || LargeTriangle1_PosY || ',' || LargeTriangle1_Orientation "
                     "FROM SavedPuzzle")
                  .toStdString(),
              "70,10,1 570,420,2")
        << "the square's place and turn, then the first large triangle's, in the saved game";
}

// The real game on an 800 x 600 screen, where its window does not fit: the
// warning, then the window with its frame's top-left corner on the screen,
// so that its title bar can be taken and its menus opened.
class SmallScreenSession : public PlayerSession {
protected:
    SmallScreenSession() { mScreenSize = QSize(800, 600); }
};

TEST_F(SmallScreenSession, TheWindowKeepsItsTitleBarAndMenusOnTheScreen)
{
    QRect frame;
    ASSERT_EQ(mX.FocusTitle(nullptr, &frame), TitleFor(kFirstRunPuzzle));
    EXPECT_EQ(std::pair(frame.left(), frame.top()), std::pair(0, 0)) << "the frame's top-left corner";
    EXPECT_TRUE(mX.Screen().contains(mMenuBar.topLeft()));
    mMenuBar = mMenuBar.intersected(mX.Screen());
    ASSERT_NO_FATAL_FAILURE(OpenEachMenu());
}
