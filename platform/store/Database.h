#pragma once

#include "platform/store/DatabaseRecord.h"
#include "platform/store/RecordSet.h"
#include "platform/store/SqliteSupport.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

struct sqlite3;

namespace platform {

// How connections to files are opened. Tests shorten the wait for another
// program's lock, and can open every file the way SQLite opens a
// write-protected one (read-only) even when they run as root.
struct DatabaseOptions {
    // Long enough for another copy of the game to finish a write (a few
    // milliseconds), short enough that a player waits once, briefly, before
    // a file another program keeps is given up.
    static constexpr int kDefaultBusyTimeoutMs = 2000;
    int busyTimeoutMs = kDefaultBusyTimeoutMs;
    bool openFilesReadOnly = false;
};

// A connection to one SQLite file. Writes between two Commit calls form one
// transaction; Close without Commit rolls them back.
//
// While it works on a file, the connection keeps a copy in memory of
// everything it has seen: the file as it was opened, brought up to date
// after every write and whenever a statement finds that another connection
// changed the file. So
// when the file fails a statement that the copy runs, whatever SQLite's code
// (another program holds it, the disk is full, the file is write-protected,
// unreadable, removed, replaced or emptied), that is a refusal (unless the
// statement broke a constraint, which it breaks on any file), and nothing
// needs to be read from the file: its open transaction is rolled back, so it
// stays as it was at its last commit, and is never written again; the
// connection goes on from the copy, where the statement has run and where
// that transaction stays open until the game ends it. Every answer the game
// got stays true. The refusal handler hears of it once, after the statement.
// A statement that fails on the copy as well is wrong on any file: it fails,
// and the connection stays where it is.
class Database {
public:
    using RefusalHandler = std::function<void(const QString& reason)>;

    // The options every new connection to a file takes.
    static DatabaseOptions& Options();

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The file that CreateDatabaseFile and Connect act on.
    QString DatabaseFile;

    // Creates a new, empty database file and opens it; false if the file
    // already exists or cannot be created.
    bool CreateDatabaseFile();
    // For a new file that is built whole and thrown away if the build is cut
    // short: from here on the open connection keeps its journal in memory and
    // its commits wait for no disk.
    void UseDraftWrites();
    // Opens an existing SQLite database file; false if it is missing, cannot
    // be read or is not an SQLite database, and Problem() tells why.
    bool Connect();
    // Opens a private database in memory (the game's fallback store).
    bool ConnectInMemory();
    bool IsConnected() const { return Db() != nullptr; }
    // True while the connection reads and writes the file itself, false once
    // it works in memory.
    bool KeepsToFile() const { return std::holds_alternative<OnFile>(mState); }
    // Why the open file cannot take writes; None when nothing says so at open.
    FileProblem WhyReadOnly() const;
    // Why the file could not be opened, or why the connection left it.
    FileProblem Problem() const;
    // Leaves the file for the copy in memory without a word; the file is not
    // written again.
    void MoveToMemoryCopy();
    // Told once, with the reason, when the connection leaves a file that refused.
    void SetRefusalHandler(RefusalHandler handler) { mRefusalHandler = std::move(handler); }

    // Runs the statements of the text; on failure Error() tells why and
    // nothing changes.
    void SQLExecute(const QString& sql);
    // Runs one query; null when it fails or there is no connection.
    RecordSetPtr SQLSelect(const QString& sql);
    // Inserts one row with the record's named columns; false on failure.
    bool InsertRecord(const QString& table, const DatabaseRecord& record);
    // Makes the writes since the last commit permanent; false, with them
    // rolled back, when they cannot be kept at all.
    bool Commit();
    void Rollback();
    std::int32_t LastRowID() const;
    void Close();

