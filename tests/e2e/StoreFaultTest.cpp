#include "tests/support/AnotherProgram.h"
#include "tests/support/FullDisk.h"
#include "tests/support/MousePlayer.h"

#include "app/DetailedStatsWindow.h"
#include "app/Dialogs.h"
#include "app/OpenPuzzleWindow.h"
#include "platform/controls/EditField.h"
#include "platform/controls/ListBox.h"

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

    // The Stats page and the solved-puzzles window both count the solves.
    void ExpectSolvedShown(int solved) const
    {
        EXPECT_EQ(Window().mStatsSolved, solved);
        ShowDetailedStats();
        auto* window = DetailedStatsWindow::FindWindow<DetailedStatsWindow>();
        const auto* list = platform::Deref(window).ControlAs<platform::ListBox>("StatsListBox");
        EXPECT_EQ(platform::Deref(list).ListCount(), solved);
        window->close();
    }

    // Opens the puzzle by its number, typed into the open-puzzle sheet.
    void OpenPuzzle(int number) const
    {
        ShowOpenPuzzleSheet();
        auto& sheet = platform::Deref(OpenPuzzleWindow::FindWindow<OpenPuzzleWindow>());
        auto& field = platform::Deref(sheet.ControlAs<platform::EditField>("PuzzleNumberEditField"));
        WindowInput::Click(field);
        WindowInput::Type(field, QString::number(number));
        WindowInput::Key(field, Qt::Key_Return);
        FlushDeletes();
    }

    // The one message the player was told: its heading, the file and the reason.
    void ExpectToldOnce(const QString& heading, const char* reason) const
    {
        ASSERT_EQ(mMessages.size(), 1) << mMessages.join(' ').toStdString();
        const QString why = mMessages[0].section('\n', 1);
        EXPECT_TRUE(mMessages[0].startsWith(heading + '\n') && why.contains(PrefsDatabaseClass::StoreFilePath())
                    && why.contains(reason) && !why.contains("damaged"))
            << mMessages[0].toStdString();
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
        auto rs = db.Connect() ? db.SQLSelect("SELECT CASE (SELECT integrity_check FROM pragma_integrity_check) "
                                              "WHEN 'ok' THEN (SELECT COUNT(*) FROM " + table + ") ELSE -1 END AS n")
                               : nullptr;
        return rs ? rs->Field(QStringLiteral("n")).Value().IntegerValue() : -1;
    }
};

