#include "platform/store/Database.h"

#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>
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
    return Fail(detail.isEmpty() ? what : what + QLatin1String(": ") + detail);
}

bool Database::Open(int flags)
{
    Close();
    mErrorMessage.clear();
    mProblem = FileProblem::None;
    mRefusalUnannounced = false;
    if (DatabaseFile.isEmpty()) {
        return Fail(QStringLiteral("No database file was given."));
    }
    const QByteArray path = DatabaseFile.toUtf8();
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.constData(), &db, flags, nullptr);
    Connection file(db);
    if (rc == SQLITE_OK) {
        // Another copy of the game holding the file briefly should not fail a write.
        sqlite3_busy_timeout(db, Options().busyTimeoutMs);
        mDb = db;
        // Opening succeeds on any file; reading it whole into the copy is
        // what tells a database from some other file, or a file that another
        // program keeps to itself.
        rc = TakeCopy();
        mDb = nullptr;
    }
    if (rc != SQLITE_OK) {
        const QString detail = db != nullptr ? QString::fromUtf8(sqlite3_errmsg(db))
                                             : QString::fromUtf8(sqlite3_errstr(rc));
        // A file that cannot be opened is one that cannot be read, unless
        // another program keeps it or it is no database.
        const FileProblem problem = ProblemOf(rc);
        mProblem = problem == FileProblem::InUse || problem == FileProblem::Damaged ? problem
                                                                                     : FileProblem::Unreadable;
        return Fail(QStringLiteral("Cannot open %1: %2").arg(DatabaseFile, detail));
    }
    mDb = file.release();
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

