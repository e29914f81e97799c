#include "tests/blackbox/ShapeRule.h"
#include "tests/blackbox/TableSteps.h"
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
    static constexpr int kWaitMs = TableSteps::kWaitMs;
    // The least screen on which the game gives no small-screen warning.
    static constexpr QSize kLeastScreen{1024, 768};
    // The starting layout: the square at (10, 10) in orientation 1, the
    // first large triangle at (570, 420) in orientation 8.
    static constexpr QPoint kSquareStart{10, 10};
    static constexpr int kSquareStartOrientation = 1;
    static constexpr QPoint kTriangleStart{570, 420};
    static constexpr int kTriangleStartOrientation = 8;

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

    void TearDown() override
    {
        // A game left running goes before its display does.
        mGame.kill();
        mGame.waitForFinished(kWaitMs);
        MousePlayer::TearDown();
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
    TableSteps mSteps{mX, mTable};
};

TEST_F(PlayerSession, MenusAndTheFirstPuzzleWithTheMouseThenCtrlQKeepsTheWin)
{
    ASSERT_NO_FATAL_FAILURE(OpenEachMenu());

    // The first puzzle, built with the input that builds it in the test's
    // own game, sent to the same table point by point, stroke by stroke.
    // Qt folds a queued pointer move into a later one even across a press or
    // release, and the X server drops a press that comes while the window
    // manager still holds the last click: each stroke waits until the table
    // shows its own effect around its piece, as a player's eye would.
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
    std::vector<TableSteps::Stroke> strokes(1);
    EventTap recorder([&](const QEvent& e) {
        const QEvent::Type type = e.type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
            return;
        }
        const QPoint at = static_cast<const QMouseEvent&>(e).position().toPoint();
        TableSteps::Stroke& stroke = strokes.back();
        stroke.input.emplace_back(type, at);
        if (type == QEvent::MouseButtonPress) {
            // Seen before the table takes the press: the piece lies as the
            // player aimed at it.
            stroke.piece = TopAt(at.x(), at.y());
            if (stroke.piece != nullptr) {
                stroke.orientation = stroke.piece->mOrientation;
                stroke.place = QPoint(stroke.piece->mPosX, stroke.piece->mPosY);
            }
        }
        if (type == QEvent::MouseButtonRelease) {
            strokes.emplace_back();
        }
    });
    Table().installEventFilter(&recorder);
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    Table().removeEventFilter(&recorder);
    ASSERT_TRUE(Puzzle().mIsWon);
    if (strokes.back().input.empty()) {
        strokes.pop_back();
    }
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        ASSERT_NO_FATAL_FAILURE(mSteps.Replay(strokes[i], static_cast<int>(i + 1)));
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
    const PieceClass& square = *Table().mPieceSquare;
    const QPoint grab = mSteps.OnScreen(onSquare);
    const QPoint draggedBy(33, 2);
    const QPoint squareDragged = kSquareStart + draggedBy;
    ASSERT_NO_FATAL_FAILURE(mSteps.Act(
        [&] {
            mX.Mouse(QEvent::MouseButtonPress, grab);
            mX.Mouse(QEvent::MouseMove, grab + QPoint(20, 0));
            mX.Mouse(QEvent::MouseMove, grab + draggedBy);
        },
        mSteps.Look(square, kSquareStartOrientation, squareDragged), "the square's drag"));
    mX.Keys({"Control_L", "m"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mX.IsShown(title); }, kWaitMs)) << "Ctrl+M did not minimise";
    // Going, the window ended the drag as a release would: the restored
    // window shows the square dropped on the nearest grid point.
    const QPoint squareDropped = TableSteps::Snapped(squareDragged);
    mX.Activate(title);
    const PieceLook restored = mSteps.Look(square, kSquareStartOrientation, squareDropped);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == title && mSteps.Shows(restored); }, kWaitMs))
        << "not restored with the square dropped on the grid";
    mX.Mouse(QEvent::MouseButtonRelease, grab + draggedBy);
    const PieceClass& triangle = *Table().mPieceLargeTriangle1;
    const int turnedOnce = ShapeRule::Of(triangle).Clockwise(kTriangleStartOrientation);
    ASSERT_NO_FATAL_FAILURE(mSteps.Act([&] { mX.Click(mSteps.OnScreen(onTriangle)); },
                                       mSteps.Look(triangle, turnedOnce, kTriangleStart),
                                       "the click's turn of the triangle"));

    // Ctrl+O in the middle of the next drag of the square, let go while the
    // open-puzzle sheet is up, and the sheet closed with Escape: the square
    // drops where it was last shown, the pointer moved with no button held
    // drags nothing, and the next click turns the large triangle it hits.
    const QPoint moved = grab + squareDropped - kSquareStart; // the same point of the square, where it was dropped
    ASSERT_NO_FATAL_FAILURE(mSteps.Act(
        [&] {
            mX.Mouse(QEvent::MouseButtonPress, moved);
            mX.Mouse(QEvent::MouseMove, moved + QPoint(20, 0));
            mX.Mouse(QEvent::MouseMove, moved + QPoint(30, 0));
        },
        mSteps.Look(square, kSquareStartOrientation, squareDropped + QPoint(30, 0)), "the square's second drag"));
    mX.Keys({"Control_L", "o"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == QStringLiteral("Open Puzzle"); }, kWaitMs))
        << "Ctrl+O showed no open-puzzle sheet";
    mX.Mouse(QEvent::MouseButtonRelease, moved + QPoint(30, 0));
    mX.Keys({"Escape"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.FocusTitle() == title; }, kWaitMs)) << "Escape left the sheet up";
    const QPoint onTurned = mSteps.OnScreen(onTurnedTriangle);
    for (const QPoint to : {moved + QPoint(200, 150), moved + QPoint(400, 300), onTurned - QPoint(40, 40)}) {
        mX.Mouse(QEvent::MouseMove, to);
    }
    // The turn is watched where the triangle lies, away from where the sheet
    // stood: the table repainting there after the sheet is no sign of the
    // click, and Ctrl+Q must not come before the click does.
    const int turnedTwice = ShapeRule::Of(triangle).Clockwise(turnedOnce);
    ASSERT_NO_FATAL_FAILURE(mSteps.Act([&] { mX.Click(onTurned); },
                                       mSteps.Look(triangle, turnedTwice, kTriangleStart),
                                       "the second click's turn of the triangle"));
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
