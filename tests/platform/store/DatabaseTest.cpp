#include "platform/store/Database.h"
#include "platform/Date.h"
#include "tests/support/AnotherProgram.h"
#include "tests/support/FullDisk.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

using namespace platform;

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return mDir.filePath(name); }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A fresh file with one table of three rows, committed.
    void CreateSample(const QString& name)
    {
        mDb.DatabaseFile = Path(name);
        ASSERT_TRUE(mDb.CreateDatabaseFile());
        mDb.SQLExecute("CREATE TABLE T (Name TEXT, Num INTEGER, Stamp TEXT)");
        mDb.SQLExecute("INSERT INTO T (Name, Num) VALUES ('a', 1), ('b', 2), ('c', 3)");
        ASSERT_TRUE(mDb.Commit()) << mDb.ErrorMessage().toStdString();
    }

    int Count(const QString& table)
    {
        auto rs = mDb.SQLSelect("SELECT COUNT(*) AS n FROM " + table);
        return rs ? rs->Field("n").Value().IntegerValue() : -1;
    }

    // The rows of T as the connection answers them, by name: "a1 b2 c3".
    QString Rows()
    {
        auto rs = mDb.SQLSelect(
            "SELECT group_concat(Name || ifnull(Num, ''), ' ') AS s FROM (SELECT * FROM T ORDER BY Name)");
        return rs ? rs->Field("s").Value().StringValue() : QStringLiteral("(no answer)");
    }

    // Inserts a row of that name into T and commits it; told collects what
    // the refusal handler hears.
    void InsertAndCommit(const QString& name)
    {
        DatabaseRecord record;
        record.Column("Name", name);
        EXPECT_TRUE(mDb.InsertRecord("T", record)) << mDb.ErrorMessage().toStdString();
        EXPECT_TRUE(mDb.Commit());
    }
    // Inserts a row while another program keeps the file to itself: the
    // write is refused, and the connection goes on in memory; told: all
    // the player has heard by then.
    void InsertAndCommitWhileTheFileIsHeld(const QString& name, const char* told = "another program is using it")
    {
        AnotherProgram holder;
        ASSERT_NO_FATAL_FAILURE(holder.Take(AnotherProgram::kExclusive, mDb.DatabaseFile));
        InsertAndCommit(name);
        holder.Release();
        EXPECT_EQ(mTold.join("; ").toStdString(), told);
    }
    // Rolls back while no lock on the file can be had, so not even a read of it.
    void RollbackWhileTheFileCannotBeRead()
    {
        FullDisk::SetLockedOut(true);
        mDb.Rollback();
        FullDisk::SetLockedOut(false);
    }
    // Another connection to the file writes and commits.
    void CommitOnAnotherConnection(const QString& sql)
    {
        Database other;
        other.DatabaseFile = mDb.DatabaseFile;
        ASSERT_TRUE(other.Connect());
        other.SQLExecute(sql);
        ASSERT_TRUE(other.Commit()) << sql.toStdString();
    }
    void CollectRefusals()
    {
        mDb.SetRefusalHandler([this](const QString& reason) { mTold << reason; });
    }

    QTemporaryDir mDir{qEnvironmentVariable("XDG_CONFIG_HOME") + "/db-XXXXXX"};
    Database mDb;
    QStringList mTold;
};

} // namespace