bool Database::Connect()
{
    const QFileInfo info(DatabaseFile);
    if (!info.exists() || !info.isFile()) {
        Close();
        mProblem = FileProblem::Unreadable;
        return Fail(QStringLiteral("%1 does not exist.").arg(DatabaseFile));
    }
    // SQLite itself falls back to read-only when the file is write-protected.
    return Open(Options().openFilesReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
}

bool Database::ConnectInMemory()
{
    Close();
    mErrorMessage.clear();
    mRefusalUnannounced = false;
    mDb = OpenMemory().release();
    return mDb != nullptr || Fail(QStringLiteral("Cannot open a database in memory."));
}

FileProblem Database::WhyReadOnly() const
{
    if (!KeepsToFile()) {
        return FileProblem::None;
    }
    if (sqlite3_db_readonly(mDb, "main") == 1) {
        return FileProblem::WriteProtected;
    }
    // Every transaction needs a journal next to the file.
    const QByteArray folder = QFileInfo(DatabaseFile).absolutePath().toLocal8Bit();
    if (access(folder.constData(), W_OK | X_OK) != 0) {
        return FileProblem::FolderWriteProtected;
    }
    return FileProblem::None;
}

int Database::TakeCopy()
{
    // The bytes as this connection sees them, its own open transaction
    // included: no other program can lock a connection out of its own writes.
    sqlite3_int64 size = -1;
    unsigned char* bytes = sqlite3_serialize(mDb, "main", &size, 0);
    Connection copy = OpenMemory();
    if (bytes == nullptr && size != 0) {
        const int rc = sqlite3_extended_errcode(mDb);
        return rc != SQLITE_OK ? rc : SQLITE_NOMEM;
    }
    if (copy == nullptr) {
        sqlite3_free(bytes);
        return SQLITE_NOMEM;
    }
    // A new file has no bytes yet, and its copy is an empty database.
    if (bytes != nullptr) {
        // The copy owns the bytes from here on, even when it refuses them.
        const int rc = sqlite3_deserialize(copy.get(), "main", bytes, size, size,
                                           SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    mCopy = std::move(copy);
    return SQLITE_OK;
}

bool Database::LeaveFile(FileProblem problem)
{
    if (!KeepsToFile()) {
        return false;
    }
    // Closing rolls back the file's open transaction: it keeps its last commit.
    Connection file(mDb);
    mDb = mCopy.release();
    mProblem = problem;
    mRefusalUnannounced = problem != FileProblem::None;
    return true;
}

void Database::MoveToMemoryCopy()
{
    LeaveFile(FileProblem::None);
}

void Database::AnnounceRefusal()
{
    if (!mRefusalUnannounced) {
        return;
    }
    mRefusalUnannounced = false;
    if (mRefusalHandler) {
        mRefusalHandler(Describe(mProblem));
    }
}

void Database::BeginIfNeeded()
{
    if (sqlite3_get_autocommit(mDb) != 0) {
        sqlite3_exec(mDb, "BEGIN", nullptr, nullptr, nullptr);
    }
}

int Database::Step(const char* text, const char* end, const std::vector<Variant>& values, RowSink rows,
                   const char** tail)
{
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(mDb, text, static_cast<int>(end - text), &raw, tail);
    const Statement stmt(raw);
    if (rc != SQLITE_OK || raw == nullptr) {
        return rc; // an error, or blank text and comments
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if ((rc = Bind(raw, static_cast<int>(i) + 1, values[i])) != SQLITE_OK) {
            return rc;
        }
    }
    const bool writes = sqlite3_stmt_readonly(raw) == 0 && !OpensNoTransaction(QString::fromUtf8(sqlite3_sql(raw)));
    if (writes) {
        BeginIfNeeded();
    }
    const int firstColumn = rows.leadingRowId ? 1 : 0;
    const int columnCount = sqlite3_column_count(raw);
    std::vector<std::vector<Variant>> found;
    std::vector<std::int64_t> rowIds;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        if (rows.set == nullptr) {
            continue;
        }
        if (rows.leadingRowId) {
            rowIds.push_back(sqlite3_column_int64(raw, 0));
        }
        std::vector<Variant>& row = found.emplace_back();
        for (int c = firstColumn; c < columnCount; ++c) {
            row.push_back(ColumnValue(raw, c));
        }
    }
    if (rc != SQLITE_DONE) {
        return rc;
    }
    if (rows.set != nullptr) {
        for (int c = firstColumn; c < columnCount; ++c) {
            rows.set->mColumns.push_back(QString::fromUtf8(sqlite3_column_name(raw, c)));
        }
        rows.set->mRows = std::move(found);
        rows.set->mRowIds = std::move(rowIds);
    }
    // The copy follows every write, so that it is ready before the file can refuse.
    return writes && KeepsToFile() ? TakeCopy() : SQLITE_OK;
}

bool Database::Run(const QString& sql, const std::vector<Variant>& values, RowSink rows)
{
    mErrorMessage.clear();
    if (mDb == nullptr) {
        return Fail(QStringLiteral("The database is not open."));
    }
    const QByteArray utf8 = sql.toUtf8();
    const char* next = utf8.constData();
    const char* end = next + utf8.size();
    const std::vector<Variant> none;
    bool first = true; // values bind to, and rows come from, the first statement of the text
    while (next < end) {
        const char* tail = end;
        const int rc = Step(next, end, first ? values : none, first ? rows : RowSink{}, &tail);
        if (rc != SQLITE_OK) {
            const FileProblem problem = ProblemOf(rc);
            if (problem != FileProblem::None && LeaveFile(problem)) {
                continue; // the same statement again, on the copy
            }
            return FailWithEngineMessage(QStringLiteral("The statement failed"));
        }
        first = false;
        next = tail;
    }
    return true;
}

void Database::SQLExecute(const QString& sql)
{
    Run(sql, {}, RowSink{});
    AnnounceRefusal();
}

RecordSetPtr Database::SQLSelect(const QString& sql)
{
    auto set = RecordSetPtr(new RecordSet());
    set->mDatabase = mSelf;
    bool ok = false;
    if (const QString table = TableOfSimpleQuery(sql); !table.isEmpty()) {
        // A plain query on one table also reads each row's rowid, right after
        // SELECT (a simple query starts with it, then white space), so that
        // an edited row can be written back.
        const QLatin1String select("SELECT");
        const QString withRowId = QLatin1String("SELECT rowid, ")
            + sql.mid(sql.indexOf(select, 0, Qt::CaseInsensitive) + select.size() + 1);
        ok = Run(withRowId, {}, {set.get(), true});
        set->mTable = ok ? table : QString();
    }
    if (!ok) {
        // Not a plain query, or a view or a table without rowids: a read-only set.
        ok = Run(sql, {}, {set.get(), false});
    }
    AnnounceRefusal();
    return ok ? set : nullptr;
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
    const bool ok = Run(sql, values, RowSink{});
    AnnounceRefusal();
    return ok;
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
    const bool ok = Run(sql, bound, RowSink{});
    AnnounceRefusal();
    return ok;
}

bool Database::Commit()
{
    mErrorMessage.clear();
    if (mDb == nullptr) {
        return Fail(QStringLiteral("The database is not open."));
    }
    if (sqlite3_get_autocommit(mDb) != 0) {
        return true; // nothing written since the last commit
    }
    if (sqlite3_exec(mDb, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) {
        return true;
    }
    const FileProblem problem = ProblemOf(sqlite3_extended_errcode(mDb));
    // The copy already holds every write of the transaction, as committed.
    if (problem != FileProblem::None && LeaveFile(problem)) {
        AnnounceRefusal();
        return true;
    }
    FailWithEngineMessage(QStringLiteral("Commit failed, changes were rolled back"));
    const QString why = mErrorMessage;
    // A commit that fails must not leave half a change behind, nor an open
    // transaction that a later commit would complete.
    Rollback();
    return Fail(why);
}

void Database::Rollback()
{
    if (mDb == nullptr || sqlite3_get_autocommit(mDb) != 0) {
        return;
    }
    sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
    if (KeepsToFile()) {
        // The copy held the writes just undone. Should the file refuse even
        // this read, the next write brings the copy up to date.
        TakeCopy();
    }
}

std::int32_t Database::LastRowID() const
{
    return mDb != nullptr ? static_cast<std::int32_t>(sqlite3_last_insert_rowid(mDb)) : 0;
}

void Database::Close()
{
    // Writes never committed do not reach the file.
    Connection closing(mDb);
    mDb = nullptr;
    mCopy.reset();
}

} // namespace platform
