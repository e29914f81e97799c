#include "platform/Database.h"

#include "platform/SqliteSupport.h"

#include <QFileInfo>
#include <sqlite3.h>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

DatabaseOptions& Database::Options()
{
    static DatabaseOptions options;
    return options;
}

Database::~Database()
{
    Close();
}

bool Database::Fail(const QString& what)
{
    mErrorMessage = what;
    return false;
}

bool Database::FailWithEngineMessage(const QString& what)
{
    const QString detail = mDb != nullptr ? QString::fromUtf8(sqlite3_errmsg(mDb)) : QString();
    SyncTransactionState();
    return Fail(detail.isEmpty() ? what : what + QLatin1String(": ") + detail);
}

void Database::SyncTransactionState()
{
    // SQLite may end a transaction itself (some errors roll it back); the
    // writes it held are gone with it.
    mInTransaction = mDb != nullptr && sqlite3_get_autocommit(mDb) == 0;
    if (!mInTransaction) {
        mPendingWrites.clear();
    }
}

bool Database::Open(int flags)
{
    Close();
    mErrorMessage.clear();
    if (DatabaseFile.isEmpty()) {
        return Fail(QStringLiteral("No database file was given."));
    }
    const QByteArray path = DatabaseFile.toUtf8();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(path.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = db != nullptr ? QString::fromUtf8(sqlite3_errmsg(db))
                                             : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        return Fail(QStringLiteral("Cannot open %1: %2").arg(DatabaseFile, detail));
    }
    mDb = db;
    mOnFile = true;
    // Another copy of the game holding the file briefly should not fail a write.
    sqlite3_busy_timeout(mDb, Options().busyTimeoutMs);
    // Opening succeeds on any file; reading the schema is what tells a
    // database from some other file.
    if (sqlite3_exec(mDb, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(mDb));
        Close();
        return Fail(QStringLiteral("%1 is not a usable database: %2").arg(DatabaseFile, detail));
    }
    return true;
}