TEST_F(StoreFaults, AFileHeldByAnotherProgramOrOnAFullDiskIsToldOnceAndEverythingShownStaysInMemory)
{
    enum Moment { kSolve, kHintThenSolve, kPreference, kSaveOnQuit, kStart };
    FullDisk::Install();
    platform::Database::Options().busyTimeoutMs = 50;
    // Every moment under every hold, and on a full disk (no hold).
    for (const Moment at : {kSolve, kHintThenSolve, kPreference, kSaveOnQuit, kStart}) {
        for (const auto hold :
             {AnotherProgram::kExclusive, AnotherProgram::kReserved, AnotherProgram::kShared, AnotherProgram::kNone}) {
            const QString heading = at == kStart && hold == AnotherProgram::kExclusive ? "Error opening preferences."
                                    : at == kSaveOnQuit ? "Error saving the game in progress."
                                                        : "Error saving progress.";
            const char* const reason =
                hold == AnotherProgram::kNone ? "the disk is full" : "another program is using it";
            const QString name = QStringLiteral("%1-%2").arg(at).arg(hold);
            SCOPED_TRACE(name.toStdString());
            qputenv("XDG_CONFIG_HOME", mConfig.filePath(name).toUtf8());
            StartShown(); // puzzle 2, first run
            if (at == kStart) {
                StopGame(); // puzzle 2 saved in progress: resuming it deletes the row
            }
            mMessages.clear();
            AnotherProgram other;
            // At quit, the game in progress is the first write.
            ASSERT_NO_FATAL_FAILURE(other.Take(hold, PrefsDatabaseClass::StoreFilePath()));
            if (at == kStart) {
                StartShown();
                EXPECT_EQ(Window().Title(), TitleFor(2)) << "the saved game, or the first puzzle of a store in memory";
            } else if (at == kPreference) {
                Window().GameMakeGameHarder_Action();
                EXPECT_TRUE(gPrefsDatabase->GetPref("MakeGameHarder").BooleanValue());
            } else if (at != kSaveOnQuit) {
                if (at == kHintThenSolve) {
                    Window().GameGetHint_Action();
                }
                ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
            }
            if (at != kSaveOnQuit) {
                ASSERT_EQ(mMessages.size(), 1) << "told at once";
                EXPECT_EQ(Stats().mNum1Hints, at == kHintThenSolve ? 1 : 0);
                // The lock goes, the player plays on: a preference and a solve
                // more, kept in memory only, and nothing more said.
                other.Release();
                Window().GameMakeGameHarder_Action();
                ClickCanvas("NewPuzzleButtonCanvas");
                ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
                ExpectSolvedShown(at == kSolve || at == kHintThenSolve ? 2 : 1);
            }
            StopGame();
            other.Release();
            ASSERT_EQ(mMessages.size(), 1) << "told once, and only once";
            const QString why = mMessages[0].section('\n', 1);
            EXPECT_TRUE(mMessages[0].startsWith(heading + '\n') && why.contains(PrefsDatabaseClass::StoreFilePath())
                        && why.contains(reason) && !why.contains("damaged"))
                << mMessages[0].toStdString();
            // The file, sound, as it was when the player was told: nothing of
            // this run, before the refusal or after the lock went, is in it.
            EXPECT_EQ(RowsInStore(), 0);
            EXPECT_EQ(RowsInStore("SavedPuzzle"), at == kStart ? 1 : 0);
            EXPECT_EQ(RowsInStore("Prefs"), 1) << "RanOnce only";
        }
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
        qputenv("XDG_CONFIG_HOME", writeProtected ? storeConfig : blocker.fileName().toUtf8() + "/config");
        platform::Database::Options().openFilesReadOnly = writeProtected;
        ASSERT_NO_FATAL_FAILURE(StartAfresh());
        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
        ExpectSolvedShown(writeProtected ? 2 : 1); // the history still in view, and this solve
        StopGame();
        ASSERT_EQ(mMessages.size(), 1);
        const QString folderIsAFile = "could not create its file " + PrefsDatabaseClass::StoreFilePath()
            + " (a file stands where its folder belongs)";
        EXPECT_TRUE(mMessages[0].startsWith(writeProtected ? "Error opening" : "Error creating")
                    && mMessages[0].contains(writeProtected ? "write-protected" : folderIsAFile))
            << mMessages[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(blocker.fileName() + "/config"));
    }
    EXPECT_EQ(ReadStore(), before);
    EXPECT_EQ(RowsInStore(), 1);
}

// Another program empties, cuts short, removes (with its folder) or puts
// a copy in place of the store after puzzle 2 was solved, while puzzle 5 is
// open; then the player solves puzzle 5, quits, and starts again.
TEST_F(StoreFaults, AStoreEmptiedCutShortRemovedOrReplacedUnderTheGameIsToldOnceAndTheSolveStaysInView)
{
    using Change = AnotherProgram::Change;
    const std::pair<Change, const char*> changes[] = {
        {AnotherProgram::kEmptied, "another program emptied it or cut it short"},
        {AnotherProgram::kCutShort, "another program emptied it or cut it short"},
        {AnotherProgram::kRemoved, "another program removed or replaced it"},
        {AnotherProgram::kRenamedOver, "another program removed or replaced it"},
    };
    for (const auto& [change, reason] : changes) {
        SCOPED_TRACE(reason);
        qputenv("XDG_CONFIG_HOME", mConfig.filePath(QString::number(change)).toUtf8());
        StartShown();
        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
        OpenPuzzle(5);
        ASSERT_EQ(Window().Title(), TitleFor(5));
        const QString file = PrefsDatabaseClass::StoreFilePath();
        ASSERT_TRUE(change == AnotherProgram::kRemoved ? QDir(PrefsDatabaseClass::StoreFolderPath()).removeRecursively()
                                                       : AnotherProgram::ChangeFile(change, file));
        const QByteArray changed = ReadStore();
        mMessages.clear();

        ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
        EXPECT_TRUE(Puzzle().mIsWon);
        ASSERT_NO_FATAL_FAILURE(ExpectToldOnce("Error saving progress.", reason));
        ExpectSolvedShown(2);
        StopGame(); // the game in progress is kept in memory only, without a word
        EXPECT_EQ(mMessages.size(), 1);
        EXPECT_EQ(ReadStore(), changed) << "nothing more written to the file";
        EXPECT_EQ(QFileInfo::exists(file), change != AnotherProgram::kRemoved);
    }
    // A store removed under the game is made afresh, folder and all, at the next start.
    qputenv("XDG_CONFIG_HOME", mConfig.filePath(QString::number(AnotherProgram::kRemoved)).toUtf8());
    ASSERT_NO_FATAL_FAILURE(StartAfresh());
    EXPECT_TRUE(mMessages.isEmpty()) << mMessages.join(' ').toStdString();
    EXPECT_EQ(RowsInStore("Puzzles"), 30);
}

