#include "tests/support/FullDisk.h"
#include "tests/support/MousePlayer.h"

#include "app/DetailedStatsWindow.h"
#include "app/Dialogs.h"
#include "platform/ListBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// The game over a store that cannot be written or vanishes while the game
// runs: the game always starts and plays, the player is told, the player's
// file is never overwritten, and no committed solve is lost. (That a solve
// reaches the file at once, while the game runs, is the black-box test's.)
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

    // Starts the game afresh and checks that a puzzle is loaded and shown.
    void StartAfresh()
    {
        mMessages.clear();
        StartShown();
        ASSERT_GT(Puzzle().mPuzzleNumber, 0);
        EXPECT_EQ(Window().Title(), TitleFor(Puzzle().mPuzzleNumber));
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
    StartShown();
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    StopGame();
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
        ASSERT_NO_FATAL_FAILURE(StartAfresh());
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

    ASSERT_NO_FATAL_FAILURE(StartAfresh());
    EXPECT_TRUE(mMessages.isEmpty()) << mMessages.join(' ').toStdString();
    EXPECT_GE(RowsInStore(), 0);
}
