#include "tests/support/MousePlayer.h"

#include <QDir>
#include <QFileInfo>

using StartUp = MousePlayer;

namespace {

// A saved game's row: number, hints, first large triangle's x, y and
// orientation, the square's, then the orientations of rhombus, medium
// triangle, small triangles 1 and 2 and the second large triangle.
QString SavedRow(const char* values)
{
    return QStringLiteral("INSERT INTO SavedPuzzle (Number, HintCount, LargeTriangle1_PosX, LargeTriangle1_PosY, "
                          "LargeTriangle1_Orientation, Square_PosX, Square_PosY, Square_Orientation, "
                          "Rhombus_Orientation, MediumTriangle_Orientation, SmallTriangle1_Orientation, "
                          "SmallTriangle2_Orientation, LargeTriangle2_Orientation) VALUES (%1)")
        .arg(QLatin1String(values));
}

constexpr int kBuiltInPuzzles = 30;

// Sets an environment variable (nullptr: unsets it) for as long as it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : mName(name)
        , mWasSet(qEnvironmentVariableIsSet(name))
        , mOld(qgetenv(name))
    {
        value != nullptr ? qputenv(name, value) : qunsetenv(name);
    }
    ~ScopedEnv() { mWasSet ? qputenv(mName, mOld) : qunsetenv(mName); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* mName;
    bool mWasSet;
    QByteArray mOld;
};

} // namespace

TEST_F(StartUp, FirstRunOpensPuzzleTwoOnTheHelpPageAndALaterStartResumesItOnThePlayPage)
{
    StartShown();
    // (Its title and stored first-run mark are the black-box test's.)
    EXPECT_TRUE(gFirstRun && !gPrefMakeGameHarder && mDialogs.isEmpty() && mMessages.isEmpty());
    EXPECT_EQ(std::pair(PageOf("SidebarPagePanel"), PageOf("PlayTabPagePanel")),
              std::pair(PlayWindow::kHelpPage, PlayWindow::kPlayButtonsPage));
    // The Stats page's copies of a fresh store.
    EXPECT_EQ(std::pair(Window().mStatsSolved, Window().mStatsUnsolved), std::pair(0, 30));

    gPrefsDatabase->SetPref("MakeGameHarder", platform::Variant(true));
    // Turn the square twice and the first large triangle once, drag the rhombus.
    Click(*HitPoint(*Table().mPieceSquare));
    Click(*HitPoint(*Table().mPieceSquare));
    Click(*HitPoint(*Table().mPieceLargeTriangle1));
    const QPoint r = *HitPoint(*Table().mPieceRhombus);
    Drag(r, r + QPoint(30, 100));
    Puzzle().mHintCount = 3;
    const QPoint rhombusAt(Table().mPieceRhombus->mPosX, Table().mPieceRhombus->mPosY);
    StopGame();

    StartShown();
    EXPECT_TRUE(!gFirstRun && gPrefMakeGameHarder);
    EXPECT_EQ(Puzzle().mHintCount, 3);
    EXPECT_EQ(Window().Title(), TitleFor(2));
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
    EXPECT_EQ(std::pair(Table().mPieceSquare->mOrientation, Table().mPieceLargeTriangle1->mOrientation),
              std::pair(1, 1));
    EXPECT_EQ(QPoint(Table().mPieceRhombus->mPosX, Table().mPieceRhombus->mPosY), rhombusAt);
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceLargeTriangle2); // start stacking
    EXPECT_EQ(Table().mSolutionGrid, nullptr);
    EXPECT_EQ(Count("SavedPuzzle"), 0);
}

TEST_F(StartUp, WithoutASoundSavedGameARandomUnsolvedPuzzleOpensAndDamagedRowsAreCleared)
{
    // A saved row (nullptr: the last game left nothing saved), and the puzzle
    // that opens: 17, the one unsolved, or the resumed one.
    const std::pair<const char*, int> kSaved[] = {
        {nullptr, 17},
        {"999, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1", 17},  // a puzzle the catalogue lacks
        {"5, 0, 0, 0, 9, 0, 0, 1, 1, 1, 1, 1, 1", 17},    // a triangle turned past 8
        {"5, 0, 0, 0, 1, 0, 0, 3, 1, 1, 1, 1, 1", 17},    // a square turned past 2
        {"5, 0, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1, 1", 17},    // a rhombus at 0
        {"NULL, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1", 17}, // no puzzle named
        {"7, 2, -80, 2000000, 3, 33, -10, 2, 1, 1, 1, 1, 1", 7},
    };
    StartGame();
    for (int n = 1; n <= kBuiltInPuzzles; ++n) {
        n == 17 ? void() : AddSolved(n, 0);
    }
    AddSolved(5, 2); // solved again by another copy of the game: still one puzzle
    Stats().LoadStats();
    for (const auto& [values, puzzle] : kSaved) {
        SCOPED_TRACE(values ? values : "nothing saved");
        // A solved puzzle, or one not loaded, leaves no game to resume.
        puzzle == 7 ? void(Puzzle().mPuzzleNumber = 0) : void(Puzzle().mIsWon = true);
        if (values != nullptr) {
            Execute(SavedRow(values));
        }
        StopGame();
        StartGame();
        EXPECT_EQ(Window().Title(), TitleFor(puzzle));
        EXPECT_EQ(Count("SavedPuzzle"), 0);
        EXPECT_EQ(Table().mPieceSquare->mPosX, puzzle == 7 ? 30 : 10); // resumed, or the start layout
    }
    // Within reach the saved place stands, past it the piece stops at the edge.
    EXPECT_EQ(Puzzle().mHintCount, 2);
    const auto& l1 = *Table().mPieceLargeTriangle1;
    EXPECT_EQ(std::tuple(l1.mPosX, l1.mPosY, l1.mOrientation), std::tuple(-80, Table().Height() - 280 + 80, 3));
    const auto& sq = *Table().mPieceSquare;
    EXPECT_EQ(std::tuple(sq.mPosX, sq.mPosY, sq.mOrientation), std::tuple(30, -10, 2));
    EXPECT_EQ(Window().mStatsUnsolved, 1);
}

