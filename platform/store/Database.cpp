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
    const QString detail = Db() != nullptr ? QString::fromUtf8(sqlite3_errmsg(Db())) : QString();
    return Fail(detail.isEmpty() ? what : what + QLatin1String(": ") + detail);
}

FileProblem Database::Problem() const
{
    if (const auto* closed = std::get_if<Closed>(&mState)) {
        return closed->problem;
    }
    const auto* left = std::get_if<LeftFile>(&mState);
    return left != nullptr ? left->problem : FileProblem::None;
}

bool Database::Open(int flags)
{
    Close();
    mErrorMessage.clear();
    mState = Closed{};
    if (DatabaseFile.isEmpty()) {
        return Fail(QStringLiteral("No database file was given."));
    }
    const QByteArray path = DatabaseFile.toUtf8();
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.constData(), &db, flags, nullptr);
    OnFile onFile{Connection(db), Copy{}};
    if (rc == SQLITE_OK) {
        // Another copy of the game holding the file briefly should not fail a write.
        sqlite3_busy_timeout(db, Options().busyTimeoutMs);
        // The full codes: a file removed or replaced is told apart from a write-protected one.
        sqlite3_extended_result_codes(db, 1);
        ReportRollbacks(db, &mRolledBack);
        // Opening succeeds on any file; reading it whole into the copy is
        // what tells a database from some other file, or a file that another
        // program keeps to itself.
        rc = TakeCopy(onFile);
    }
    if (rc != SQLITE_OK) {
        const QString detail = db != nullptr ? QString::fromUtf8(sqlite3_errmsg(db))
                                             : QString::fromUtf8(sqlite3_errstr(rc));
        // A file that cannot be opened is one that cannot be read, unless
        // another program keeps it or it is no database.
        const FileProblem problem = ProblemOf(rc);
        mState = Closed{problem == FileProblem::InUse || problem == FileProblem::Damaged ? problem
                                                                                         : FileProblem::Unreadable};
        return Fail(QStringLiteral("Cannot open %1: %2").arg(DatabaseFile, detail));
    }
    mState = std::move(onFile);
    mLastRowId = 0;
    return true;
}

