#include "platform/store/SqliteSupport.h"

#include <QFile>
#include <QStringList>
#include <climits>
#include <cstring>
#include <sqlite3.h>

#include <algorithm>
#include <vector>

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

void ConnectionCloser::operator()(sqlite3* db) const
{
    // Rolls back a transaction still open; a statement not yet finalized
    // keeps the connection alive until it is.
    sqlite3_close_v2(db);
}

namespace {

constexpr int kPrimaryCodeMask = 0xff;

} // namespace

FileProblem ProblemOf(int code)
{
    // SQLite's name for a file removed, or renamed over, under the connection.
    if (code == SQLITE_READONLY_DBMOVED) {
        return FileProblem::Replaced;
    }
    if (code == SQLITE_READONLY_DIRECTORY) {
        return FileProblem::FolderWriteProtected;
    }
    if (code == SQLITE_IOERR_READ || code == SQLITE_IOERR_SHORT_READ) {
        return FileProblem::Unreadable;
    }
    switch (code & kPrimaryCodeMask) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return FileProblem::InUse;
    case SQLITE_FULL:
        return FileProblem::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return FileProblem::WriteProtected;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return FileProblem::DiskError;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return FileProblem::Damaged;
    default:
        return FileProblem::None;
    }
}

bool BreaksARule(int code)
{
    return (code & kPrimaryCodeMask) == SQLITE_CONSTRAINT;
}

QString Describe(FileProblem problem)
{
    switch (problem) {
    case FileProblem::None:
        break;
    case FileProblem::InUse:
        return QStringLiteral("another program is using it");
    case FileProblem::DiskFull:
        return QStringLiteral("the disk is full");
    case FileProblem::WriteProtected:
        return QStringLiteral("it is write-protected");
    case FileProblem::FolderWriteProtected:
        return QStringLiteral("its folder is write-protected");
    case FileProblem::FolderIsAFile:
        return QStringLiteral("a file stands where its folder belongs");
    case FileProblem::PathTooLong:
        return QStringLiteral("its path is too long for the system");
    case FileProblem::Unreadable:
        return QStringLiteral("it cannot be read");
    case FileProblem::DiskError:
        return QStringLiteral("the disk reported an error");
    case FileProblem::Damaged:
        return QStringLiteral("it is damaged");
    case FileProblem::Replaced:
        return QStringLiteral("another program removed or replaced it");
    case FileProblem::CutShort:
        return QStringLiteral("another program emptied it or cut it short");
    case FileProblem::Changed:
        return QStringLiteral("another program changed it");
    }
    return QString();
}

bool IsPathTooLong(const QString& path)
{
    // The longest name SQLite gives a file of its own beside the database.
    constexpr qsizetype kJournalSuffix = sizeof("-journal") - 1;
    const QByteArray bytes = QFile::encodeName(path);
    // SQLite's limit lies within the system's (PATH_MAX).
    const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (vfs != nullptr && bytes.size() + kJournalSuffix > vfs->mxPathname) {
        return true;
    }
    const QList<QByteArray> names = bytes.split('/');
    return std::any_of(names.begin(), names.end(), [](const QByteArray& name) { return name.size() > NAME_MAX; });
}

Connection OpenMemory()
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Connection connection(db);
    return rc == SQLITE_OK ? std::move(connection) : nullptr;
}

