#include "tests/support/FullDisk.h"
#include "tests/support/MousePlayer.h"

#include "app/DetailedStatsWindow.h"
#include "app/Dialogs.h"
#include "platform/ListBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <csignal>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// The game over a store that cannot be written, vanishes while
// the game runs, or is cut off by a killed process: the game always starts
// and plays, the player is told, the player's file is never overwritten,
// and no committed solve is lost.
class StoreFaults : public MousePlayer {
protected:
    void TearDown() override
    {
        MousePlayer::TearDown();
        FullDisk::SetFull(false);
        platform::Database::Options() = {};
    }

    // The rows the solved-puzzles window lists.
    static int SolvedListed()
    {
        ShowDetailedStats();
        auto* window = DetailedStatsWindow::FindWindow<DetailedStatsWindow>();
        const auto* list = platform::Deref(window).ControlAs<platform::ListBox>("StatsListBox");
        const int rows = platform::Deref(list).ListCount();
        window->close();
        return rows;
    }

    static QByteArray ReadStore()
    {
        QFile f(PrefsDatabaseClass::StoreFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A first run that solves puzzle 2 with the mouse, then quits.
    void PlayOneWinAndQuit()
    {
        StartShown();
        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
        ASSERT_TRUE(Puzzle().mIsWon);
        StopGame();
    }

    // Starts the game and checks it is playable: a puzzle is loaded, shown,
    // and a piece dragged on the table lands on the grid.
    void StartAndPlay()
    {
        mMessages.clear();
        StartShown();
        ASSERT_GT(Puzzle().mPuzzleNumber, 0);
        EXPECT_EQ(Window().Title(), TitleFor(Puzzle().mPuzzleNumber));
        PieceClass& square = *Table().mPieceSquare;
        const auto at = HitPoint(square);
        ASSERT_TRUE(at);
        Drag(*at, *at + QPoint(57, 43));
        EXPECT_EQ(QPoint(square.mPosX, square.mPosY), QPoint(70, 50));
    }

    // How many rows of a table the file holds, read on a connection of its
    // own; -1 when it is no sound SQLite database.
    static int RowsInStore(const QString& table = QStringLiteral("SolvedPuzzles"))
    {
        platform::Database db;
        db.DatabaseFile = PrefsDatabaseClass::StoreFilePath();
        if (!db.Connect()) {
            return -1;
        }
        auto check = db.SQLSelect(QStringLiteral("PRAGMA integrity_check"));
        auto rs = db.SQLSelect(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table);
        const bool sound = check && check->Field(QStringLiteral("integrity_check")).Value().StringValue() == "ok";
        return sound && rs ? rs->Field(QStringLiteral("n")).Value().IntegerValue() : -1;
    }
};

TEST_F(StoreFaults, AWriteTheFileRefusesIsToldOnceAndPlayGoesOnFromMemory)
{
    enum Moment { kSolve, kPreference, kSaveOnQuit, kResume };
    // Another game on the same file can hold it for writing, which refuses
    // the first write, or for reading, which lets the writes run and refuses
    // their commit.
    enum Refusal { kDiskFull, kAnotherGameWrites, kAnotherGameReads };
    const std::tuple<Moment, Refusal, const char*> cases[] = {
        {kSolve, kDiskFull, "the disk is full"},
        {kPreference, kDiskFull, "the disk is full"},
        {kSaveOnQuit, kDiskFull, "the disk is full"},
        {kResume, kDiskFull, "the disk is full"},
        {kSolve, kAnotherGameWrites, "another program kept it locked"},
        {kSolve, kAnotherGameReads, "another program kept it locked"},
    };
    FullDisk::Install();
    platform::Database::Options().busyTimeoutMs = 50;
    for (const auto& [at, refusal, reason] : cases) {
        const QString name = QStringLiteral("%1-%2").arg(at).arg(refusal);
        SCOPED_TRACE(name.toStdString());
        qputenv("XDG_CONFIG_HOME", mConfig.filePath(name).toUtf8());
        StartShown(); // puzzle 2, first run
        mMessages.clear();
        if (at == kResume) {
            StopGame(); // puzzle 2 saved in progress
            FullDisk::SetFull(true);
            StartShown();
            EXPECT_EQ(Window().Title(), TitleFor(2)) << "the saved game is resumed all the same";
        }
        platform::Database otherGame;
        if (refusal != kDiskFull) {
            otherGame.DatabaseFile = PrefsDatabaseClass::StoreFilePath();
            ASSERT_TRUE(otherGame.Connect());
            if (refusal == kAnotherGameWrites) {
                otherGame.SQLExecute("INSERT INTO Prefs (PrefName) VALUES ('OtherGame')"); // left uncommitted
            } else {
                otherGame.SQLExecute("BEGIN");
                otherGame.SQLSelect("SELECT * FROM Puzzles"); // the read lock stays until the transaction ends
            }
        }
        FullDisk::SetFull(refusal == kDiskFull);
        if (at == kSolve) {
            ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
            // Screen, statistics and the solved list agree on the solve.
            EXPECT_TRUE(Puzzle().mIsWon);
            EXPECT_EQ(Window().mStatsSolved, 1);
            EXPECT_EQ(SolvedListed(), 1);
        } else if (at == kPreference) {
            Window().GameMakeGameHarder_Action();
            EXPECT_TRUE(gPrefMakeGameHarder);
            EXPECT_TRUE(gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue());
        }
        StopGame();
        ASSERT_EQ(mMessages.size(), 1) << "told once, and only once";
        const QString why = PrefsDatabaseClass::StoreFilePath() + " (" + reason + ")";
        EXPECT_TRUE(mMessages[0].startsWith("Error saving preferences.\n") && mMessages[0].contains(why))
            << mMessages[0].toStdString();

        // The file, sound, as it was at its last commit.
        FullDisk::SetFull(false);
        otherGame.Close();
        EXPECT_EQ(RowsInStore(), 0);
        EXPECT_EQ(RowsInStore("SavedPuzzle"), at == kResume ? 1 : 0);
        EXPECT_EQ(RowsInStore("Prefs"), 1) << "RanOnce only";
    }
}

TEST_F(StoreFaults, AStoreThatCannotBeWrittenFromTheStartIsToldAndPlayedFromMemory)
{
    ASSERT_NO_FATAL_FAILURE(PlayOneWinAndQuit());
    const QByteArray before = ReadStore();
    const QByteArray storeConfig = qgetenv("XDG_CONFIG_HOME");
    // Running as root ignores permissions: a store whose folder would sit
    // under a plain file can never be made, and a write-protected store opens
    // the way SQLite opens one for anyone else.
    QFile blocker(mConfig.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const bool writeProtected : {false, true}) {
        SCOPED_TRACE(writeProtected);
        const int solvedBefore = writeProtected ? 1 : 0; // the history still in view
        qputenv("XDG_CONFIG_HOME", writeProtected ? storeConfig : blocker.fileName().toUtf8() + "/config");
        platform::Database::Options().openFilesReadOnly = writeProtected;
        ASSERT_NO_FATAL_FAILURE(StartAndPlay());
        EXPECT_EQ(Window().mStatsSolved, solvedBefore);
        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
        EXPECT_EQ(Window().mStatsSolved, solvedBefore + 1);
        EXPECT_EQ(SolvedListed(), solvedBefore + 1);
        StopGame();
        ASSERT_EQ(mMessages.size(), 1);
        EXPECT_TRUE(mMessages[0].startsWith(writeProtected ? "Error opening" : "Error creating"))
            << mMessages[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(blocker.fileName() + "/config"));
        platform::Database::Options() = {};
    }
    EXPECT_EQ(ReadStore(), before);
    EXPECT_EQ(RowsInStore(), 1);
}

TEST_F(StoreFaults, AStoreDeletedWhileTheGameRunsNeitherStopsPlayNorTheNextStart)
{
    StartShown();
    ASSERT_TRUE(QDir(PrefsDatabaseClass::StoreFolderPath()).removeRecursively());

    ClickCanvas("GetHintButtonCanvas");
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    EXPECT_TRUE(Puzzle().mIsWon);
    ClickCanvas("NewPuzzleButtonCanvas");
    ClickCanvas("GetHintButtonCanvas");
    StopGame();

    ASSERT_NO_FATAL_FAILURE(StartAndPlay());
    EXPECT_TRUE(mMessages.isEmpty()) << mMessages.join(' ').toStdString();
    EXPECT_GE(RowsInStore(), 0);
}

// A child process (this test program again, running only the child test
// below) plays and is killed at once, with no chance to close the store; the
// parent then looks at what the file holds. The child is a fresh program, not
// a bare fork: Qt's painting threads do not survive a fork.
class KilledGame : public StoreFaults {
protected:
    static constexpr int kWaitMs = 60000;
    static constexpr int kReportFd = 3;
    static constexpr char kReady = 'R';
    static constexpr const char* kRoleVariable = "KOLMIRA_KILLED_CHILD_ROLE";
    static constexpr const char* kStoreVariable = "KOLMIRA_KILLED_CHILD_STORE";

    // Runs the child in the given role on this test's store and kills it the
    // moment it reports.
    void PlayInChildAndKill(const char* role)
    {
        // Everything the child needs is prepared before the fork: between fork
        // and exec only plain system calls are safe.
        const QByteArray exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().toLocal8Bit();
        const QByteArray filter = "--gtest_filter=KilledGame.ChildPlaysUntilKilled";
        std::array<char*, 3> argv{const_cast<char*>(exe.constData()), const_cast<char*>(filter.constData()), nullptr};
        // The child inherits these; they are gone again once it has started.
        qputenv(kRoleVariable, role);
        qputenv(kStoreVariable, qgetenv("XDG_CONFIG_HOME"));
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            dup2(pipeFds[1], kReportFd);
            execv(argv[0], argv.data());
            _exit(127);
        }
        qunsetenv(kRoleVariable);
        qunsetenv(kStoreVariable);
        close(pipeFds[1]);
        pollfd waitFor{pipeFds[0], POLLIN, 0};
        char report = 0;
        const bool answered = poll(&waitFor, 1, kWaitMs) == 1 && read(pipeFds[0], &report, 1) == 1;
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(pipeFds[0]);
        ASSERT_TRUE(answered) << "the child never reported";
        ASSERT_EQ(report, kReady) << "the child's play failed";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
};

// The child's side: plays to a win, or to a hint on the next puzzle, on the
// parent's store, reports, and waits for the kill.
TEST_F(KilledGame, ChildPlaysUntilKilled)
{
    const QByteArray role = qgetenv(kRoleVariable);
    if (role.isEmpty()) {
        GTEST_SKIP() << "runs only as the child of the other KilledGame tests";
    }
    qputenv("XDG_CONFIG_HOME", qgetenv(kStoreVariable));
    StartGame();
    SolveWithTheMouse();
    bool reached = Puzzle().mIsWon;
    if (role == "hint") {
        ClickCanvas("NewPuzzleButtonCanvas");
        ClickCanvas("GetHintButtonCanvas");
        reached = Puzzle().mHintCount == 1;
    }
    const char report = reached && !HasFailure() && mFailures.isEmpty() ? kReady : 'F';
    [[maybe_unused]] const auto written = write(kReportFd, &report, 1);
    for (;;) {
        pause(); // only the kill ends the child
    }
}

TEST_F(KilledGame, KilledRightAfterAWinOrAHintKeepsEverySolveAndASoundStore)
{
    // {what the child does last, solves of an earlier run closed normally}
    for (const auto& [role, earlier] : {std::pair{"win", 1}, std::pair{"hint", 0}}) {
        SCOPED_TRACE(role);
        qputenv("XDG_CONFIG_HOME", mConfig.filePath(role).toUtf8());
        if (earlier > 0) {
            ASSERT_NO_FATAL_FAILURE(PlayOneWinAndQuit()); // puzzle 2
        }
        PlayInChildAndKill(role); // the child's solve is the next one

        EXPECT_EQ(RowsInStore(), earlier + 1);
        EXPECT_EQ(RowsInStore("SavedPuzzle"), 0) << "the killed game was never saved";
        ASSERT_NO_FATAL_FAILURE(StartAndPlay());
        EXPECT_TRUE(mMessages.isEmpty());
        EXPECT_EQ(Window().mStatsSolved, earlier + 1);
        StopGame();
    }
}