TEST_F(DatabaseTest, BadFilesAndBadStatementsAreRefusedWithoutACrash)
{
    Database notDb;
    notDb.DatabaseFile = Path("missing.dat");
    EXPECT_FALSE(notDb.Connect());
    EXPECT_FALSE(QFile::exists(Path("missing.dat"))) << "connecting must not create the file";

    const QByteArray garbage("this is a letter to a friend, not a database at all\n");
    QFile file(Path("garbage.dat"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    file.close();
    notDb.DatabaseFile = Path("garbage.dat");
    EXPECT_FALSE(notDb.Connect());
    EXPECT_FALSE(notDb.CreateDatabaseFile()) << "an existing file is never replaced";
    EXPECT_EQ(Bytes(Path("garbage.dat")), garbage);

    // Nothing runs without a connection, and nothing crashes.
    EXPECT_EQ(notDb.SQLSelect("SELECT 1"), nullptr);
    notDb.SQLExecute("CREATE TABLE X (a)");
    EXPECT_TRUE(notDb.Error());
    EXPECT_FALSE(notDb.InsertRecord("X", DatabaseRecord()));
    EXPECT_FALSE(notDb.Commit());

    // Failing statements give no record set and a readable error.
    CreateSample("s.dat");
    EXPECT_EQ(mDb.SQLSelect("SELECT * FROM NoSuchTable"), nullptr);
    EXPECT_TRUE(mDb.ErrorMessage().contains("NoSuchTable")) << mDb.ErrorMessage().toStdString();
    EXPECT_EQ(mDb.SQLSelect("this is not sql"), nullptr);
    DatabaseRecord bad;
    bad.IntegerColumn("NoSuchColumn", 1);
    EXPECT_FALSE(mDb.InsertRecord("T", bad));
    EXPECT_TRUE(mDb.KeepsToFile()) << "a statement wrong on any file is no refusal of this one";

    // A success afterwards clears the error.
    EXPECT_EQ(Count("T"), 3);
    EXPECT_FALSE(mDb.Error());
}

TEST_F(DatabaseTest, OnlyCommittedWritesReachTheFileAndAFailedCommitChangesNothing)
{
    CreateSample("f.dat");
    mDb.SQLExecute("PRAGMA user_version = 7; DELETE FROM T WHERE Name = 'a'");
    EXPECT_EQ(Count("T"), 2) << "the connection sees its own open transaction";
    mDb.Close(); // without commit
    ASSERT_TRUE(mDb.Connect());
    EXPECT_EQ(Count("T"), 3);
    auto version = mDb.SQLSelect("PRAGMA user_version");
    EXPECT_TRUE(version && version->Field("user_version").Value().IntegerValue() == 7) << "a pragma runs as it is";

    mDb.SQLExecute("PRAGMA foreign_keys = ON; CREATE TABLE Parent (Id INTEGER PRIMARY KEY); INSERT INTO Parent VALUES (1);"
                   "CREATE TABLE Child (ParentId INTEGER REFERENCES Parent(Id) DEFERRABLE INITIALLY DEFERRED)");
    ASSERT_TRUE(mDb.Commit());
    const QByteArray before = Bytes(mDb.DatabaseFile);

    // The dangling reference is only checked at commit time.
    mDb.SQLExecute("INSERT INTO Parent (Id) VALUES (2); INSERT INTO Child (ParentId) VALUES (99)");
    ASSERT_FALSE(mDb.Error()) << mDb.ErrorMessage().toStdString();
    EXPECT_FALSE(mDb.Commit());
    EXPECT_TRUE(mDb.Error());
    EXPECT_EQ(Count("Parent"), 1);
    EXPECT_EQ(Bytes(mDb.DatabaseFile), before);

    // The connection goes on working after the failure.
    mDb.SQLExecute("INSERT INTO Parent (Id) VALUES (3)");
    EXPECT_TRUE(mDb.Commit());
    EXPECT_EQ(Count("Parent"), 2);

    // Writes closed without a commit are undone; the next connection's first
    // write is in its copy all the same.
    mDb.SQLExecute("INSERT INTO Parent (Id) VALUES (4)");
    mDb.Close();
    ASSERT_TRUE(mDb.Connect());
    mDb.SQLExecute("INSERT INTO Parent (Id) VALUES (5)");
    mDb.MoveToMemoryCopy();
    EXPECT_EQ(Count("Parent WHERE Id IN (4, 5)"), 1);
}

// (That the player is told only once, and that the file stays as it was
// after the other program lets go, is the game's test.)
TEST_F(DatabaseTest, AFileAnotherConnectionHoldsIsLeftForTheCopyAfterTheRefusedStatementRan)
{
    Database::Options().busyTimeoutMs = 50;
    // {how the other connection holds the file, what it refuses, rows seen
    // once that statement is done: before the insert, after it, after the delete}
    const std::tuple<const char*, const char*, int> holds[] = {
        {"BEGIN EXCLUSIVE", "the first read", 3}, {"BEGIN IMMEDIATE", "the insert", 4}, {"BEGIN", "the commit", 3}};
    for (const auto& [begin, refused, rowsWhenTold] : holds) {
        SCOPED_TRACE(begin);
        CreateSample(QString(begin) + ".dat");
        mDb.SQLExecute("UPDATE T SET Num = 10 WHERE Name = 'a'");
        ASSERT_TRUE(mDb.Commit());
        Database other;
        other.DatabaseFile = mDb.DatabaseFile;
        ASSERT_TRUE(other.Connect());
        other.SQLExecute(begin);
        ASSERT_NE(other.SQLSelect("SELECT * FROM T"), nullptr); // a reader's lock lasts until its transaction ends

        // Told after the statement: the refused write is in place by then.
        QStringList told;
        mDb.SetRefusalHandler([this, &told](const QString& reason) { told << reason << QString::number(Count("T")); });
        EXPECT_EQ(Count("T"), 3);
        DatabaseRecord record;
        record.Column("Name", "d");
        EXPECT_TRUE(mDb.InsertRecord("T", record));
        mDb.SQLExecute("DELETE FROM T WHERE Name = 'b'");
        EXPECT_TRUE(mDb.Commit()) << refused << " refused, kept in memory";
        EXPECT_EQ(told, QStringList({"another program is using it", QString::number(rowsWhenTold)}));
        EXPECT_EQ(mDb.LastRowID(), 4) << "the row inserted after the sample's three";
        EXPECT_FALSE(mDb.KeepsToFile());
        auto rows = mDb.SQLSelect("SELECT group_concat(Name || ifnull(Num, ''), ' ') AS s FROM (SELECT * FROM T ORDER BY Name)");
        ASSERT_NE(rows, nullptr);
        EXPECT_EQ(rows->Field("s").Value().StringValue(), "a10 c3 d") << "the commit before, both writes after";
        mDb.Close();
    }
    Database::Options() = {};
}

// Whatever SQLite's code, a write the file fails and the copy runs is a
// refusal, told with what became of the file; the write is kept in memory
// and the file is not touched again.
TEST_F(DatabaseTest, AFileEmptiedCutShortRemovedReplacedOrChangedByAnotherProgramIsARefusalWithItsTrueReason)
{
    // Dropping a table stands for any other change another program makes.
    constexpr int kTableDropped = AnotherProgram::kRenamedOver + 1;
    const std::pair<int, const char*> changes[] = {
        {AnotherProgram::kEmptied, "another program emptied it or cut it short"},
        {AnotherProgram::kCutShort, "another program emptied it or cut it short"},
        {AnotherProgram::kRemoved, "another program removed or replaced it"},
        {AnotherProgram::kRenamedOver, "another program removed or replaced it"},
        {kTableDropped, "another program changed it"},
    };
    CollectRefusals();
    for (const auto& [change, reason] : changes) {
        SCOPED_TRACE(reason);
        CreateSample(QStringLiteral("changed-%1.dat").arg(change));
        mTold.clear();
        EXPECT_EQ(Rows().toStdString(), "a1 b2 c3");
        const QString file = mDb.DatabaseFile;
        if (change != kTableDropped) {
            ASSERT_TRUE(AnotherProgram::ChangeFile(static_cast<AnotherProgram::Change>(change), file));
        } else {
            ASSERT_NO_FATAL_FAILURE(CommitOnAnotherConnection("DROP TABLE T"));
        }
        const QByteArray changed = Bytes(file);
        // A read of the file's own table of tables goes through on any file;
        // a file that lost the table must not become the copy.
        EXPECT_EQ(Count("sqlite_master WHERE name = 'T'"), 1);
        InsertAndCommit("d");
        EXPECT_EQ(mTold.join("; ").toStdString(), reason);
        EXPECT_FALSE(mDb.KeepsToFile());
        EXPECT_EQ(Rows().toStdString(), "a1 b2 c3 d");
        InsertAndCommit("e");
        EXPECT_EQ(mTold.size(), 1) << "told once";
        mDb.Close();
        EXPECT_EQ(Bytes(file), changed);
        EXPECT_EQ(QFileInfo::exists(file), change != AnotherProgram::kRemoved);
    }
}

// Two copies of the game on one file: what this connection has been shown
// of the other's writes stays in its copy, while a write the other made
// that this one never saw can still refuse a statement (a constraint), which
// is the statement's failure, not the file's.
TEST_F(DatabaseTest, WhatAnotherConnectionWroteAndThisOneSawStaysWhenTheFileRefuses)
{
    Database::Options().busyTimeoutMs = 50;
    CreateSample("shared.dat");
    mDb.SQLExecute("CREATE UNIQUE INDEX OneOfEachName ON T (Name)");
    ASSERT_TRUE(mDb.Commit());
    CollectRefusals();
    ASSERT_NO_FATAL_FAILURE(CommitOnAnotherConnection("INSERT INTO T (Name) VALUES ('e'); INSERT INTO T (Name) VALUES ('f')"));

    DatabaseRecord same;
    same.Column("Name", "f");
    EXPECT_FALSE(mDb.InsertRecord("T", same)) << "the other's row came first";
    EXPECT_TRUE(mDb.Commit());
    EXPECT_TRUE(mDb.KeepsToFile());
    EXPECT_EQ(Rows().toStdString(), "a1 b2 c3 e f");
    ASSERT_NO_FATAL_FAILURE(CommitOnAnotherConnection("INSERT INTO T (Name) VALUES ('g')"));
    EXPECT_EQ(Count("T WHERE Name = 'g'"), 1); // shown

    ASSERT_NO_FATAL_FAILURE(InsertAndCommitWhileTheFileIsHeld("d"));
    EXPECT_EQ(Rows().toStdString(), "a1 b2 c3 d e f g");
    Database::Options() = {};
}

// What another connection committed stays in this one's copy through this
// one's transaction, however SQLite ends it: by Commit or Rollback, by a
// statement whatever its text, by a trigger or a conflict clause, and after
// the file was left in the middle of it. A rollback puts back the copy the
// transaction's first write found (with the file version it was taken at),
// then takes the file again wherever it can still be read.
TEST_F(DatabaseTest, AnotherConnectionsRowsStayInViewHoweverSQLiteEndsATransactionBeforeTheFileRefuses)
{
    Database::Options().busyTimeoutMs = 50;
    FullDisk::Install();
    const auto insert = [this](const char* name) {
        DatabaseRecord record;
        record.Column("Name", name);
        return mDb.InsertRecord("T", record);
    };
    const auto shown = [this] { EXPECT_EQ(Rows().toStdString(), "a1 b2 c3 e"); };
    // How this connection's transaction ends once the other committed e; the
    // rows in view after a later write is refused, and what the player heard.
    struct Ending {
        const char* how;
        std::function<void()> end;
        const char* view = "a1 b2 c3 e f";
        const char* told = "another program is using it";
    };
    const Ending endings[] = {
        {"Commit of a write that broke a rule only",
         [&] { EXPECT_FALSE(insert("e")); EXPECT_TRUE(mDb.Commit()); shown(); }},
        {"Rollback of two writes, the file locked",
         [&] { EXPECT_TRUE(insert("d") && insert("x")); RollbackWhileTheFileCannotBeRead(); shown(); }},
        {"Rollback of an explicit BEGIN, the file locked",
         [&] { mDb.SQLExecute("BEGIN"); EXPECT_TRUE(insert("d")); RollbackWhileTheFileCannotBeRead(); shown(); }},
        {"ROLLBACK sent, the file locked", [&] {
             EXPECT_TRUE(insert("d"));
             FullDisk::SetLockedOut(true);
             mDb.SQLExecute("ROLLBACK");
             FullDisk::SetLockedOut(false);
             shown();
         }},
        {"Rollback, nothing read after it", [&] { EXPECT_TRUE(insert("d")); mDb.Rollback(); }},
        {"Rollback of a BEGIN that only read, the file locked",
         [&] { mDb.SQLExecute("BEGIN"); shown(); RollbackWhileTheFileCannotBeRead(); }},
        {"ROLLBACK behind a comment", [&] { EXPECT_TRUE(insert("d")); mDb.SQLExecute("/* undo */ ROLLBACK"); }},
        {"INSERT OR ROLLBACK of a name already there", [&] {
             EXPECT_TRUE(insert("d"));
             mDb.SQLExecute("INSERT OR ROLLBACK INTO T (Name) VALUES ('a')");
             EXPECT_TRUE(mDb.Error());
         }},
        {"a trigger's RAISE(ROLLBACK)", [&] { EXPECT_TRUE(insert("d")); EXPECT_FALSE(insert("z")); }},
        {"COMMIT sent, then Rollback, after a full disk refused a write mid-transaction", [&] {
             mDb.SQLExecute("BEGIN");
             EXPECT_TRUE(insert("d"));
             FullDisk::SetFull(true);
             mDb.SQLExecute("INSERT INTO U (Name) VALUES ('u')"); // SQLite rolls the file's transaction back
             FullDisk::SetFull(false);
             mDb.SQLExecute("COMMIT");
             mDb.Rollback();
         }, "a1 b2 c3 d e f", "the disk is full"},
        {"COMMIT of a BEGIN EXCLUSIVE, the file locked once it is done", [&] {
             mDb.SQLExecute("BEGIN EXCLUSIVE");
             EXPECT_TRUE(insert("d"));
             FullDisk::SetLockedOut(true);
             mDb.SQLExecute("COMMIT");
             FullDisk::SetLockedOut(false);
             EXPECT_TRUE(mDb.KeepsToFile()) << "a commit the file took is no refusal";
         }, "a1 b2 c3 d e f"},
        {"ROLLBACK TO the SAVEPOINT that began the transaction",
         [&] { mDb.SQLExecute("SAVEPOINT sp"); EXPECT_TRUE(insert("d")); mDb.SQLExecute("ROLLBACK TO sp; RELEASE sp"); }},
        {"a table and a write undone by ROLLBACK TO a SAVEPOINT inside BEGIN ... END", [&] {
             mDb.SQLExecute("BEGIN");
             EXPECT_TRUE(insert("d"));
             mDb.SQLExecute("SAVEPOINT s; CREATE TABLE V (Name TEXT)");
             EXPECT_TRUE(insert("x"));
             mDb.SQLExecute("ROLLBACK TRANSACTION TO SAVEPOINT s; END");
             EXPECT_EQ(std::pair(mDb.Error(), Count("sqlite_master WHERE name = 'V'")), std::pair(false, 0));
         }, "a1 b2 c3 d e f"},
        {"Commit after the file was left mid-transaction, then a write rolled back", [&] {
             EXPECT_TRUE(insert("d"));
             mDb.MoveToMemoryCopy();
             EXPECT_TRUE(mDb.Commit());
             EXPECT_TRUE(insert("x"));
             mDb.Rollback();
         }, "a1 b2 c3 d e f", ""},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.how);
        CreateSample(QStringLiteral("ends-%1.dat").arg(&ending - endings));
        mDb.SQLExecute("CREATE TABLE U (Name TEXT); CREATE UNIQUE INDEX OneOfEachName ON T (Name); CREATE TRIGGER NoZ"
                       " BEFORE INSERT ON T WHEN NEW.Name = 'z' BEGIN SELECT RAISE(ROLLBACK, 'no z'); END");
        ASSERT_TRUE(mDb.Commit());
        mTold.clear();
        CollectRefusals();
        ASSERT_NO_FATAL_FAILURE(CommitOnAnotherConnection("INSERT INTO T (Name) VALUES ('e')"));
        ending.end();
        ASSERT_NO_FATAL_FAILURE(InsertAndCommitWhileTheFileIsHeld("f", ending.told));
        EXPECT_EQ(Rows().toStdString(), ending.view);
        mDb.Close();
    }
    Database::Options() = {};
}

// A rollback goes back to the store as its transaction found it, in memory
// too, without reading the file (which another program may hold by then);
// so does a rollback after the file was left in the middle of a transaction.
TEST_F(DatabaseTest, ARollbackTakesItsWritesOutOfTheCopyEvenWhenTheFileCannotBeReadAgain)
{
    Database::Options().busyTimeoutMs = 50;
    FullDisk::Install();
    CreateSample("r.dat");
    CollectRefusals();
    DatabaseRecord record;
    record.Column("Name", "d");
    ASSERT_TRUE(mDb.InsertRecord("T", record));
    RollbackWhileTheFileCannotBeRead();
    ASSERT_NO_FATAL_FAILURE(InsertAndCommitWhileTheFileIsHeld("e"));
    EXPECT_EQ(Rows().toStdString(), "a1 b2 c3 e");

    CreateSample("r2.dat");
    mTold.clear();
    CollectRefusals();
    ASSERT_TRUE(mDb.InsertRecord("T", record));
    FullDisk::SetFull(true);
    mDb.SQLExecute("CREATE TABLE U (Name TEXT)"); // its page's old bytes no longer fit in the journal
    FullDisk::SetFull(false);
    EXPECT_EQ(mTold.join("; ").toStdString(), "the disk is full");
    mDb.Rollback();
    EXPECT_EQ(Rows().toStdString(), "a1 b2 c3");
    EXPECT_EQ(Count("sqlite_master WHERE name = 'U'"), 0);
    Database::Options() = {};
}

TEST_F(DatabaseTest, RecordSetsWalkTheirRowsAndUpdateOnlyOneTablesLiveRows)
{
    CreateSample("n.dat");
    DatabaseRecord record;
    record.Column("Name", "d");
    record.IntegerColumn("Num", -40);
    ASSERT_TRUE(mDb.InsertRecord("T", record));
    EXPECT_EQ(mDb.LastRowID(), 4);

    auto rs = mDb.SQLSelect("SELECT Name, Num FROM T ORDER BY Num");
    ASSERT_NE(rs, nullptr);
    EXPECT_EQ(rs->RecordCount(), 4);
    // The first row is current straight after the select.
    EXPECT_EQ(rs->Field("Name").Value().StringValue(), "d");
    EXPECT_EQ(rs->Field("num").Value().IntegerValue(), -40) << "column names ignore case";
    EXPECT_TRUE(rs->Field("Stamp").Value().IsNil()) << "a column not selected reads nil";
    for (int i = 0; i < 5; ++i) {
        rs->MoveNext(); // past the end stays at the end
    }
    EXPECT_TRUE(rs->EOF());
    EXPECT_TRUE(rs->Field("Num").Value().IsNil());
    rs->MoveFirst();
    EXPECT_EQ(rs->Field("Num").Value().IntegerValue(), -40);

    auto aggregate = mDb.SQLSelect("SELECT COUNT(*) AS n FROM T");
    ASSERT_NE(aggregate, nullptr);
    aggregate->Edit();
    aggregate->Field("n").SetValue(Variant(9));
    EXPECT_FALSE(aggregate->Update());
    mDb.Close();
    rs->Edit();
    rs->Field("Num").SetValue(Variant(7));
    EXPECT_FALSE(rs->Update());
}

TEST(VariantTest, ConvertsAsTheStoreAndTheGameExpect)
{
    EXPECT_TRUE(Variant().IsNil());
    EXPECT_EQ(Variant().StringValue(), "");
    const std::pair<Variant, int> integers[] = {{Variant(), 0}, {Variant("42"), 42}, {Variant(" -80 "), -80},
        {Variant("3.9"), 3}, {Variant("Yes"), 0}, {Variant(2.75), 2}, {Variant(true), 1}};
    for (const auto& [value, expected] : integers) {
        EXPECT_EQ(value.IntegerValue(), expected) << value.StringValue().toStdString();
    }
    // Booleans: any-case "true"/"yes", non-zero numbers, and the text a
    // stored boolean is written as.
    for (const Variant& yes : {Variant("TRUE"), Variant("Yes"), Variant(" 1 "), Variant("2"), Variant(0.5),
                              Variant(Variant(true).StringValue())}) {
        EXPECT_TRUE(yes.BooleanValue()) << yes.StringValue().toStdString();
    }
    for (const Variant& no : {Variant("False"), Variant("No"), Variant("0"), Variant(""), Variant("maybe"),
                             Variant(0), Variant(Variant(false).StringValue())}) {
        EXPECT_FALSE(no.BooleanValue()) << no.StringValue().toStdString();
    }
    // Solve records are stamped in the form SQLite's own defaults take.
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$")
                    .match(platform::Date().SQLDateTime()).hasMatch());
}