Connection Snapshot(sqlite3* db, int& rc)
{
    sqlite3_int64 size = -1;
    unsigned char* bytes = sqlite3_serialize(db, "main", &size, 0);
    Connection copy = OpenMemory();
    if (bytes == nullptr && size != 0) {
        rc = sqlite3_extended_errcode(db) != SQLITE_OK ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
        return nullptr;
    }
    rc = copy != nullptr ? SQLITE_OK : SQLITE_NOMEM;
    // An empty database has no bytes, and its copy is an empty database too.
    // Otherwise the copy owns the bytes from here on, even when it refuses them.
    if (copy != nullptr && bytes != nullptr) {
        rc = sqlite3_deserialize(copy.get(), "main", bytes, size, size,
                                 SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
    } else {
        sqlite3_free(bytes);
    }
    return rc == SQLITE_OK ? std::move(copy) : nullptr;
}

unsigned DataVersion(sqlite3* db)
{
    unsigned version = 0;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}

namespace {

std::vector<QByteArray> TableNames(sqlite3* db)
{
    std::vector<QByteArray> names;
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name", -1, &raw, nullptr);
    const Statement stmt(raw);
    while (raw != nullptr && sqlite3_step(raw) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    }
    return names;
}

// The schema cookie of the database header, which every change of the
// schema moves on; 0 for a database with no bytes.
std::uint32_t SchemaCookie(sqlite3* db)
{
    constexpr sqlite3_int64 kCookieAt = 40;
    sqlite3_int64 size = 0;
    const unsigned char* bytes = sqlite3_serialize(db, "main", &size, SQLITE_SERIALIZE_NOCOPY);
    if (bytes == nullptr || size < kCookieAt + 4) {
        return 0;
    }
    const unsigned char* at = bytes + kCookieAt;
    return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 | at[3];
}

} // namespace

bool HoldsEveryTableOf(sqlite3* db, sqlite3* other)
{
    // The same schema holds the same tables, and costs no parse to tell.
    if (SchemaCookie(db) == SchemaCookie(other) && SchemaCookie(db) != 0) {
        return true;
    }
    const std::vector<QByteArray> held = TableNames(db);
    const std::vector<QByteArray> wanted = TableNames(other);
    return std::includes(held.begin(), held.end(), wanted.begin(), wanted.end());
}

std::int64_t DatabaseBytes(sqlite3* db)
{
    sqlite3_int64 size = 0;
    sqlite3_serialize(db, "main", &size, SQLITE_SERIALIZE_NOCOPY);
    return std::max<sqlite3_int64>(size, 0);
}

void ReportRollbacks(sqlite3* db, bool* rolledBack)
{
    const auto report = [](void* flag) { *static_cast<bool*>(flag) = true; };
    sqlite3_rollback_hook(db, rolledBack != nullptr ? +report : nullptr, rolledBack);
}

namespace {

int NoteKind(void* kind, int action, const char* arg1, const char*, const char*, const char*)
{
    auto& noted = *static_cast<StatementKind*>(kind);
    switch (action) {
    case SQLITE_SAVEPOINT:
        // SAVEPOINT asks as "BEGIN", RELEASE as "RELEASE".
        noted.rollsBackToSavepoint = arg1 != nullptr && std::strcmp(arg1, "ROLLBACK") == 0;
        break;
    case SQLITE_TRANSACTION:
        noted.controlsTransaction = true;
        break;
    case SQLITE_PRAGMA:
        noted.isPragma = true;
        break;
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_ALTER_TABLE:
        noted.removesTables = true;
        break;
    default:
        break;
    }
    return SQLITE_OK;
}

} // namespace

int Prepare(sqlite3* db, const char* text, const char* end, sqlite3_stmt** stmt, const char** tail,
            StatementKind& kind)
{
    // SQLite asks the authorizer about every action of the statement while
    // it compiles it; it is set for this one statement only, so nothing
    // else the connection prepares is asked about.
    sqlite3_set_authorizer(db, NoteKind, &kind);
    const int rc = sqlite3_prepare_v2(db, text, static_cast<int>(end - text), stmt, tail);
    sqlite3_set_authorizer(db, nullptr, nullptr);
    return rc;
}

namespace {

// One piece of an SQL text: a word (names, keywords, numbers), a quoted
// text, or any other single character; spaceBefore tells whether white
// space separates it from the piece before.
struct SqlToken {
    QStringView text;
    bool word = false;
    bool spaceBefore = false;
};

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

std::vector<SqlToken> Tokenize(const QString& sql)
{
    std::vector<SqlToken> tokens;
    const qsizetype n = sql.size();
    bool space = false;
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            space = true;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        if (IsWordChar(c)) {
            while (end < n && IsWordChar(sql[end])) {
                ++end;
            }
        } else if (c == QLatin1Char('\'')) {
            // To the closing quote; '' inside the text is a quote of the text.
            const QLatin1Char quote('\'');
            while (end < n && !(sql[end] == quote && (end + 1 == n || sql[end + 1] != quote))) {
                end += sql[end] == quote ? 2 : 1;
            }
            end = std::min(end + 1, n);
        }
        tokens.push_back({QStringView(sql).mid(i, end - i), IsWordChar(c), space});
        space = false;
        i = end;
    }
    return tokens;
}

bool IsWord(const SqlToken& token, QLatin1String word)
{
    return token.word && token.text.compare(word, Qt::CaseInsensitive) == 0;
}

} // namespace

// A plain query on one table can carry the rowid of each row, so that an
// edited row can be written back. Anything else (joins, compound queries,
// aggregates, DISTINCT) gives a read-only record set. Words inside quoted
// text (a preference's name, say) are data, not SQL. Read by hand: this runs
// for every query, from the first one at start-up.
QString TableOfSimpleQuery(const QString& sql)
{
    const std::vector<SqlToken> t = Tokenize(sql);
    const std::size_t n = t.size();
    const auto word = [&t, n](std::size_t i, const char* w) { return i < n && IsWord(t[i], QLatin1String(w)); };
    for (std::size_t i = 0; i < n; ++i) {
        static constexpr const char* kExcluded[] = {"JOIN", "UNION", "EXCEPT", "INTERSECT"};
        static constexpr const char* kAggregates[] = {"COUNT", "SUM", "MIN", "MAX", "AVG", "TOTAL", "GROUP_CONCAT"};
        for (const char* w : kExcluded) {
            if (word(i, w)) {
                return QString();
            }
        }
        for (const char* w : kAggregates) {
            if (word(i, w) && i + 1 < n && t[i + 1].text == QLatin1String("(")) {
                return QString();
            }
        }
        if (word(i, "GROUP") && word(i + 1, "BY") && t[i + 1].spaceBefore) {
            return QString();
        }
    }
    // SELECT, columns (not DISTINCT or ALL), FROM, the table, then nothing
    // but WHERE, ORDER BY or LIMIT and what follows them.
    if (!word(0, "SELECT") || n < 4 || !t[1].spaceBefore || word(1, "DISTINCT") || word(1, "ALL")) {
        return QString();
    }
    for (std::size_t from = 2; from + 1 < n; ++from) {
        const SqlToken& table = t[from + 1];
        if (!word(from, "FROM") || !t[from].spaceBefore || !table.spaceBefore || !table.word
            || table.text.front().isDigit()) {
            continue;
        }
        const std::size_t rest = from + 2;
        const bool ends = rest == n || (rest + 1 == n && t[rest].text == QLatin1String(";"));
        const bool clause = word(rest, "WHERE") || word(rest, "LIMIT")
            || (word(rest, "ORDER") && word(rest + 1, "BY") && t[rest + 1].spaceBefore);
        if (ends || clause) {
            return table.text.toString();
        }
    }
    return QString();
}

} // namespace platform