bool Database::CreateDatabaseFile()
{
    if (QFileInfo::exists(DatabaseFile)) {
        Close();
        return Fail(QStringLiteral("%1 already exists.").arg(DatabaseFile));
    }
    return Open(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void Database::UseDraftWrites()
{
    if (mDb != nullptr) {
        sqlite3_exec(mDb, "PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    }
}

bool Database::SyncFileToDisk() const
{
    const int fd = ::open(DatabaseFile.toUtf8().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool Database::Connect()
{
    const QFileInfo info(DatabaseFile);
    if (!info.exists() || !info.isFile()) {
        Close();
        return Fail(QStringLiteral("%1 does not exist.").arg(DatabaseFile));
    }
    // SQLite itself falls back to read-only when the file is write-protected.
    return Open(Options().openFilesReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
}

bool Database::ConnectInMemory()
{
    Close();
    mErrorMessage.clear();
    mDb = OpenMemory();
    return mDb != nullptr || Fail(QStringLiteral("Cannot open a database in memory."));
}

QString Database::WhyReadOnly() const
{
    if (!KeepsToFile()) {
        return QString();
    }
    if (sqlite3_db_readonly(mDb, "main") == 1) {
        return QStringLiteral("it is write-protected");
    }
    // Every transaction needs a journal next to the file.
    const QByteArray folder = QFileInfo(DatabaseFile).absolutePath().toLocal8Bit();
    if (access(folder.constData(), W_OK | X_OK) != 0) {
        return QStringLiteral("its folder is write-protected");
    }
    return QString();
}

bool Database::MoveToMemoryCopy()
{
    if (!KeepsToFile()) {
        return false;
    }
    // Only what the file holds at its last commit is copied.
    Rollback();
    sqlite3* memory = OpenMemory();
    if (memory == nullptr) {
        return Fail(QStringLiteral("Cannot open a database in memory."));
    }
    sqlite3_backup* backup = sqlite3_backup_init(memory, "main", mDb, "main");
    const int rc = backup != nullptr ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(memory);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        sqlite3_close_v2(memory);
        return Fail(QStringLiteral("Cannot copy %1: %2").arg(DatabaseFile, QString::fromUtf8(sqlite3_errstr(rc))));
    }
    sqlite3_close_v2(mDb);
    mDb = memory;
    mOnFile = false;
    SyncTransactionState();
    return true;
}

bool Database::TakeOverInMemory(int code)
{
    std::vector<PendingWrite> pending;
    pending.swap(mPendingWrites);
    // On failure the reason stays in ErrorMessage: the copy's, or the replay's.
    bool ok = MoveToMemoryCopy();
    if (ok && !pending.empty()) {
        BeginIfNeeded();
        for (const PendingWrite& write : pending) {
            ok = ok && Run(QString::fromUtf8(write.sql), write.values);
        }
    }
    // Told only once everything is in place: the message may run an event
    // loop of its own.
    if (!mWriteFailureReported) {
        mWriteFailureReported = true;
        if (mWriteFailureHandler) {
            mWriteFailureHandler(RefusalReason(code));
        }
    }
    return ok;
}

void Database::BeginIfNeeded()
{
    if (mDb != nullptr && sqlite3_get_autocommit(mDb) != 0) {
        sqlite3_exec(mDb, "BEGIN", nullptr, nullptr, nullptr);
    }
    SyncTransactionState();
}

bool Database::Run(const QString& sql, const std::vector<Variant>& values)
{
    mErrorMessage.clear();
    if (mDb == nullptr) {
        return Fail(QStringLiteral("The database is not open."));
    }
    const QByteArray utf8 = sql.toUtf8();
    const char* next = utf8.constData();
    const char* end = next + utf8.size();
    const std::vector<Variant> none;
    bool first = true; // values bind to the first statement of the text only
    while (next < end) {
        const std::vector<Variant>& bound = first ? values : none;
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(mDb, next, static_cast<int>(end - next), &raw, &tail) != SQLITE_OK) {
            return FailWithEngineMessage(QStringLiteral("Cannot run the statement"));
        }
        Statement stmt(raw);
        if (raw == nullptr) {
            next = tail; // blank text or a comment between statements
            continue;
        }
        for (std::size_t i = 0; i < bound.size(); ++i) {
            if (Bind(raw, static_cast<int>(i) + 1, bound[i]) != SQLITE_OK) {
                return FailWithEngineMessage(QStringLiteral("Cannot bind a value"));
            }
        }
        const bool writes = sqlite3_stmt_readonly(raw) == 0 && !IsPragma(QString::fromUtf8(sqlite3_sql(raw)));
        if (writes) {
            BeginIfNeeded();
        }
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW) {
            rc = sqlite3_step(raw);
        }
        if (rc != SQLITE_DONE) {
            stmt.reset();
            if (writes && KeepsToFile() && IsFileRefusal(rc)) {
                if (!TakeOverInMemory(rc)) {
                    return false;
                }
                continue; // the same statement again, now in memory
            }
            return FailWithEngineMessage(QStringLiteral("The statement failed"));
        }
        if (writes) {
            mPendingWrites.push_back({QByteArray(next, static_cast<int>(tail - next)), bound});
        }
        first = false;
        next = tail;
    }
    SyncTransactionState();
    return true;
}

void Database::SQLExecute(const QString& sql)
{
    Run(sql, {});
}

RecordSetPtr Database::Query(const QString& sql, bool leadingRowId)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(mDb, utf8.constData(), static_cast<int>(utf8.size()), &raw, nullptr) != SQLITE_OK
        || raw == nullptr) {
        sqlite3_finalize(raw);
        FailWithEngineMessage(QStringLiteral("Cannot run the query"));
        return nullptr;
    }
    Statement stmt(raw);
    if (sqlite3_stmt_readonly(raw) == 0) {
        BeginIfNeeded();
    }
    auto set = RecordSetPtr(new RecordSet());
    set->mDatabase = mSelf;
    const int columnCount = sqlite3_column_count(raw);
    const int firstColumn = leadingRowId ? 1 : 0;
    for (int c = firstColumn; c < columnCount; ++c) {
        set->mColumns.push_back(QString::fromUtf8(sqlite3_column_name(raw, c)));
    }
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        if (leadingRowId) {
            set->mRowIds.push_back(sqlite3_column_int64(raw, 0));
        }
        std::vector<Variant> row;
        row.reserve(set->mColumns.size());
        for (int c = firstColumn; c < columnCount; ++c) {
            row.push_back(ColumnValue(raw, c));
        }
        set->mRows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        FailWithEngineMessage(QStringLiteral("The query failed"));
        return nullptr;
    }
    SyncTransactionState();
    return set;
}

RecordSetPtr Database::SQLSelect(const QString& sql)
{
    mErrorMessage.clear();
    if (mDb == nullptr) {
        Fail(QStringLiteral("The database is not open."));
        return nullptr;
    }
    const QString table = TableOfSimpleQuery(sql);
    if (!table.isEmpty()) {
        // Insert the rowid as a hidden first column right after SELECT (a
        // simple query starts with it, then white space).
        const QLatin1String select("SELECT");
        const qsizetype columns = sql.indexOf(select, 0, Qt::CaseInsensitive) + select.size() + 1;
        const QString withRowId = QLatin1String("SELECT rowid, ") + sql.mid(columns);
        if (RecordSetPtr set = Query(withRowId, true)) {
            set->mTable = table;
            return set;
        }
        // A view or a table without rowids: fall back to a read-only set.
        mErrorMessage.clear();
    }
    return Query(sql, false);
}

bool Database::InsertRecord(const QString& table, const DatabaseRecord& record)
{
    QString sql = QLatin1String("INSERT INTO ") + QuoteIdentifier(table);
    std::vector<Variant> values;
    if (record.Columns().empty()) {
        sql += QLatin1String(" DEFAULT VALUES");
    } else {
        QStringList names;
        QStringList marks;
        for (const auto& [name, value] : record.Columns()) {
            names << QuoteIdentifier(name);
            marks << QStringLiteral("?");
            values.push_back(value);
        }
        sql += QLatin1String(" (") + names.join(QLatin1String(", ")) + QLatin1String(") VALUES (")
            + marks.join(QLatin1String(", ")) + QLatin1String(")");
    }
    return Run(sql, values);
}

bool Database::UpdateRow(const QString& table, std::int64_t rowId,
                         const std::vector<std::pair<QString, Variant>>& values)
{
    if (values.empty()) {
        mErrorMessage.clear();
        return true;
    }
    QStringList assignments;
    std::vector<Variant> bound;
    for (const auto& [name, value] : values) {
        assignments << QuoteIdentifier(name) + QLatin1String(" = ?");
        bound.push_back(value);
    }
    bound.emplace_back(rowId);
    const QString sql = QLatin1String("UPDATE ") + QuoteIdentifier(table) + QLatin1String(" SET ")
        + assignments.join(QLatin1String(", ")) + QLatin1String(" WHERE rowid = ?");
    return Run(sql, bound);
}

bool Database::Commit()
{
    mErrorMessage.clear();
    if (mDb == nullptr) {
        return Fail(QStringLiteral("The database is not open."));
    }
    if (sqlite3_get_autocommit(mDb) != 0) {
        SyncTransactionState();
        return true; // nothing written since the last commit
    }
    if (sqlite3_exec(mDb, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(mDb);
        if (KeepsToFile() && IsFileRefusal(code)) {
            // The transaction goes on in memory and is committed there.
            return TakeOverInMemory(code) && Commit();
        }
        const QString detail = QString::fromUtf8(sqlite3_errmsg(mDb));
        // A commit that fails must not leave half a change behind, nor an
        // open transaction that a later commit would complete.
        Rollback();
        return Fail(QStringLiteral("Commit failed, changes were rolled back: ") + detail);
    }
    SyncTransactionState();
    return true;
}

void Database::Rollback()
{
    if (mDb != nullptr && sqlite3_get_autocommit(mDb) == 0) {
        sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    SyncTransactionState();
}

std::int32_t Database::LastRowID() const
{
    return mDb != nullptr ? static_cast<std::int32_t>(sqlite3_last_insert_rowid(mDb)) : 0;
}

void Database::Close()
{
    if (mDb == nullptr) {
        return;
    }
    Rollback(); // writes never committed do not reach the file
    sqlite3_close_v2(mDb);
    mDb = nullptr;
    mOnFile = false;
    mInTransaction = false;
}

} // namespace platform
