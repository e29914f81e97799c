#include "ModelTestSupport.h"

#include <QDir>

using platform::Variant;

TEST_F(StoreTest, FirstStartCreatesTheFolderTheFileTheTablesAndTheCatalogue)
{
    EXPECT_FALSE(QFileInfo::exists(PrefsDatabaseClass::StoreFolderPath()));
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
    const auto version = db->SQLSelect("SELECT * FROM Version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->Field("VersionNumber").Value().StringValue(), "1.0");
    EXPECT_FALSE(version->Field("Timestamp").Value().StringValue().isEmpty());
    EXPECT_EQ(Count(*db, "(SELECT DISTINCT Number FROM Puzzles WHERE Number BETWEEN 1 AND 30)"), 30);
    EXPECT_EQ(Count(*db, "Puzzles WHERE Rhombus_Orientation NOT BETWEEN 1 AND 4 "
                         "OR Square_Orientation NOT BETWEEN 1 AND 2 OR LargeTriangle1_Orientation NOT BETWEEN 1 AND 8"),
              0);
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
    for (const bool flag : {true, false, true, false}) {
        store.SetPref("MakeGameHarder", Variant(flag));
        EXPECT_FALSE(store.GetPref("MakeGameHarder").IsNil());
        EXPECT_EQ(store.GetPref("MakeGameHarder").BooleanValue(), flag);
    }
    store.SetPref("RanOnce", Variant("Yes"));
    // A name with a quote or an SQL word in it neither breaks the statement
    // nor reaches another preference, and is updated in place like any other.
    for (const int pick : {7, 8}) {
        store.SetPref("Player's union pick", Variant(pick));
        EXPECT_EQ(store.GetPref("Player's union pick").IntegerValue(), pick);
    }
    EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");

    // Every write is committed at once: another connection sees it.
    const auto other = OpenFile();
    EXPECT_EQ(Count(*other, "Prefs"), 3);
    const auto rs = other->SQLSelect("SELECT PrefValue FROM Prefs WHERE PrefName = 'MakeGameHarder'");
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_FALSE(rs->Field("PrefValue").Value().BooleanValue());
}

TEST_F(StoreTest, AStoreThatCannotBeMadeReadOrWrittenIsReportedLeftAloneAndPlayedInMemory)
{
    // Tests may run as root, who can write anywhere: a folder inside a
    // regular file cannot be made by anyone, and a write-protected file is
    // opened the way SQLite opens one for an ordinary user.
    enum Damage { kFolderBlocked, kDiskFullAtCreation, kNotADatabase, kTableMissing, kPuzzlesMissing, kWriteProtected };
    struct Case {
        Damage damage;
        const char* message;
        const char* why; // in the second line
        int solvesKept;  // the store's history, still in view
    };
    const Case cases[] = {
        {kFolderBlocked, "Error creating preferences.", "could not create", 0},
        {kDiskFullAtCreation, "Error creating preferences.", "(the disk is full)", 0},
        {kNotADatabase, "Error opening preferences.", "damaged", 0},
        {kTableMissing, "Error opening preferences.", "damaged", 0},
        {kPuzzlesMissing, "Error opening preferences.", "built-in puzzles", 1},
        {kWriteProtected, "Error opening preferences.", "write-protected", 1},
    };
    FullDisk::Install();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.damage);
        const QString folder = mConfig.path() + "/" + QString::number(c.damage);
        UsePreferencesFolder(folder + (c.damage == kFolderBlocked ? "/blocker/config" : ""));
        const QString file = PrefsDatabaseClass::StoreFilePath();
        const QString watched = c.damage == kFolderBlocked ? folder + "/blocker" : file;
        if (c.damage == kFolderBlocked || c.damage == kNotADatabase) {
            QDir().mkpath(QFileInfo(watched).path());
            QFile blocker(watched);
            ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
            blocker.write(QByteArray(4096, '\x5a'));
        } else if (c.damage != kDiskFullAtCreation) {
            PrefsDatabaseClass store;
            store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(3, 1)");
            if (c.damage != kWriteProtected) {
                store.mDB->SQLExecute(c.damage == kTableMissing ? "DROP TABLE Prefs"
                                                                : "DELETE FROM Puzzles WHERE Number > 10");
            }
            ASSERT_TRUE(store.mDB->Commit());
        }
        platform::Database::Options().openFilesReadOnly = c.damage == kWriteProtected;
        FullDisk::SetFull(c.damage == kDiskFullAtCreation);
        mMessages.clear();
        const auto before = StateOf(watched);
        {
            PrefsDatabaseClass store;
            ASSERT_EQ(mMessages.size(), 1);
            EXPECT_EQ(mMessages[0].section('\n', 0, 0), c.message);
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
        if (c.damage == kDiskFullAtCreation) { // no half-made file: the next start begins afresh
            EXPECT_TRUE(QDir(PrefsDatabaseClass::StoreFolderPath()).isEmpty());
        }
    }
}
