#include "platform/Database.h"
#include "platform/Date.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::Database;
using platform::DatabaseRecord;
using platform::Variant;

namespace {

// Each test gets its own folder inside the temporary preferences folder.
class DatabaseTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return mDir.filePath(name); }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A fresh file with one table of three rows, committed.
    void CreateSample(Database& db, const QString& path)
    {
        db.DatabaseFile = path;
        ASSERT_TRUE(db.CreateDatabaseFile());
        db.SQLExecute("CREATE TABLE T (Name TEXT, Num INTEGER, Stamp TEXT DEFAULT CURRENT_TIMESTAMP, Val BLOB)");
        db.SQLExecute("INSERT INTO T (Name, Num) VALUES ('a', 1), ('b', 2), ('c', 3)");
        ASSERT_FALSE(db.Error()) << db.ErrorMessage().toStdString();
        ASSERT_TRUE(db.Commit());
    }

    static int Count(Database& db, const QString& sql)
    {
        auto rs = db.SQLSelect(sql);
        return rs ? rs->Field("n").Value().IntegerValue() : -1;
    }

    QTemporaryDir mDir{qEnvironmentVariable("XDG_CONFIG_HOME") + "/db-XXXXXX"};
};

} // namespace

TEST_F(DatabaseTest, RefusesWhatIsNotAnOpenableDatabase)
{
    Database missing;
    missing.DatabaseFile = Path("missing.dat");
    EXPECT_FALSE(missing.Connect());
    EXPECT_FALSE(missing.IsConnected());
    EXPECT_TRUE(missing.Error());
    EXPECT_FALSE(QFile::exists(Path("missing.dat"))) << "connecting must not create the file";

    const QByteArray garbage("this is a letter to a friend, not a database at all\n");
    WriteBytes(Path("garbage.dat"), garbage);
    Database notDb;
    notDb.DatabaseFile = Path("garbage.dat");
    EXPECT_FALSE(notDb.Connect());
    EXPECT_FALSE(notDb.IsConnected());
    EXPECT_EQ(Bytes(Path("garbage.dat")), garbage);

    Database exists;
    exists.DatabaseFile = Path("garbage.dat");
    EXPECT_FALSE(exists.CreateDatabaseFile()) << "an existing file is never replaced";
    EXPECT_EQ(Bytes(Path("garbage.dat")), garbage);

    // Tests may run as root, so a folder under a regular file is the sure way
    // to get a place where nothing can be created.
    Database unwritable;
    unwritable.DatabaseFile = Path("garbage.dat") + "/sub/new.dat";
    EXPECT_FALSE(unwritable.CreateDatabaseFile());
    EXPECT_FALSE(unwritable.IsConnected());

    // Nothing runs without a connection, and nothing crashes.
    EXPECT_EQ(notDb.SQLSelect("SELECT 1"), nullptr);
    notDb.SQLExecute("CREATE TABLE X (a)");
    EXPECT_TRUE(notDb.Error());
    EXPECT_FALSE(notDb.InsertRecord("X", DatabaseRecord()));
    EXPECT_FALSE(notDb.Commit());
    EXPECT_EQ(notDb.LastRowID(), 0);
}

TEST_F(DatabaseTest, FailingStatementsGiveNoRecordSetAndAReadableError)
{
    Database db;
    CreateSample(db, Path("s.dat"));
    EXPECT_EQ(db.SQLSelect("SELECT * FROM NoSuchTable"), nullptr);
    EXPECT_TRUE(db.ErrorMessage().contains("NoSuchTable")) << db.ErrorMessage().toStdString();
    EXPECT_EQ(db.SQLSelect("this is not sql"), nullptr);
    db.SQLExecute("INSERT INTO T (NoSuchColumn) VALUES (1)");
    EXPECT_TRUE(db.Error());

    DatabaseRecord bad;
    bad.IntegerColumn("NoSuchColumn", 1);
    EXPECT_FALSE(db.InsertRecord("T", bad));

    // A success afterwards clears the error.
    ASSERT_NE(db.SQLSelect("SELECT * FROM T"), nullptr);
    EXPECT_FALSE(db.Error());
    EXPECT_EQ(Count(db, "SELECT COUNT(*) AS n FROM T"), 3);
}

