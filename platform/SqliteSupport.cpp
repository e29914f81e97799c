#include "platform/SqliteSupport.h"

#include <QRegularExpression>
#include <QStringList>
#include <sqlite3.h>

namespace platform {

void StatementDeleter::operator()(sqlite3_stmt* stmt) const
{
    sqlite3_finalize(stmt);
}

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

namespace {

constexpr int kPrimaryCodeMask = 0xff;

} // namespace

bool IsFileRefusal(int code)
{
    switch (code & kPrimaryCodeMask) {
    case SQLITE_FULL:
    case SQLITE_IOERR:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return true;
    default:
        return false;
    }
}

QString RefusalReason(int code)
{
    if (code == SQLITE_READONLY_DIRECTORY) {
        return QStringLiteral("its folder is write-protected");
    }
    switch (code & kPrimaryCodeMask) {
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return QStringLiteral("it or its folder is write-protected");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("another program kept it locked");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("it is damaged");
    default:
        return QStringLiteral("the disk reported an error");
    }
}

sqlite3* OpenMemory()
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    return db;
}

// Several pragmas do nothing inside a transaction, so they never open one.
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

} // namespace platform
