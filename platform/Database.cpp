#include "platform/Database.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace platform {

namespace {

// Another copy of the game holding the file briefly should not fail a write.
constexpr int kBusyTimeoutMs = 2000;

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// SQLite binds from 1.
int Bind(sqlite3_stmt* stmt, int index, const Variant& value)
{
    switch (value.GetType()) {
    case Variant::Type::Nil:
        return sqlite3_bind_null(stmt, index);
    case Variant::Type::Integer:
        return sqlite3_bind_int64(stmt, index, value.Int64Value());
    case Variant::Type::Real:
        return sqlite3_bind_double(stmt, index, value.DoubleValue());
    case Variant::Type::Boolean:
        // Stored as 1 or 0, which reads back as a number with the same truth.
        return sqlite3_bind_int(stmt, index, value.BooleanValue() ? 1 : 0);
    case Variant::Type::Text: {
        const QByteArray utf8 = value.StringValue().toUtf8();
        return sqlite3_bind_text(stmt, index, utf8.constData(), static_cast<int>(utf8.size()),
                                 SQLITE_TRANSIENT);
    }
    }
    return SQLITE_MISUSE;
}

// SQLite reads columns from 0.
Variant ColumnValue(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return Variant(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return Variant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        // A preference value lands in a BLOB column as whatever was written,
        // normally text; hand the bytes back as text either way.
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt, column));
        const int size = sqlite3_column_bytes(stmt, column);
        return Variant(QString::fromUtf8(bytes, size));
    }
    default:
        return Variant();
    }
}

// Pragmas configure the connection; several of them do nothing inside a
// transaction, so they never open one.
bool IsPragma(const QString& sql)
{
    return sql.trimmed().startsWith(QLatin1String("PRAGMA"), Qt::CaseInsensitive);
}

// A plain query on one table can carry the rowid of each row, so that an
// edited row can be written back. Anything else (joins, compound queries,
// aggregates, DISTINCT) gives a read-only record set.
QString TableOfSimpleQuery(const QString& sql)
{
    static const QRegularExpression simple(
        QStringLiteral(R"(^\s*SELECT\s+(?!DISTINCT\b|ALL\b)(.+?)\s+FROM\s+([A-Za-z_][A-Za-z0-9_]*)\s*)"
                       R"((?:(?:WHERE|ORDER\s+BY|LIMIT)\b.*)?;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression excluded(
        QStringLiteral(R"(\b(?:JOIN|UNION|EXCEPT|INTERSECT|GROUP\s+BY)\b|)"
                       R"(\b(?:COUNT|SUM|MIN|MAX|AVG|TOTAL|GROUP_CONCAT)\s*\()"),
        QRegularExpression::CaseInsensitiveOption);
    // Words inside quoted text (a preference's name, say) are data, not SQL.
    static const QRegularExpression quotedText(QStringLiteral("'(?:[^']|'')*'"));
    const QString withoutText = QString(sql).replace(quotedText, QStringLiteral("''"));
    const QRegularExpressionMatch match = simple.match(sql);
    if (!match.hasMatch() || excluded.match(withoutText).hasMatch()) {
        return QString();
    }
    return match.captured(2);
}

} // namespace

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
    // SQLite may end a transaction itself (some errors roll it back).
    mInTransaction = mDb != nullptr && sqlite3_get_autocommit(mDb) == 0;
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
    sqlite3_busy_timeout(mDb, kBusyTimeoutMs);
    // Opening succeeds on any file; reading the schema is what tells a
    // database from some other file.
    if (sqlite3_exec(mDb, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(mDb));
        sqlite3_close_v2(mDb);
        mDb = nullptr;
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

bool Database::Connect()
{
    const QFileInfo info(DatabaseFile);
    if (!info.exists() || !info.isFile()) {
        Close();
        return Fail(QStringLiteral("%1 does not exist.").arg(DatabaseFile));
    }
    return Open(SQLITE_OPEN_READWRITE);
}

bool Database::ConnectInMemory()
{
    Close();
    mErrorMessage.clear();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return Fail(QStringLiteral("Cannot open a database in memory."));
    }
    mDb = db;
    return true;
}

void Database::BeginIfNeeded()
{
    if (mDb != nullptr && sqlite3_get_autocommit(mDb) != 0) {
        sqlite3_exec(mDb, "BEGIN", nullptr, nullptr, nullptr);
    }
    SyncTransactionState();
}

bool Database::Exec(const QString& sql)
{
    return Run(sql, {});
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
    bool first = true;
    while (next < end) {
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(mDb, next, static_cast<int>(end - next), &raw, &tail) != SQLITE_OK) {
            return FailWithEngineMessage(QStringLiteral("Cannot run the statement"));
        }
        next = tail;
        if (raw == nullptr) {
            continue; // blank text or a comment between statements
        }
        Statement stmt(raw);
        if (first) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (Bind(raw, static_cast<int>(i) + 1, values[i]) != SQLITE_OK) {
                    return FailWithEngineMessage(QStringLiteral("Cannot bind a value"));
                }
            }
            first = false;
        }
        if (sqlite3_stmt_readonly(raw) == 0 && !IsPragma(QString::fromUtf8(sqlite3_sql(raw)))) {
            BeginIfNeeded();
        }
        int rc = SQLITE_ROW;
        while (rc == SQLITE_ROW) {
            rc = sqlite3_step(raw);
        }
        if (rc != SQLITE_DONE) {
            return FailWithEngineMessage(QStringLiteral("The statement failed"));
        }
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
        // Insert the rowid as a hidden first column right after SELECT.
        static const QRegularExpression selectWord(QStringLiteral(R"(^\s*SELECT\s)"),
                                                   QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = selectWord.match(sql);
        const QString withRowId =
            QLatin1String("SELECT rowid, ") + sql.mid(match.capturedEnd());
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
        mInTransaction = false;
        return true; // nothing written since the last commit
    }
    if (sqlite3_exec(mDb, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
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
    mInTransaction = false;
}

} // namespace platform