TEST_F(DatabaseTest, WritesReachTheFileOnlyWhenCommitted)
{
    const QString path = Path("c.dat");
    {
        Database db;
        CreateSample(db, path);
        db.SQLExecute("INSERT INTO T (Name) VALUES ('committed')");
        ASSERT_TRUE(db.Commit());
        db.SQLExecute("INSERT INTO T (Name) VALUES ('never committed')");
        db.SQLExecute("DELETE FROM T WHERE Name = 'a'");
        // The connection sees its own open transaction.
        EXPECT_EQ(Count(db, "SELECT COUNT(*) AS n FROM T"), 4);
    } // closed without commit

    Database reopened;
    reopened.DatabaseFile = path;
    ASSERT_TRUE(reopened.Connect());
    EXPECT_EQ(Count(reopened, "SELECT COUNT(*) AS n FROM T"), 4);
    EXPECT_EQ(Count(reopened, "SELECT COUNT(*) AS n FROM T WHERE Name = 'never committed'"), 0);
    EXPECT_EQ(Count(reopened, "SELECT COUNT(*) AS n FROM T WHERE Name = 'a'"), 1);
    EXPECT_TRUE(reopened.Commit()) << "a commit with nothing to write succeeds";
}

TEST_F(DatabaseTest, AFailedCommitRollsBackAndLeavesTheFileAsItWas)
{
    const QString path = Path("f.dat");
    Database db;
    db.DatabaseFile = path;
    ASSERT_TRUE(db.CreateDatabaseFile());
    db.SQLExecute("PRAGMA foreign_keys = ON");
    db.SQLExecute("CREATE TABLE Parent (Id INTEGER PRIMARY KEY)");
    db.SQLExecute("CREATE TABLE Child (ParentId INTEGER REFERENCES Parent(Id) DEFERRABLE INITIALLY DEFERRED)");
    db.SQLExecute("INSERT INTO Parent (Id) VALUES (1)");
    ASSERT_TRUE(db.Commit());
    const QByteArray before = Bytes(path);

    // The dangling reference is only checked at commit time.
    db.SQLExecute("INSERT INTO Parent (Id) VALUES (2)");
    db.SQLExecute("INSERT INTO Child (ParentId) VALUES (99)");
    ASSERT_FALSE(db.Error()) << db.ErrorMessage().toStdString();
    EXPECT_FALSE(db.Commit());
    EXPECT_TRUE(db.Error());
    EXPECT_EQ(Count(db, "SELECT COUNT(*) AS n FROM Parent"), 1);
    EXPECT_EQ(Bytes(path), before);

    // The connection goes on working after the failure.
    db.SQLExecute("INSERT INTO Parent (Id) VALUES (3)");
    EXPECT_TRUE(db.Commit());
    EXPECT_EQ(Count(db, "SELECT COUNT(*) AS n FROM Parent"), 2);
}

TEST_F(DatabaseTest, RecordSetWalksItsRows)
{
    Database db;
    CreateSample(db, Path("n.dat"));

    auto empty = db.SQLSelect("SELECT * FROM T WHERE Num > 100");
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->BOF() && empty->EOF());
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_TRUE(empty->Field("Name").Value().IsNil());

    auto rs = db.SQLSelect("SELECT Name, Num FROM T ORDER BY Num");
    ASSERT_NE(rs, nullptr);
    EXPECT_FALSE(rs->BOF() || rs->EOF());
    EXPECT_EQ(rs->RecordCount(), 3);
    // The first row is current straight after the select.
    EXPECT_EQ(rs->Field("Name").Value().StringValue(), "a");
    EXPECT_EQ(rs->Field("num").Value().IntegerValue(), 1) << "column names ignore case";
    EXPECT_TRUE(rs->Field("Stamp").Value().IsNil()) << "a column not selected reads nil";
    rs->MoveNext();
    rs->MoveNext();
    EXPECT_EQ(rs->Field("Num").Value().IntegerValue(), 3);
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF());
    EXPECT_FALSE(rs->BOF());
    EXPECT_TRUE(rs->Field("Num").Value().IsNil());
    rs->MoveNext(); // past the end stays at the end
    rs->MoveFirst();
    EXPECT_EQ(rs->Field("Num").Value().IntegerValue(), 1);
    rs->Close();
    EXPECT_EQ(rs->RecordCount(), 0);

    // Compound queries read like any other.
    db.SQLExecute("CREATE TABLE U (Num INTEGER)");
    db.SQLExecute("INSERT INTO U VALUES (2)");
    auto except = db.SQLSelect("SELECT Num FROM T EXCEPT SELECT Num FROM U");
    ASSERT_NE(except, nullptr);
    EXPECT_EQ(except->RecordCount(), 2);
}

