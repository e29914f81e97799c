#pragma once

#include "platform/store/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// Small pieces of the connection's work over the sqlite3 C API: values in
// and out of statements, what a result code means to the player, and which
// queries can be edited row by row.
namespace platform {

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const;
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

struct ConnectionCloser {
    void operator()(sqlite3* db) const;
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

// Why a file could not be used, in the terms the player is told.
enum class FileProblem {
    None,
    InUse,
    DiskFull,
    WriteProtected,
    FolderWriteProtected,
    FolderIsAFile,
    PathTooLong,
    Unreadable,
    DiskError,
    Damaged,
    Replaced,
    CutShort,
    Changed
};

QString QuoteIdentifier(const QString& name);
// Binds one value, counted from 1; answers SQLite's result code.
int Bind(sqlite3_stmt* stmt, int index, const Variant& value);
// The value of one column of the current row, counted from 0.
Variant ColumnValue(sqlite3_stmt* stmt, int column);
// What a result code says about the file itself (full disk, write
// protection, a lock held too long, I/O error, damage); None for a statement
// that is wrong whatever file it runs on.
FileProblem ProblemOf(int code);
// Whether the code says the statement broke a rule of the database's own
// (a constraint), which it breaks on any file.
bool BreaksARule(int code);
// The problem in the player's words ("the disk is full").
QString Describe(FileProblem problem);
// Whether a file at the path can never be made, its path being too long: a
// name along it longer than the system takes, or the whole longer than
// SQLite takes, which names the file's journal after it.
bool IsPathTooLong(const QString& path);
// A new private database in memory; null when none can be made.
Connection OpenMemory();
// A private database in memory holding what db sees now, its own open
// transaction included; null, with SQLite's result code in rc, when db
// cannot be read.
Connection Snapshot(sqlite3* db, int& rc);
// Changes whenever the file of db changed: by another connection, seen at
// this one's next read, or by this one's commit.
unsigned DataVersion(sqlite3* db);
// Whether db holds a table of every name that other holds.
bool HoldsEveryTableOf(sqlite3* db, sqlite3* other);
// How many bytes the database of db holds; 0 when it cannot tell.
std::int64_t DatabaseBytes(sqlite3* db);
// Has SQLite set rolledBack whenever it rolls back a whole transaction of
// db, however that came about (a ROLLBACK TO a savepoint keeps it open),
// closing db included; null: no more. It does so inside the statement,
// where nothing may touch db.
void ReportRollbacks(sqlite3* db, bool* rolledBack);
// What a statement does besides reading and writing rows, as SQLite tells
// it while preparing the statement, whatever its text looks like.
struct StatementKind {
    bool controlsTransaction = false; // BEGIN (any kind), COMMIT, ROLLBACK
    bool isPragma = false;
    bool removesTables = false; // DROP TABLE, ALTER TABLE
    // ROLLBACK TO a savepoint: it undoes writes, tables made included, yet
    // ends no transaction, so neither the rollback hook nor the autocommit
    // state tells of it.
    bool rollsBackToSavepoint = false;
};
// Prepares the first statement of the text up to end on db, as
// sqlite3_prepare_v2 does, and tells its kind; SQLite's result code.
int Prepare(sqlite3* db, const char* text, const char* end, sqlite3_stmt** stmt, const char** tail,
            StatementKind& kind);
// The table of a plain one-table query, whose rows can be written back;
// empty for anything else.
QString TableOfSimpleQuery(const QString& sql);

} // namespace platform
