#include "ModelTestSupport.h"
#include "tests/support/AnotherProgram.h"
#include "tests/support/FullDisk.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <sqlite3.h>
#include <unistd.h>

using platform::Variant;

namespace {

// A file's bytes and modification time.
std::pair<QByteArray, QDateTime> StateOf(const QString& path)
{
    QFile file(path);
    return {file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), QFileInfo(path).lastModified()};
}

} // namespace

TEST_F(StoreTest, AFirstStartCreatesTheStoreAndALaterOneFindsEveryRowAndWritesNothing)
{
    const QString file = PrefsDatabaseClass::StoreFilePath();
    EXPECT_EQ(file, mConfig.path() + "/Kolmira/Kolmira.dat");
    {
        PrefsDatabaseClass store;
        EXPECT_FALSE(store.UsesFallbackStore());
        EXPECT_TRUE(store.GetPref("MakeGameHarder").IsNil());
        store.SetPref("RanOnce", Variant("Yes"));
        // A name with a quote or an SQL word in it neither breaks the statement
        // nor reaches another preference; each is inserted once, then updated.
        for (const QString name : {"MakeGameHarder", "Player's union pick"}) {
            for (const bool flag : {true, false}) {
                store.SetPref(name, Variant(flag));
                EXPECT_EQ(store.GetPref(name).BooleanValue(), flag) << name.toStdString();
            }
        }
        EXPECT_EQ(Count(*OpenFile(), "Prefs"), 3) << "every write is committed at once";
        store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(4, 2), (4, 3), (7, 0)");
        store.mDB->Commit();
    }
    const auto db = OpenFile();
    // {table, columns, rows}
    const std::tuple<const char*, int, int> tables[] = {
        {"Version", 2, 1}, {"Prefs", 3, 3}, {"SolvedPuzzles", 2, 3}, {"SavedPuzzle", 23, 0}, {"Puzzles", 22, 30}};
    EXPECT_EQ(Count(*db, "sqlite_master WHERE type = 'table'"), 5);
    for (const auto& [table, columns, rows] : tables) {
        EXPECT_EQ(Count(*db, QStringLiteral("pragma_table_info('%1')").arg(table)), columns) << table;
        EXPECT_EQ(Count(*db, table), rows) << table;
    }
    EXPECT_EQ(Count(*db, "Version WHERE VersionNumber = '1.0' AND Timestamp <> ''"), 1);

    const auto before = StateOf(file);
    {
        PrefsDatabaseClass store;
        EXPECT_FALSE(store.UsesFallbackStore());
        EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");
        for (const int number : {4, 7, 0, 6, 31, -1}) { // any record of the number
            EXPECT_EQ(store.IsPuzzleSolved(number), number == 4 || number == 7) << number;
        }
    }
    EXPECT_TRUE(StateOf(file) == before) << "the catalogue is not added twice, nor anything else written";
    EXPECT_TRUE(mMessages.isEmpty());
}

