#include "StoreTestSupport.h"

#include "model/PrefsDatabaseClass.h"

#include <QDir>
#include <QRegularExpression>
#include <memory>

using platform::Database;
using platform::Variant;

namespace {

class StoreTest : public FreshPreferencesTest {
protected:
    // A connection to the store file that is not the game's.
    static std::unique_ptr<Database> OpenFile()
    {
        auto db = std::make_unique<Database>();
        db->DatabaseFile = PrefsDatabaseClass::StoreFilePath();
        EXPECT_TRUE(db->Connect()) << db->ErrorMessage().toStdString();
        return db;
    }

    static QString CreateStatement(Database& db, const QString& table)
    {
        const auto rs = db.SQLSelect("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = '" + table + "'");
        return rs ? rs->Field("sql").Value().StringValue() : QString();
    }

    // Whatever the store's file looked like, the game plays on in memory with
    // the full catalogue and working preferences.
    void ExpectFallbackStore(PrefsDatabaseClass& store, const QString& message)
    {
        EXPECT_EQ(mMessages, QStringList{message});
        EXPECT_TRUE(store.UsesFallbackStore());
        ASSERT_NE(store.mDB, nullptr);
        EXPECT_TRUE(store.mDB->IsConnected());
        EXPECT_EQ(Count(*store.mDB, "SELECT COUNT(Number) AS n FROM Puzzles"), 30);
        EXPECT_FALSE(store.IsPuzzleSolved(1));
        store.SetPref("RanOnce", Variant("Yes"));
        EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");
    }
};

// The first row of the catalogue, and the last, as the game has always shipped them.
const int kPuzzle1[] = {1, -80, -80, 4, 0, 0, 8, 0, 140, 1, 100, 200, 8, -40, 300, 2, -50, 200, 1, 80, 280, 1};
const int kPuzzle30[] = {30, 280, 160, 6, 0, 160, 4, 180, 0, 5, 340, 140, 2, 180, 140, 8, 70, 80, 3, 260, 120, 1};

} // namespace

