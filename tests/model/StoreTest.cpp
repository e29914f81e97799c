#include "ModelTestSupport.h"
#include "tests/support/FullDisk.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using platform::Variant;

namespace {

// A file's bytes and modification time.
std::pair<QByteArray, QDateTime> StateOf(const QString& path)
{
    QFile file(path);
    return {file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), QFileInfo(path).lastModified()};
}

} // namespace

TEST_F(StoreTest, FirstStartCreatesTheFolderTheFileTheTablesAndTheCatalogue)
{
    EXPECT_FALSE(PrefsDatabaseClass().UsesFallbackStore());
    EXPECT_TRUE(mMessages.isEmpty());
    EXPECT_EQ(PrefsDatabaseClass::StoreFilePath(), mConfig.path() + "/Kolmira/Kolmira.dat");

    const auto db = OpenFile();
    // {table, columns, rows}
    const std::tuple<const char*, int, int> tables[] = {
        {"Version", 2, 1}, {"Prefs", 3, 0}, {"SolvedPuzzles", 2, 0}, {"SavedPuzzle", 23, 0}, {"Puzzles", 22, 30}};
    EXPECT_EQ(Count(*db, "sqlite_master WHERE type = 'table'"), 5);
    for (const auto& [table, columns, rows] : tables) {
        EXPECT_EQ(Count(*db, QStringLiteral("pragma_table_info('%1')").arg(table)), columns) << table;
        EXPECT_EQ(Count(*db, table), rows) << table;
    }
    EXPECT_EQ(Count(*db, "Version WHERE VersionNumber = '1.0' AND Timestamp <> ''"), 1);
}

TEST_F(StoreTest, ALaterStartWritesNothingAndFindsEveryRow)
{
    QDir().mkpath(PrefsDatabaseClass::StoreFolderPath()); // folder present, file missing
    {
        PrefsDatabaseClass store;
        store.SetPref("RanOnce", Variant("Yes"));
        store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(4, 2), (4, 3), (7, 0)");
        store.mDB->Commit();
    }
    const auto before = StateOf(PrefsDatabaseClass::StoreFilePath());
    {
        PrefsDatabaseClass store;
        EXPECT_FALSE(store.UsesFallbackStore());
        EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");
        for (const int number : {4, 7, 0, 6, 31, -1}) { // any record of the number
            EXPECT_EQ(store.IsPuzzleSolved(number), number == 4 || number == 7) << number;
        }
        EXPECT_EQ(Count(*store.mDB, "Puzzles"), 30) << "the catalogue is not added twice";
    }
    EXPECT_TRUE(StateOf(PrefsDatabaseClass::StoreFilePath()) == before);
    EXPECT_TRUE(mMessages.isEmpty());
}

TEST_F(StoreTest, PreferencesAreInsertedOnceThenUpdatedInPlace)
{
    PrefsDatabaseClass store;
    EXPECT_TRUE(store.GetPref("MakeGameHarder").IsNil());
    store.SetPref("RanOnce", Variant("Yes"));
    // A name with a quote or an SQL word in it neither breaks the statement
    // nor reaches another preference, and is updated in place like any other.
    for (const QString name : {"MakeGameHarder", "Player's union pick"}) {
        for (const bool flag : {true, false}) {
            store.SetPref(name, Variant(flag));
            EXPECT_EQ(store.GetPref(name).BooleanValue(), flag) << name.toStdString();
        }
    }
    EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");

    // Every write is committed at once: another connection sees it.
    const auto other = OpenFile();
    EXPECT_EQ(Count(*other, "Prefs"), 3);
    EXPECT_EQ(Count(*other, "Prefs WHERE PrefName = 'MakeGameHarder' AND NOT PrefValue"), 1);
}