TEST_F(StoreTest, AStoreThatIsDamagedOrCannotBeMadeIsReportedLeftAloneAndPlayedInMemory)
{
    PrefsDatabaseClass{};
    const QByteArray sound = StateOf(PrefsDatabaseClass::StoreFilePath()).first;
    // (A store held by another program, write-protected or under a plain
    // file is the game's test: the player sees those.)
    enum Kind { kBytes, kEdited, kDiskFullAtCreation, kLongConfigPath };
    // {name, kind, the file's bytes, the edit made to a store with one solve
    //  or the preferences folder's path below the case's own, why (in the
    //  second line), solves kept (the history still in view)}
    // (A store whose built-in puzzles changed is repaired; see below.)
    // Folders below a case's own that make a path of that many bytes, no
    // name in it longer than any system takes.
    constexpr qsizetype kLongName = 200;
    const auto folders = [](qsizetype length) {
        QByteArray path(length, 'f');
        for (qsizetype at = kLongName; at < length - 1; at += kLongName + 1) {
            path[at] = '/';
        }
        return path;
    };
    // The draft a first start builds, named after the store's file and this
    // process, one byte too long to have its journal beside it as SQLite
    // names files: the folders take what the rest of its path leaves.
    const char* const kJournalTooLong = "a journal one byte too long";
    const qsizetype rest = (mConfig.filePath(kJournalTooLong) + "/" + "/Kolmira/Kolmira.dat.draft-"
                            + QString::number(QCoreApplication::applicationPid())).toUtf8().size();
    const qsizetype journalTooLong = sqlite3_vfs_find(nullptr)->mxPathname + 1 - qsizetype(sizeof("-journal") - 1);
    const std::tuple<const char*, Kind, QByteArray, const char*, int> cases[] = {
        {"disk full at creation", kDiskFullAtCreation, "", "(the disk is full)", 0},
        {"a name too long", kLongConfigPath, QByteArray(NAME_MAX + 1, 'f'), "(its path is too long for the system)", 0},
        {"a path too long", kLongConfigPath, folders(PATH_MAX), "(its path is too long for the system)", 0},
        {kJournalTooLong, kLongConfigPath, folders(journalTooLong - rest), "(its path is too long for the system)", 0},
        {"truncated", kBytes, sound.left(sound.size() / 2), "damaged", 0},
        {"cut to its header", kBytes, sound.left(100), "damaged", 0},
        {"zeroed", kBytes, QByteArray(sound.size(), '\0'), "damaged", 0},
        {"empty", kBytes, "", "damaged", 0},
        {"a table missing", kEdited, "DROP TABLE Prefs", "damaged", 0},
    };
    FullDisk::Install();
    for (const auto& [name, kind, content, because, solvesKept] : cases) {
        SCOPED_TRACE(name);
        qputenv("XDG_CONFIG_HOME", mConfig.filePath(name).toUtf8() + (kind == kLongConfigPath ? "/" + content : ""));
        const QString file = PrefsDatabaseClass::StoreFilePath();
        const bool created = kind == kDiskFullAtCreation || kind == kLongConfigPath;
        if (kind == kBytes) {
            QFile damaged(file);
            ASSERT_TRUE(QDir().mkpath(PrefsDatabaseClass::StoreFolderPath()) && damaged.open(QIODevice::WriteOnly));
            damaged.write(content);
        } else if (kind == kEdited) {
            PrefsDatabaseClass store;
            store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(3, 1); " + content);
            ASSERT_TRUE(store.mDB->Commit());
        }
        FullDisk::SetFull(kind == kDiskFullAtCreation);
        mMessages.clear();
        const auto before = StateOf(file);
        {
            PrefsDatabaseClass store;
            ASSERT_EQ(mMessages.size(), 1);
            const QString told = created ? "Error creating preferences." : "Error opening preferences.";
            const QString why = mMessages[0].section('\n', 1);
            EXPECT_TRUE(mMessages[0].startsWith(told + '\n') && why.contains(file) && why.contains(because))
                << why.toStdString();
            EXPECT_TRUE(store.UsesFallbackStore());
            EXPECT_EQ(Count(*store.mDB, "Puzzles WHERE Number BETWEEN 1 AND 30"), 30);
            EXPECT_EQ(Count(*store.mDB, "SolvedPuzzles"), solvesKept);
            // The game plays on in memory, and nothing more is said.
            store.SetPref("RanOnce", Variant("Yes"));
            EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");
            EXPECT_EQ(mMessages.size(), 1);
        }
        FullDisk::SetFull(false);
        EXPECT_TRUE(StateOf(file) == before);
        // No draft stays, nor a half-made file at creation: the next start begins afresh.
        EXPECT_EQ(QDir(PrefsDatabaseClass::StoreFolderPath()).entryList(QDir::Files | QDir::Hidden),
                  created ? QStringList() : QStringList{"Kolmira.dat"});
    }
}