// Another copy of the game solves a puzzle, and the player sees it in the
// solved list; then another program holds the file when the player solves.
// The list never loses the other copy's solve.
TEST_F(StoreFaults, WhatAnotherCopyOfTheGameWroteAndThePlayerSawStaysInViewAfterARefusal)
{
    platform::Database::Options().busyTimeoutMs = 50;
    StartShown(); // puzzle 2
    platform::Database otherCopy;
    otherCopy.DatabaseFile = PrefsDatabaseClass::StoreFilePath();
    ASSERT_TRUE(otherCopy.Connect());
    otherCopy.SQLExecute("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (5, 0)");
    ASSERT_TRUE(otherCopy.Commit());
    otherCopy.Close();
    ShowDetailedStats();
    auto* window = DetailedStatsWindow::FindWindow<DetailedStatsWindow>();
    EXPECT_EQ(platform::Deref(platform::Deref(window).ControlAs<platform::ListBox>("StatsListBox")).ListCount(), 1);
    window->close();

    AnotherProgram other;
    ASSERT_NO_FATAL_FAILURE(other.Take(AnotherProgram::kExclusive, PrefsDatabaseClass::StoreFilePath()));
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    ASSERT_NO_FATAL_FAILURE(ExpectToldOnce("Error saving progress.", "another program is using it"));
    ExpectSolvedShown(2);
    StopGame();
    other.Release();
    EXPECT_EQ(RowsInStore(), 1) << "the other copy's solve only";
}

// Another program adds a column to the catalogue and changes the puzzle in
// progress: the game writes the built-in puzzles back, says so once, and
// opens that puzzle; the next start has nothing to say.
TEST_F(StoreFaults, ACatalogueAnotherProgramAddedAColumnToIsWrittenBackAndItsPuzzleOpens)
{
    StartShown(); // puzzle 2
    StopGame();   // kept in progress
    platform::Database otherProgram;
    otherProgram.DatabaseFile = PrefsDatabaseClass::StoreFilePath();
    ASSERT_TRUE(otherProgram.Connect());
    otherProgram.SQLExecute("ALTER TABLE Puzzles ADD COLUMN Name TEXT; "
                            "UPDATE Puzzles SET Square_Orientation = 1, Name = 'two' WHERE Number = 2");
    ASSERT_TRUE(otherProgram.Commit());
    otherProgram.Close();

    ASSERT_NO_FATAL_FAILURE(StartAfresh());
    EXPECT_EQ(Window().Title(), TitleFor(2));
    ASSERT_EQ(mMessages.size(), 1);
    EXPECT_TRUE(mMessages[0].startsWith("Preferences repaired.\n")) << mMessages[0].toStdString();
    StopGame();
    EXPECT_EQ(RowsInStore("Puzzles"), 30);
    ASSERT_NO_FATAL_FAILURE(StartAfresh());
    EXPECT_TRUE(mMessages.isEmpty()) << mMessages.join(' ').toStdString();
}
