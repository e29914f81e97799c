#pragma once

#include "platform/DatabaseRecord.h"
#include "platform/RecordSet.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

struct sqlite3;

namespace platform {

// A connection to one SQLite file. Writes between two Commit calls form one
// transaction; Close without Commit rolls them back.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The file that CreateDatabaseFile and Connect act on.
    QString DatabaseFile;

    // Creates a new, empty database file and opens it; false if the file
    // already exists or cannot be created.
    bool CreateDatabaseFile();
    // Opens an existing SQLite database file; false if it is missing or is not
    // an SQLite database.
    bool Connect();
    // Opens a private database in memory (the game's fallback store).
    bool ConnectInMemory();
    bool IsConnected() const { return mDb != nullptr; }

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
    bool Open(int flags);
    void BeginIfNeeded();
    bool Exec(const QString& sql);
    // Runs every statement of the text, binding values to the first one.
    bool Run(const QString& sql, const std::vector<Variant>& values);
    RecordSetPtr Query(const QString& sql, bool leadingRowId);
    bool UpdateRow(const QString& table, std::int64_t rowId,
                   const std::vector<std::pair<QString, Variant>>& values);
    bool Fail(const QString& what);
    bool FailWithEngineMessage(const QString& what);
    void SyncTransactionState();

    sqlite3* mDb = nullptr;
    bool mInTransaction = false;
    QString mErrorMessage;
    // Record sets outlive their query; they reach the connection through this
    // so that an Update after the connection is gone fails instead of crashing.
    std::shared_ptr<Database*> mSelf = std::make_shared<Database*>(this);
};

} // namespace platform