TEST_F(StoreTest, AStoreThatCannotBeMadeReadOrWrittenIsReportedLeftAloneAndPlayedInMemory)
{
    PrefsDatabaseClass{};
    const QByteArray sound = StateOf(PrefsDatabaseClass::StoreFilePath()).first;
    // Tests may run as root, who can write anywhere: a folder inside a
    // regular file cannot be made by anyone, and a write-protected file is
    // opened the way SQLite opens one for an ordinary user.
    enum Kind { kBytes, kEdited, kWriteProtected, kFolderBlocked, kDiskFullAtCreation };
    struct Case {
        const char* name;
        Kind kind;
        QByteArray content; // the file's bytes, or the edit made to a store with one solve
        const char* why;    // in the second line
        int solvesKept;     // the store's history, still in view
    };
    const Case cases[] = {
        {"folder blocked", kFolderBlocked, "x", "could not create", 0},
        {"disk full at creation", kDiskFullAtCreation, "", "(the disk is full)", 0},
        {"truncated", kBytes, sound.left(sound.size() / 2), "damaged", 0},
        {"cut to its header", kBytes, sound.left(100), "damaged", 0},
        {"zeroed", kBytes, QByteArray(sound.size(), '\0'), "damaged", 0},
        {"empty", kBytes, "", "damaged", 0},
        {"a table missing", kEdited, "DROP TABLE Prefs", "damaged", 0},
        {"another program's", kEdited,
         "DROP TABLE Version; DROP TABLE Prefs; DROP TABLE SavedPuzzle; DROP TABLE Puzzles; "
         "DROP TABLE SolvedPuzzles; CREATE TABLE Notes (Body TEXT)", "damaged", 0},
        {"puzzles missing", kEdited, "DELETE FROM Puzzles WHERE Number > 10", "built-in puzzles", 1},
        {"write-protected", kWriteProtected, "", "write-protected", 1},
    };
    FullDisk::Install();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = mConfig.filePath(c.name);
        qputenv("XDG_CONFIG_HOME", (folder + (c.kind == kFolderBlocked ? "/blocker/config" : "")).toUtf8());
        const QString file = PrefsDatabaseClass::StoreFilePath();
        const QString watched = c.kind == kFolderBlocked ? folder + "/blocker" : file;
        if (c.kind == kBytes || c.kind == kFolderBlocked) {
            QDir().mkpath(QFileInfo(watched).path());
            QFile blocker(watched);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
            blocker.write(c.content);
        } else if (c.kind != kDiskFullAtCreation) {
            PrefsDatabaseClass store;
            store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(3, 1); " + c.content);
            ASSERT_TRUE(store.mDB->Commit());
        }
        platform::Database::Options().openFilesReadOnly = c.kind == kWriteProtected;
        FullDisk::SetFull(c.kind == kDiskFullAtCreation);
        mMessages.clear();
        const auto before = StateOf(watched);
        {
            PrefsDatabaseClass store;
            ASSERT_EQ(mMessages.size(), 1);
            const char* told = c.kind >= kFolderBlocked ? "Error creating preferences." : "Error opening preferences.";
            EXPECT_EQ(mMessages[0].section('\n', 0, 0), told);
            EXPECT_TRUE(mMessages[0].section('\n', 1).contains(file)) << mMessages[0].toStdString();
            EXPECT_TRUE(mMessages[0].contains(c.why)) << mMessages[0].toStdString();
            EXPECT_TRUE(store.UsesFallbackStore());
            EXPECT_EQ(Count(*store.mDB, "Puzzles WHERE Number BETWEEN 1 AND 30"), 30);
            EXPECT_EQ(Count(*store.mDB, "SolvedPuzzles"), c.solvesKept);
            // The game plays on in memory, and nothing more is said.
            store.SetPref("RanOnce", Variant("Yes"));
            EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");
            EXPECT_EQ(mMessages.size(), 1);
        }
        FullDisk::SetFull(false);
        platform::Database::Options() = {};
        EXPECT_TRUE(StateOf(watched) == before);
        if (c.kind == kDiskFullAtCreation) { // no half-made file: the next start begins afresh
            EXPECT_TRUE(QDir(PrefsDatabaseClass::StoreFolderPath()).isEmpty());
        }
    }
}
