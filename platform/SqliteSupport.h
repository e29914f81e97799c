#pragma once

#include "platform/Variant.h"

#include <QString>
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

QString QuoteIdentifier(const QString& name);
// Binds one value, counted from 1; answers SQLite's result code.
int Bind(sqlite3_stmt* stmt, int index, const Variant& value);
// The value of one column of the current row, counted from 0.
Variant ColumnValue(sqlite3_stmt* stmt, int column);
// True for results that say the file itself refused a write (full disk,
// write protection, a lock held too long, I/O error, damage), as opposed to
// a statement that is wrong whatever file it runs on.
bool IsFileRefusal(int code);
// Why the file refused, in the player's words ("the disk is full").
QString RefusalReason(int code);
// A new private database in memory; null when none can be made.
sqlite3* OpenMemory();
// Pragmas configure the connection and never open a transaction.
bool IsPragma(const QString& sql);
// The table of a plain one-table query, whose rows can be written back;
// empty for anything else.
QString TableOfSimpleQuery(const QString& sql);

} // namespace platform
