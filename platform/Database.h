#pragma once

#include "platform/DatabaseRecord.h"
#include "platform/RecordSet.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

namespace platform {

// How connections to files are opened. Tests shorten the wait for another
// program's lock, and can open every file the way SQLite opens a
// write-protected one (read-only) even when they run as root.
struct DatabaseOptions {
    static constexpr int kDefaultBusyTimeoutMs = 3000;
    int busyTimeoutMs = kDefaultBusyTimeoutMs;
    bool openFilesReadOnly = false;
};

// A connection to one SQLite file. Writes between two Commit calls form one
// transaction; Close without Commit rolls them back.
//
// A write the file refuses (disk full, write-protected, locked by another
// program for longer than the busy timeout, I/O error) is never lost in
// silence: the file's transaction is rolled back, so the file stays as it was
// at its last commit, the connection moves to a copy of that state in memory,
// replays the transaction's writes there and goes on. The write-failure
// handler hears about it once, with the reason.
class Database {
public:
    using WriteFailureHandler = std::function<void(const QString& reason)>;

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
    // its commits wait for no disk. SyncFileToDisk() then makes it durable.
    void UseDraftWrites();
    // Waits until everything committed to DatabaseFile is on the disk.
    bool SyncFileToDisk() const;
    // Opens an existing SQLite database file; false if it is missing or is not
    // an SQLite database.
    bool Connect();
    // Opens a private database in memory (the game's fallback store).
    bool ConnectInMemory();
    bool IsConnected() const { return mDb != nullptr; }
    // True while the connection reads and writes the file itself, false once
    // it works in memory.
    bool KeepsToFile() const { return mDb != nullptr && mOnFile; }
    // Why the open file cannot take writes, as a player would put it
    // ("it is write-protected"); empty when nothing says so at open.
    QString WhyReadOnly() const;
    // Goes on from a copy in memory of what the file holds at its last
    // commit; the file is closed and not written again. False (the file
    // connection kept) when the copy cannot be made.
    bool MoveToMemoryCopy();
    // Called once per connection, the first time the file refuses a write.
    void SetWriteFailureHandler(WriteFailureHandler handler) { mWriteFailureHandler = std::move(handler); }

    // Runs one statement; on failure Error() tells why and nothing changes.
    void SQLExecute(const QString& sql);
    // Runs one query; null when it fails or there is no connection.
    RecordSetPtr SQLSelect(const QString& sql);
    // Inserts one row with the record's named columns; false on failure.
    bool InsertRecord(const QString& table, const DatabaseRecord& record);
    // Makes the writes since the last commit permanent; on failure they are
    // rolled back, the file stays as it was, and false is answered.
    bool Commit();
    void Rollback();
    std::int32_t LastRowID() const;
    void Close();

    bool Error() const { return !mErrorMessage.isEmpty(); }
    const QString& ErrorMessage() const { return mErrorMessage; }

private:
    friend class RecordSet;
    // A write of the open transaction, kept until it is committed so that it
    // can be replayed in memory should the file refuse the transaction.
    struct PendingWrite {
        QByteArray sql;
        std::vector<Variant> values;
    };

    bool Open(int flags);
    void BeginIfNeeded();
    // Runs every statement of the text, binding values to the first one.
    bool Run(const QString& sql, const std::vector<Variant>& values);
    RecordSetPtr Query(const QString& sql, bool leadingRowId);
    bool UpdateRow(const QString& table, std::int64_t rowId,
                   const std::vector<std::pair<QString, Variant>>& values);
    bool Fail(const QString& what);
    bool FailWithEngineMessage(const QString& what);
    void SyncTransactionState();
    // After the file refused a write with the given result code: moves to
    // memory with the open transaction's writes replayed, then reports.
    bool TakeOverInMemory(int code);

    sqlite3* mDb = nullptr;
    bool mOnFile = false;
    bool mInTransaction = false;
    bool mWriteFailureReported = false;
    std::vector<PendingWrite> mPendingWrites;
    WriteFailureHandler mWriteFailureHandler;
    QString mErrorMessage;
    // Record sets outlive their query; they reach the connection through this
    // so that an Update after the connection is gone fails instead of crashing.
    std::shared_ptr<Database*> mSelf = std::make_shared<Database*>(this);
};

} // namespace platform