TEST_F(StartUp, OldSystemAndSmallScreenAreReportedAndStartUpGoesOn)
{
    std::int32_t version = 0;
    platform::Hooks().gestalt = [&](const QString& selector, std::int32_t& answer) {
        answer = version;
        return selector == QStringLiteral("sysv");
    };
    const QString old = "Newer Mac OS X version required.";
    const QString small = "Your screen may be too small.";
    // System version, screen (with, below 1024 x 768, a panel along its top
    // or left edge), the warnings shown, and the quits they ask for.
    const std::tuple<std::int32_t, platform::ScreenInfo, QStringList, int> kCases[] = {
        {0x1030, {1280, 1024, 32, {}}, {}, 0},
        {0x102F, {1023, 768, 24, {0, 30, 1023, 738}}, {old, small}, 1},
        {0x1040, {1024, 767, 32, {}}, {small}, 0},
        {0x1040, {1024, 768, 32, {}}, {}, 0},
        {0x1040, {800, 600, 24, {40, 0, 760, 600}}, {small}, 0},
        {0x1040, {1024, 600, 24, {0, 24, 1024, 576}}, {small}, 0}};
    for (const auto& [systemVersion, screen, dialogs, quits] : kCases) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(screen.Width).arg(screen.Height).toStdString());
        mDialogs.clear();
        mQuits = 0;
        version = systemVersion;
        mScreen = screen;
        StartGame();
        EXPECT_EQ(std::pair(mDialogs, mQuits), std::pair(dialogs, quits)) << std::hex << version;
        // Start-up carries on regardless.
        EXPECT_EQ(std::pair(gBitDepth, gPlayWindow != nullptr), std::pair(screen.Depth, true));
        // The window is centred on the area left to windows, but where it is
        // larger its frame's top-left corner stays in that area, so that
        // the title bar and the menus can be reached.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        const QRect frame = Window().frameGeometry();
        const QRect area = screen.AvailableArea();
        // Gaps before and after the frame, across and down: even where the
        // window fits, the first when it does not.
        const auto placed = [](int before, int after) {
            return after < 0 ? before == 0 : std::abs(before - after) <= 1;
        };
        EXPECT_TRUE(placed(frame.left() - area.left(), area.right() - frame.right())) << frame.left();
        EXPECT_TRUE(placed(frame.top() - area.top(), area.bottom() - frame.bottom())) << frame.top();
        StopGame();
    }
}

// With no usable XDG_CONFIG_HOME (none, empty, or relative, which the
// desktop's rules say to ignore) the store is Kolmira/Kolmira.dat in the
// .config folder of the player's home, and the next start finds it there.
TEST_F(StartUp, WithoutAnAbsoluteXdgConfigHomeTheStoreLivesInTheHomeConfigFolder)
{
    const QString workingFolder = QDir::currentPath();
    for (const char* configured : {static_cast<const char*>(nullptr), "", "relative/config"}) {
        SCOPED_TRACE(configured ? configured : "unset");
        QTemporaryDir player;
        ASSERT_TRUE(player.isValid());
        const ScopedEnv home("HOME", player.path().toUtf8().constData());
        const ScopedEnv config("XDG_CONFIG_HOME", configured);
        QDir::setCurrent(player.path());
        StartGame();
        StopGame();
        StartGame();
        EXPECT_FALSE(gFirstRun);
        StopGame();
        EXPECT_TRUE(QFileInfo(player.path() + "/.config/Kolmira/Kolmira.dat").isFile());
        EXPECT_EQ(QDir(player.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{".config"});
        QDir::setCurrent(workingFolder);
    }
}