bool Database::CreateDatabaseFile()
{
    if (QFileInfo::exists(DatabaseFile)) {
        Close();
        return Fail(QStringLiteral("%1 already exists.").arg(DatabaseFile));
    }
    if (Open(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) {
        return true;
    }
    // The nearest thing on the way to the file that is there: a plain file
    // where a folder belongs keeps any folder from being made below it.
    QFileInfo above(QFileInfo(DatabaseFile).absolutePath());
    while (!above.exists() && !above.isRoot()) {
        above.setFile(above.absolutePath());
    }
    if (above.exists() && !above.isDir()) {
        mState = Closed{FileProblem::FolderIsAFile};
    } else if (IsPathTooLong(DatabaseFile)) {
        mState = Closed{FileProblem::PathTooLong};
    }
    return false;
}

void Database::UseDraftWrites()
{
    if (KeepsToFile()) {
        sqlite3_exec(Db(), "PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    }
}

bool Database::Connect()
{
    const QFileInfo info(DatabaseFile);
    if (!info.exists() || !info.isFile()) {
        Close();
        mState = Closed{FileProblem::Unreadable};
        return Fail(QStringLiteral("%1 does not exist.").arg(DatabaseFile));
    }
    // SQLite itself falls back to read-only when the file is write-protected.
    return Open(Options().openFilesReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
}

bool Database::ConnectInMemory()
{
    Close();
    mErrorMessage.clear();
    Connection memory = OpenMemory();
    if (memory == nullptr) {
        return Fail(QStringLiteral("Cannot open a database in memory."));
    }
    mState = InMemory{std::move(memory)};
    mLastRowId = 0;
    return true;
}

FileProblem Database::WhyReadOnly() const
{
    if (!KeepsToFile()) {
        return FileProblem::None;
    }
    if (sqlite3_db_readonly(Db(), "main") == 1) {
        return FileProblem::WriteProtected;
    }
    // Every transaction needs a journal next to the file.
    const QByteArray folder = QFileInfo(DatabaseFile).absolutePath().toLocal8Bit();
    if (access(folder.constData(), W_OK | X_OK) != 0) {
        return FileProblem::FolderWriteProtected;
    }
    return FileProblem::None;
}

void Database::FollowTransaction(bool wasOpen)
{
    const bool rolledBack = std::exchange(mRolledBack, false);
    if (!rolledBack && !(wasOpen && sqlite3_get_autocommit(Db()) != 0)) {
        return; // the transaction goes on, or there was none
    }
    std::optional<Copy> start = std::exchange(mTransactionStart, std::nullopt);
    if (!rolledBack || !start) {
        return; // the copy in place holds what the store keeps
    }
    // The store as the transaction's first write found it, kept in memory:
    // the writes just undone are gone from the copy too, even from a file
    // that refuses to be read again.
    if (auto* onFile = std::get_if<OnFile>(&mState)) {
        onFile->copy = std::move(*start);
        // What another program committed meanwhile comes back from the file
        // where it can still be read; where it cannot, the version put back
        // with the copy is older than the file's, and the next statement
        // that reads the file takes it.
        TakeCopy(*onFile);
    } else if (auto* left = std::get_if<LeftFile>(&mState)) {
        left->memory = std::move(start->db);
    }
}

int Database::Step(sqlite3* db, const char* text, const char* end, const std::vector<Variant>& values, RowSink rows,
                   const char** tail)
{
    sqlite3_stmt* raw = nullptr;
    StatementKind kind;
    int rc = Prepare(db, text, end, &raw, tail, kind);
    const Statement stmt(raw);
    if (rc != SQLITE_OK || raw == nullptr) {
        return rc; // an error, or blank text and comments
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if ((rc = Bind(raw, static_cast<int>(i) + 1, values[i])) != SQLITE_OK) {
            return rc;
        }
    }
    // Several pragmas do nothing inside a transaction, and a BEGIN of any
    // kind opens its own, so neither is wrapped in one.
    const bool writes = sqlite3_stmt_readonly(raw) == 0 && !kind.isPragma && !kind.controlsTransaction;
    const bool wasOpen = sqlite3_get_autocommit(db) == 0;
    if (writes && !wasOpen) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    }
    const sqlite3_int64 rowIdBefore = sqlite3_last_insert_rowid(db);
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
    if (sqlite3_last_insert_rowid(db) != rowIdBefore) {
        mLastRowId = sqlite3_last_insert_rowid(db);
    }
    // The copy follows every write, every write undone inside a transaction
    // that goes on, and every change of another connection that this
    // statement saw: ready before the file can refuse, and never holding
    // less than the game was shown, nor more than the file keeps. The end of
    // a transaction is followed once the statement is done.
    const bool ended = mRolledBack || (wasOpen && sqlite3_get_autocommit(db) != 0);
    auto* onFile = std::get_if<OnFile>(&mState);
    if (onFile != nullptr && db == onFile->file.get() && !ended
        && (writes || kind.rollsBackToSavepoint || DataVersion(db) != onFile->copy.version)
        && (rc = TakeCopy(*onFile, (writes && kind.removesTables) || kind.rollsBackToSavepoint)) != SQLITE_OK) {
        return rc;
    }
    if (rows.set != nullptr) {
        for (int c = firstColumn; c < columnCount; ++c) {
            rows.set->mColumns.push_back(QString::fromUtf8(sqlite3_column_name(raw, c)));
        }
        rows.set->mRows = std::move(found);
        rows.set->mRowIds = std::move(rowIds);
    }
    return SQLITE_OK;
}

bool Database::Run(const QString& sql, const std::vector<Variant>& values, RowSink rows)
{
    mErrorMessage.clear();
    if (Db() == nullptr) {
        return Fail(QStringLiteral("The database is not open."));
    }
    const QByteArray utf8 = sql.toUtf8();
    const char* next = utf8.constData();
    const char* end = next + utf8.size();
    const std::vector<Variant> none;
    bool first = true; // values bind to, and rows come from, the first statement of the text
    while (next < end) {
        const char* tail = end;
        const std::vector<Variant>& bound = first ? values : none;
        const RowSink sink = first ? rows : RowSink{};
        // (A transaction the layer opens for a write is no part of this: a
        // write never commits itself, and SQLite reports its rollback.)
        const bool wasOpen = sqlite3_get_autocommit(Db()) == 0;
        mRolledBack = false;
        const int rc = Step(Db(), next, end, bound, sink, &tail);
        const bool ran = rc == SQLITE_OK || RunOnCopy(rc, wasOpen, next, end, bound, sink, &tail);
        if (!ran) {
            // Told before the copy follows, which may read the file again.
            FailWithEngineMessage(QStringLiteral("The statement failed"));
        }
        // Also after a failure: a trigger or a conflict clause may have
        // rolled the whole transaction back.
        FollowTransaction(wasOpen);
        if (!ran) {
            return false;
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
    sqlite3* db = Db();
    if (db == nullptr) {
        return Fail(QStringLiteral("The database is not open."));
    }
    if (sqlite3_get_autocommit(db) != 0) {
        return true; // nothing written since the last commit
    }
    // The copy keeps the version it was taken at, older than the file's
    // after this commit: the next statement takes it again, with whatever
    // this transaction saw of another connection and never copied (it broke
    // a rule, say). A file that refuses the commit leaves it to the copy,
    // which holds every write of the transaction.
    if (Run(QStringLiteral("COMMIT"), {}, RowSink{})) {
        AnnounceRefusal();
        return true;
    }
    // Writes that break a rule of the store's own can be kept on no file.
    FailWithEngineMessage(QStringLiteral("Commit failed, changes were rolled back"));
    const QString why = mErrorMessage;
    // A commit that fails must not leave half a change behind, nor an open
    // transaction that a later commit would complete.
    Rollback();
    return Fail(why);
}

void Database::Rollback()
{
    sqlite3* db = Db();
    if (db == nullptr || sqlite3_get_autocommit(db) != 0) {
        return; // nothing open: the copy holds what the store keeps
    }
    mRolledBack = false;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    FollowTransaction(true);
}

std::int32_t Database::LastRowID() const
{
    return Db() != nullptr ? static_cast<std::int32_t>(mLastRowId) : 0;
}

void Database::Close()
{
    // Writes never committed do not reach the file.
    mTransactionStart.reset();
    mState = Closed{Problem()};
}

} // namespace platform