TEST_F(StoreTest, FirstStartCreatesTheFolderTheFileTheTablesAndTheCatalogue)
{
    EXPECT_FALSE(QFileInfo::exists(PrefsDatabaseClass::StoreFolderPath()));
    auto store = std::make_unique<PrefsDatabaseClass>();
    EXPECT_TRUE(mMessages.isEmpty());
    EXPECT_FALSE(store->UsesFallbackStore());
    EXPECT_EQ(PrefsDatabaseClass::StoreFilePath(), ConfigPath() + "/Kolmira/Kolmira.dat");
    store.reset();

    auto db = OpenFile();
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) AS n FROM sqlite_master WHERE type = 'table'"), 5);
    EXPECT_EQ(CreateStatement(*db, "Version"),
              "CREATE TABLE Version (VersionNumber TEXT, Timestamp TEXT DEFAULT CURRENT_TIMESTAMP)");
    EXPECT_EQ(CreateStatement(*db, "Prefs"),
              "CREATE TABLE Prefs (PrefName TEXT UNIQUE, Timestamp TEXT DEFAULT CURRENT_TIMESTAMP, PrefValue BLOB)");
    EXPECT_EQ(CreateStatement(*db, "SolvedPuzzles"),
              "CREATE TABLE SolvedPuzzles (Number INTEGERPRIMARYKEY, NumHintsUsed INTEGER)");
    const QString saved = CreateStatement(*db, "SavedPuzzle");
    const QString puzzles = CreateStatement(*db, "Puzzles");
    EXPECT_EQ(saved.size(), 673);
    EXPECT_TRUE(saved.startsWith("CREATE TABLE SavedPuzzle (Number Integer, HintCount Integer, "
                                 "LargeTriangle1_PosX Integer, LargeTriangle1_PosY Integer, "));
    EXPECT_TRUE(saved.endsWith(", Square_PosY Integer, Square_Orientation Integer)"));
    EXPECT_EQ(puzzles.size(), 670);
    EXPECT_TRUE(puzzles.startsWith("CREATE TABLE Puzzles(Number Integer, LargeTriangle1_PosX Integer, "));
    EXPECT_TRUE(puzzles.contains("MediumTriangle_Orientation Integer, SmallTriangle1_PosX Integer"));
    EXPECT_TRUE(puzzles.endsWith("Square_Orientation Integer, PRIMARY KEY(Number))"));

    const auto version = db->SQLSelect("SELECT * FROM Version");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->RecordCount(), 1);
    EXPECT_EQ(version->Field("VersionNumber").Value().StringValue(), "1.0");
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(version->Field("Timestamp").Value().StringValue())
                    .hasMatch());

    for (const char* empty : {"Prefs", "SavedPuzzle", "SolvedPuzzles"}) {
        EXPECT_EQ(Count(*db, QString("SELECT COUNT(*) AS n FROM ") + empty), 0) << empty;
    }
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) AS n FROM Puzzles"), 30);
    EXPECT_EQ(Count(*db, "SELECT COUNT(DISTINCT Number) AS n FROM Puzzles WHERE Number BETWEEN 1 AND 30"), 30);
    // The catalogue's columns follow the table's order: spot the ends of it.
    for (const int* row : {kPuzzle1, kPuzzle30}) {
        const auto rs = db->SQLSelect("SELECT * FROM Puzzles WHERE Number = " + QString::number(row[0]));
        ASSERT_NE(rs, nullptr);
        ASSERT_EQ(rs->RecordCount(), 1);
        EXPECT_EQ(rs->Field("LargeTriangle1_PosX").Value().IntegerValue(), row[1]);
        EXPECT_EQ(rs->Field("LargeTriangle2_Orientation").Value().IntegerValue(), row[6]);
        EXPECT_EQ(rs->Field("MediumTriangle_PosY").Value().IntegerValue(), row[8]);
        EXPECT_EQ(rs->Field("SmallTriangle2_PosX").Value().IntegerValue(), row[13]);
        EXPECT_EQ(rs->Field("Rhombus_Orientation").Value().IntegerValue(), row[18]);
        EXPECT_EQ(rs->Field("Square_PosY").Value().IntegerValue(), row[20]);
    }
    // Every orientation within each piece's range occurs, none outside it.
    EXPECT_EQ(Count(*db, "SELECT COUNT(*) AS n FROM Puzzles WHERE Rhombus_Orientation NOT BETWEEN 1 AND 4 "
                         "OR Square_Orientation NOT BETWEEN 1 AND 2 OR LargeTriangle1_Orientation NOT BETWEEN 1 AND 8"),
              0);
    EXPECT_EQ(Count(*db, "SELECT COUNT(DISTINCT SmallTriangle1_Orientation) AS n FROM Puzzles"), 8);
}

TEST_F(StoreTest, ALaterStartWritesNothingAndKeepsEveryRow)
{
    QDir().mkpath(PrefsDatabaseClass::StoreFolderPath()); // folder present, file missing
    {
        PrefsDatabaseClass store;
        store.SetPref("RanOnce", Variant("Yes"));
        store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(4, 2)");
        store.mDB->Commit();
    }
    const QString file = PrefsDatabaseClass::StoreFilePath();
    const FileState before = StateOf(file);
    {
        PrefsDatabaseClass store;
        EXPECT_FALSE(store.UsesFallbackStore());
        EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");
        EXPECT_TRUE(store.IsPuzzleSolved(4));
        EXPECT_EQ(Count(*store.mDB, "SELECT COUNT(*) AS n FROM Puzzles"), 30) << "the catalogue is not added twice";
    }
    EXPECT_TRUE(StateOf(file) == before);
    EXPECT_TRUE(mMessages.isEmpty());
}