TEST_F(StoreTest, ChangedOrMissingBuiltInPuzzlesAreWrittenBackOnceAndThePlayersOwnRowsStay)
{
    enum Refusal { kNone, kDiskFull, kWriteProtected, kARuleOfTheFile, kARuleThatDropsARow };
    // {name, the edit made to a store with a solve and a puzzle 31 of the
    //  player's own, what refuses the restore}
    const std::tuple<const char*, const char*, Refusal> cases[] = {
        {"one turn changed", "UPDATE Puzzles SET Square_Orientation = 1 WHERE Number = 5", kNone},
        {"a column of another program's", "ALTER TABLE Puzzles ADD COLUMN Name TEXT; "
                                          "UPDATE Puzzles SET Square_Orientation = 1, Name = 'five' WHERE Number = 5",
         kNone},
        {"puzzles missing", "DELETE FROM Puzzles WHERE Number BETWEEN 11 AND 30", kNone},
        {"text for a number", "UPDATE Puzzles SET Square_PosX = 'ten' WHERE Number = 5", kNone},
        {"a turn of 99", "UPDATE Puzzles SET Rhombus_Orientation = 99 WHERE Number = 30", kNone},
        {"far away", "UPDATE Puzzles SET LargeTriangle1_PosY = 1000000000 WHERE Number = 1", kNone},
        {"on a full disk", "DELETE FROM Puzzles WHERE Number BETWEEN 11 AND 30", kDiskFull},
        {"write-protected", "UPDATE Puzzles SET Square_Orientation = 1 WHERE Number = 5", kWriteProtected},
        // Another program's rule turns the catalogue's row away: nothing of
        // the restore may stay, in the file or in view.
        {"refused by a rule of the file", "CREATE TRIGGER KeepFive BEFORE INSERT ON Puzzles WHEN NEW.Number = 5 "
                                          "BEGIN SELECT RAISE(ABORT, 'puzzle five stays'); END; "
                                          "UPDATE Puzzles SET Square_Orientation = 1 WHERE Number = 5",
         kARuleOfTheFile},
        // Or drops it without a word: the restore, read back, lacks it.
        {"dropped by a rule of the file", "CREATE TRIGGER SkipFive BEFORE INSERT ON Puzzles WHEN NEW.Number = 5 "
                                          "BEGIN SELECT RAISE(IGNORE); END; "
                                          "UPDATE Puzzles SET Square_Orientation = 1 WHERE Number = 5",
         kARuleThatDropsARow},
    };
    FullDisk::Install();
    for (const auto& [name, edit, refusal] : cases) {
        SCOPED_TRACE(name);
        qputenv("XDG_CONFIG_HOME", mConfig.filePath(name).toUtf8());
        const QString file = PrefsDatabaseClass::StoreFilePath();
        {
            PrefsDatabaseClass store;
            store.mDB->SQLExecute(QStringLiteral("INSERT INTO SolvedPuzzles VALUES(3, 1); INSERT INTO Puzzles "
                                                 "(Number, Square_PosX) VALUES (31, 7); ") + edit);
            ASSERT_TRUE(store.mDB->Commit());
        }
        FullDisk::SetFull(refusal == kDiskFull);
        platform::Database::Options().openFilesReadOnly = refusal == kWriteProtected;
        mMessages.clear();
        const auto before = StateOf(file);
        {
            PrefsDatabaseClass store;
            const QString told[] = {"Preferences repaired.\n", "Error saving progress.\n",
                                    "Error opening preferences.\n", "Error opening preferences.\n",
                                    "Error opening preferences.\n"};
            const QString because[] = {"built-in puzzles", "the disk is full", "write-protected",
                                       "puzzle five stays", "does not keep them"};
            ASSERT_EQ(mMessages.size(), 1) << mMessages.join(' ').toStdString();
            EXPECT_TRUE(mMessages[0].startsWith(told[refusal]) && mMessages[0].contains(file)
                        && mMessages[0].contains(because[refusal]))
                << mMessages[0].toStdString();
            EXPECT_EQ(store.UsesFallbackStore(), refusal != kNone);
            // Puzzle 5 as the catalogue has it: its square turned twice.
            EXPECT_EQ(Count(*store.mDB, "Puzzles WHERE Number BETWEEN 1 AND 30"), 30);
            EXPECT_EQ(Count(*store.mDB, "Puzzles WHERE Number = 5 AND Square_PosX = 390 AND Square_Orientation = 2"),
                      1);
            // The player's history stays in view, unless the file's rules
            // leave only the catalogue of a store in memory.
            const int historyKept = refusal >= kARuleOfTheFile ? 0 : 1;
            EXPECT_EQ(Count(*store.mDB, "Puzzles WHERE Number = 31 AND Square_PosX = 7"), historyKept);
            EXPECT_EQ(Count(*store.mDB, "SolvedPuzzles"), historyKept);
        }
        FullDisk::SetFull(false);
        platform::Database::Options() = {};
        if (refusal != kNone) {
            EXPECT_TRUE(StateOf(file) == before) << "a refused restore leaves the file as it was";
            continue;
        }
        // The next run finds a sound store, says nothing, and writes to it.
        mMessages.clear();
        {
            PrefsDatabaseClass store;
            EXPECT_FALSE(store.UsesFallbackStore());
            store.SetPref("RanOnce", Variant("Yes"));
        }
        EXPECT_TRUE(mMessages.isEmpty()) << mMessages.join(' ').toStdString();
        const auto db = OpenFile();
        EXPECT_EQ(Count(*db, "Prefs WHERE PrefName = 'RanOnce'"), 1);
        EXPECT_EQ(Count(*db, "Puzzles WHERE Number BETWEEN 1 AND 30"), 30);
        EXPECT_EQ(Count(*db, "pragma_table_info('Puzzles') WHERE name = 'Name'"), QString(edit).contains("Name"))
            << "another program's column stays";
        EXPECT_EQ(Count(*db, "Puzzles WHERE Number = 31 AND Square_PosX = 7"), 1);
        EXPECT_EQ(Count(*db, "SolvedPuzzles"), 1);
    }
}