TEST_F(DatabaseTest, InsertRecordFillsDefaultsAndReportsItsRowId)
{
    Database db;
    CreateSample(db, Path("i.dat"));
    DatabaseRecord record;
    record.Column("Name", "d");
    record.IntegerColumn("Num", -40);
    ASSERT_TRUE(db.InsertRecord("T", record));
    ASSERT_TRUE(db.Commit());
    EXPECT_EQ(db.LastRowID(), 4);

    auto rs = db.SQLSelect("SELECT * FROM T WHERE Name = 'd'");
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->Field("Num").Value().IntegerValue(), -40);
    const QRegularExpression stamp("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$");
    EXPECT_TRUE(stamp.match(rs->Field("Stamp").Value().StringValue()).hasMatch());
    EXPECT_TRUE(rs->Field("Val").Value().IsNil());
    EXPECT_TRUE(stamp.match(platform::Date().SQLDateTime()).hasMatch());

    // Text with a quote goes in intact: values are bound, not spliced.
    DatabaseRecord quoted;
    quoted.Column("Name", "it's");
    ASSERT_TRUE(db.InsertRecord("T", quoted));
    EXPECT_EQ(db.LastRowID(), 5);
}

TEST_F(DatabaseTest, EditAndUpdateRewriteTheCurrentRow)
{
    const QString path = Path("e.dat");
    {
        Database db;
        CreateSample(db, path);
        auto rs = db.SQLSelect("SELECT * FROM T WHERE Num >= 2");
        ASSERT_NE(rs, nullptr);
        rs->MoveNext(); // row 'c'
        rs->Edit();
        rs->Field("Val").SetValue(Variant(true));
        rs->Field("Stamp").SetValue(Variant("2001-02-03 04:05:06"));
        EXPECT_TRUE(rs->Update());
        EXPECT_TRUE(db.Commit());
    }
    Database db;
    db.DatabaseFile = path;
    ASSERT_TRUE(db.Connect());
    auto rs = db.SQLSelect("SELECT Name, Stamp, Val FROM T ORDER BY Num");
    ASSERT_NE(rs, nullptr);
    EXPECT_TRUE(rs->Field("Val").Value().IsNil()) << "other rows are untouched";
    rs->MoveNext();
    EXPECT_TRUE(rs->Field("Val").Value().IsNil());
    rs->MoveNext();
    EXPECT_EQ(rs->Field("Name").Value().StringValue(), "c");
    EXPECT_TRUE(rs->Field("Val").Value().BooleanValue());
    EXPECT_EQ(rs->Field("Stamp").Value().StringValue(), "2001-02-03 04:05:06");

    // A set that is not one table's rows cannot be written back.
    auto aggregate = db.SQLSelect("SELECT COUNT(*) AS n FROM T");
    ASSERT_NE(aggregate, nullptr);
    aggregate->Edit();
    aggregate->Field("n").SetValue(Variant(9));
    EXPECT_FALSE(aggregate->Update());

    // Nor can a set whose connection is gone.
    auto orphan = db.SQLSelect("SELECT * FROM T");
    db.Close();
    orphan->Edit();
    orphan->Field("Num").SetValue(Variant(7));
    EXPECT_FALSE(orphan->Update());
}

TEST(VariantTest, ConvertsAsTheStoreAndTheGameExpect)
{
    EXPECT_TRUE(Variant().IsNil());
    EXPECT_EQ(Variant().IntegerValue(), 0);
    EXPECT_EQ(Variant().StringValue(), "");
    EXPECT_FALSE(Variant().BooleanValue());

    EXPECT_EQ(Variant("42").IntegerValue(), 42);
    EXPECT_EQ(Variant(" -80 ").IntegerValue(), -80);
    EXPECT_EQ(Variant("3.9").IntegerValue(), 3);
    EXPECT_EQ(Variant("Yes").IntegerValue(), 0);
    EXPECT_EQ(Variant(2.75).IntegerValue(), 2);
    EXPECT_EQ(Variant(true).IntegerValue(), 1);
    EXPECT_EQ(Variant(std::int64_t{5'000'000'000}).Int64Value(), 5'000'000'000);
    EXPECT_DOUBLE_EQ(Variant("0.5").DoubleValue(), 0.5);

    for (const char* yes : {"True", "true", "TRUE", "Yes", "yes", "1", "2", " 1 "}) {
        EXPECT_TRUE(Variant(yes).BooleanValue()) << yes;
    }
    for (const char* no : {"False", "false", "No", "0", "", "maybe"}) {
        EXPECT_FALSE(Variant(no).BooleanValue()) << no;
    }
    EXPECT_TRUE(Variant(1).BooleanValue());
    EXPECT_FALSE(Variant(0).BooleanValue());
    EXPECT_TRUE(Variant(0.5).BooleanValue());

    // A boolean spelled as text reads back as the same boolean.
    EXPECT_TRUE(Variant(Variant(true).StringValue()).BooleanValue());
    EXPECT_FALSE(Variant(Variant(false).StringValue()).BooleanValue());
    EXPECT_EQ(Variant(-7).StringValue(), "-7");
    EXPECT_EQ(Variant(0.1).StringValue(), "0.1");
    EXPECT_EQ(Variant(Variant(0.1).StringValue()).DoubleValue(), 0.1);
}