    bool Error() const { return !mErrorMessage.isEmpty(); }
    const QString& ErrorMessage() const { return mErrorMessage; }

private:
    friend class RecordSet;
    // Where statements run, one of these at a time; Db() is the connection
    // they run on. Closed: none, and why the last file could not be opened
    // or was left.
    struct Closed {
        FileProblem problem; // None when value-initialised
        sqlite3* Db() const { return nullptr; }
    };
    // A copy in memory of what the file connection has seen, and the file's
    // data version it was taken at: one value, only ever made whole by
    // TakeCopy, so a copy is never thought newer than it is.
    struct Copy {
        Connection db;
        unsigned version = 0;
    };
    // On the file, with the copy in memory of what the connection has seen.
    struct OnFile {
        Connection file;
        Copy copy;
        sqlite3* Db() const { return file.get(); }
    };
    // In memory on what was the copy, once the file refused or was left; the
    // handler hears of a refusal once (a move without a word has none).
    struct LeftFile {
        Connection memory;
        FileProblem problem = FileProblem::None;
        bool announced = true;
        sqlite3* Db() const { return memory.get(); }
    };
    // In memory from the start.
    struct InMemory {
        Connection memory;
        sqlite3* Db() const { return memory.get(); }
    };

    // Where the rows of a query go; leadingRowId: its first column is the
    // row's rowid, kept apart for Update.
    struct RowSink {
        RecordSet* set = nullptr;
        bool leadingRowId = false;
    };

    sqlite3* Db() const
    {
        return std::visit([](const auto& state) { return state.Db(); }, mState);
    }
    bool Open(int flags);
    // Runs every statement of the text, binding values to the first one and
    // collecting the first one's rows; the one way statements are run.
    bool Run(const QString& sql, const std::vector<Variant>& values, RowSink rows);
    // Runs one statement on db; answers SQLite's result code and where the text goes on.
    int Step(sqlite3* db, const char* text, const char* end, const std::vector<Variant>& values, RowSink rows,
             const char** tail);
    // After a statement, however it went: when SQLite ended the transaction
    // of the connection statements now run on (wasOpen: one was open before
    // the statement), the copy follows. A commit keeps the copy in place; a
    // rollback puts back the transaction's start, then takes the file again
    // where it can still be read.
    void FollowTransaction(bool wasOpen);
    // Brings the copy up to what the file connection sees now; SQLite's result
    // code. ownTablesGo: the statement just run may drop or rename tables.
    // The first copy a transaction's writes replace is kept as its start.
    int TakeCopy(OnFile& onFile, bool ownTablesGo = false);
    // The file failed the statement with fileCode: when the copy runs it,
    // and it broke no rule of the database's own, the file refused it, and
    // the connection goes on from the copy, where it has run, inside the
    // transaction the file had open before it (inTransaction).
    bool RunOnCopy(int fileCode, bool inTransaction, const char* text, const char* end,
                   const std::vector<Variant>& values, RowSink rows, const char** tail);
    // Why the file failed with the code, the file itself asked first.
    FileProblem WhyFileFailed(int code) const;
    // The connection goes on from the copy; the problem is told, unless None.
    void LeaveFile(FileProblem problem);
    // Calls the refusal handler if the connection has left a file unannounced.
    void AnnounceRefusal();
    bool UpdateRow(const QString& table, std::int64_t rowId,
                   const std::vector<std::pair<QString, Variant>>& values);
    bool Fail(const QString& what);
    bool FailWithEngineMessage(const QString& what);

    std::variant<Closed, OnFile, LeftFile, InMemory> mState;
    // Engaged once the open transaction has written on the file: the copy as
    // its first write found it, for a rollback that cannot ask the file (it
    // may refuse even a read by then, or be left already). A transaction that
    // only read leaves the copy as the file's last commit, with nothing to
    // put back; what was written on the copy after the file was left is
    // undone by the copy's own transaction.
    std::optional<Copy> mTransactionStart;
    // Set by SQLite, inside a statement, when it rolls back the transaction
    // of the file or of a copy (asked to, by a trigger or a conflict clause,
    // or on a failure); read once the statement is done.
    bool mRolledBack = false;
    // The row id of the last row inserted, on the file or on the copy that
    // took its place: the copy never ran the file's inserts.
    std::int64_t mLastRowId = 0;
    RefusalHandler mRefusalHandler;
    QString mErrorMessage;
    // Record sets outlive their query; they reach the connection through this
    // so that an Update after the connection is gone fails instead of crashing.
    std::shared_ptr<Database*> mSelf = std::make_shared<Database*>(this);
};

} // namespace platform