TEST_F(StoreTest, ADraftLeftByAStartCutShortGoesButOneStillBeingBuiltStays)
{
    const QString file = PrefsDatabaseClass::StoreFilePath();
    QDir().mkpath(PrefsDatabaseClass::StoreFolderPath());
    // No process has a number above the largest Linux hands out; our parent
    // (the one that started us) runs.
    constexpr int kNoSuchProcess = (1 << 22) + 1;
    const QString building = file + ".draft-" + QString::number(getppid());
    for (const QString& draft : QStringList{file + ".draft-" + QString::number(kNoSuchProcess), building, file + ".new"}) {
        QFile f(draft);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("half a store") > 0);
    }
    {
        PrefsDatabaseClass store;
        EXPECT_FALSE(store.UsesFallbackStore());
        EXPECT_TRUE(mMessages.isEmpty());
    }
    // Only the draft another copy of the game is still writing stays.
    EXPECT_EQ(QDir(PrefsDatabaseClass::StoreFolderPath()).entryList(QDir::Files),
              QStringList({"Kolmira.dat", QFileInfo(building).fileName()}));
}

// The commit of a figure the player composed is refused while another
// program reads the store: the figure is kept in memory under the number the
// store gave it, the first after the catalogue's.
TEST_F(PuzzleStoreTest, AFigureSavedWhileAnotherProgramReadsTheStoreKeepsItsNumber)
{
    platform::Database::Options().busyTimeoutMs = 50;
    PuzzleClass puzzle;
    puzzle.LoadFromDatabase(1);
    Recompose(puzzle, 370, 150);
    AnotherProgram reader;
    ASSERT_NO_FATAL_FAILURE(reader.Take(AnotherProgram::kShared, PrefsDatabaseClass::StoreFilePath()));
    puzzle.SaveToDatabase();
    reader.Release();
    ASSERT_EQ(mMessages.size(), 1);
    EXPECT_TRUE(mMessages[0].startsWith("Error saving progress.\n") && mMessages[0].contains("another program"))
        << mMessages[0].toStdString();
    EXPECT_EQ(puzzle.mPuzzleNumber, 31);
    PuzzleClass reloaded;
    reloaded.LoadFromDatabase(31);
    EXPECT_TRUE(reloaded.mSolutionGrid->DoesMatch(*puzzle.mSolutionGrid));
}