TEST_F(StoreTest, PreferencesAreInsertedOnceThenUpdatedInPlace)
{
    PrefsDatabaseClass store;
    EXPECT_TRUE(store.GetPref("MakeGameHarder").IsNil());

    store.SetPref("MakeGameHarder", Variant(true));
    EXPECT_FALSE(store.GetPref("MakeGameHarder").IsNil());
    EXPECT_TRUE(store.GetPref("MakeGameHarder").BooleanValue());
    for (const bool flag : {false, true, false}) {
        store.SetPref("MakeGameHarder", Variant(flag));
        EXPECT_FALSE(store.GetPref("MakeGameHarder").IsNil());
        EXPECT_EQ(store.GetPref("MakeGameHarder").BooleanValue(), flag);
    }
    EXPECT_EQ(Count(*store.mDB, "SELECT COUNT(*) AS n FROM Prefs WHERE PrefName = 'MakeGameHarder'"), 1);

    store.SetPref("RanOnce", Variant("Yes"));
    EXPECT_EQ(Count(*store.mDB, "SELECT COUNT(*) AS n FROM Prefs"), 2);

    // A name with a quote in it neither breaks the statement nor reaches
    // another preference.
    store.SetPref("Player's pick", Variant(7));
    EXPECT_EQ(store.GetPref("Player's pick").IntegerValue(), 7);
    EXPECT_EQ(store.GetPref("RanOnce").StringValue(), "Yes");

    // Every write is committed at once: another connection sees it.
    auto other = std::make_unique<Database>();
    other->DatabaseFile = PrefsDatabaseClass::StoreFilePath();
    ASSERT_TRUE(other->Connect());
    const auto rs = other->SQLSelect("SELECT PrefValue FROM Prefs WHERE PrefName = 'MakeGameHarder'");
    ASSERT_NE(rs, nullptr);
    EXPECT_FALSE(rs->Field("PrefValue").Value().BooleanValue());
    EXPECT_EQ(Count(*other, "SELECT COUNT(*) AS n FROM Prefs"), 3);
}

TEST_F(StoreTest, IsPuzzleSolvedLooksForAnyRecordOfTheNumber)
{
    PrefsDatabaseClass store;
    for (const int number : {5, 5, 7}) {
        store.mDB->SQLExecute("INSERT INTO SolvedPuzzles VALUES(" + QString::number(number) + ", 1)");
    }
    store.mDB->Commit();
    EXPECT_EQ(Count(*store.mDB, "SELECT COUNT(*) AS n FROM SolvedPuzzles WHERE Number = 5"), 2);
    EXPECT_TRUE(store.IsPuzzleSolved(5));
    EXPECT_TRUE(store.IsPuzzleSolved(7));
    for (const int number : {0, 6, 31, -1}) {
        EXPECT_FALSE(store.IsPuzzleSolved(number)) << number;
    }
}

TEST_F(StoreTest, AFolderThatCannotBeCreatedFallsBackToAStoreInMemory)
{
    // Tests may run as root, who can write anywhere; a folder inside a
    // regular file cannot be made by anyone.
    const QString blocker = ConfigPath() + "/not-a-folder";
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    UsePreferencesFolder(blocker + "/config");

    PrefsDatabaseClass store;
    ExpectFallbackStore(store, "Error creating preferences.");
    EXPECT_FALSE(QFileInfo::exists(PrefsDatabaseClass::StoreFilePath()));
    EXPECT_EQ(Bytes(blocker), QByteArray("x"));
}

TEST_F(StoreTest, AFileThatIsNotADatabaseIsReportedAndLeftAlone)
{
    QDir().mkpath(PrefsDatabaseClass::StoreFolderPath());
    const QString path = PrefsDatabaseClass::StoreFilePath();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x5a'));
    file.close();
    const FileState before = StateOf(path);
    {
        PrefsDatabaseClass store;
        ExpectFallbackStore(store, "Error opening preferences.");
    }
    EXPECT_TRUE(StateOf(path) == before);
}

TEST_F(StoreTest, AStoreMissingATableIsReportedAndLeftAlone)
{
    {
        PrefsDatabaseClass store;
        store.mDB->SQLExecute("DROP TABLE SolvedPuzzles");
        ASSERT_TRUE(store.mDB->Commit());
    }
    const QString path = PrefsDatabaseClass::StoreFilePath();
    const FileState before = StateOf(path);
    {
        PrefsDatabaseClass store;
        ExpectFallbackStore(store, "Error opening preferences.");
    }
    EXPECT_TRUE(StateOf(path) == before);
}
