#include "platform/store/Database.h"

#include <QFileInfo>
#include <sqlite3.h>

// The connection's copy in memory, and how the connection leaves a file that
// refused for that copy.
namespace platform {

int Database::TakeCopy(OnFile& onFile, bool ownTablesGo)
{
    // The bytes as the file connection sees them, its own open transaction
    // included: no other program can lock a connection out of its own writes.
    int rc = SQLITE_OK;
    Connection copy = Snapshot(onFile.file.get(), rc);
    if (copy == nullptr) {
        return rc;
    }
    // No copy of the game empties a store or drops one of its tables: unless
    // the statement just run dropped or renamed a table itself, a file that
    // lost a table the copy holds was emptied or changed by another program,
    // and the copy stays as it was.
    if (onFile.copy.db != nullptr && !ownTablesGo && !HoldsEveryTableOf(copy.get(), onFile.copy.db.get())) {
        return SQLITE_SCHEMA;
    }
    // Once the file's connection stands in for it, the copy's transactions
    // are followed as the file's are.
    ReportRollbacks(copy.get(), &mRolledBack);
    // The copy the transaction's first write replaces is the store as the
    // transaction found it.
    if (!mTransactionStart && sqlite3_txn_state(onFile.file.get(), "main") == SQLITE_TXN_WRITE) {
        mTransactionStart = std::move(onFile.copy);
    }
    onFile.copy = Copy{std::move(copy), DataVersion(onFile.file.get())};
    return rc;
}

FileProblem Database::WhyFileFailed(int code) const
{
    // What became of the file says more than the code of a statement that
    // found its tables gone or its pages missing.
    const QFileInfo file(DatabaseFile);
    if (!file.exists()) {
        return FileProblem::Replaced;
    }
    const FileProblem problem = ProblemOf(code);
    const auto* onFile = std::get_if<OnFile>(&mState);
    if ((problem == FileProblem::None || problem == FileProblem::Damaged) && onFile != nullptr
        && file.size() < DatabaseBytes(onFile->copy.db.get())) {
        return FileProblem::CutShort;
    }
    return problem == FileProblem::None ? FileProblem::Changed : problem;
}

void Database::LeaveFile(FileProblem problem)
{
    auto* onFile = std::get_if<OnFile>(&mState);
    if (onFile == nullptr) {
        return;
    }
    // Closing rolls back the file's open transaction: it keeps its last
    // commit. That rollback is the file's alone; the game's transaction goes
    // on on the copy.
    ReportRollbacks(onFile->file.get(), nullptr);
    Connection copy = std::move(onFile->copy.db);
    mState = LeftFile{std::move(copy), problem, problem == FileProblem::None};
}

void Database::MoveToMemoryCopy()
{
    // A transaction open on the file goes on in memory, to end there as the
    // game ends it.
    const auto* onFile = std::get_if<OnFile>(&mState);
    if (onFile != nullptr && sqlite3_get_autocommit(onFile->file.get()) == 0) {
        sqlite3_exec(onFile->copy.db.get(), "BEGIN", nullptr, nullptr, nullptr);
    }
    LeaveFile(FileProblem::None);
}

void Database::AnnounceRefusal()
{
    auto* left = std::get_if<LeftFile>(&mState);
    if (left == nullptr || left->announced) {
        return;
    }
    left->announced = true;
    if (mRefusalHandler) {
        mRefusalHandler(Describe(left->problem));
    }
}

bool Database::RunOnCopy(int fileCode, bool inTransaction, const char* text, const char* end,
                         const std::vector<Variant>& values, RowSink rows, const char** tail)
{
    // A rule broken on the file is broken by the statement (a row another
    // connection wrote that the copy has not seen yet, say), not the file.
    auto* onFile = std::get_if<OnFile>(&mState);
    if (onFile == nullptr || BreaksARule(fileCode)) {
        return false;
    }
    const FileProblem why = WhyFileFailed(fileCode);
    // The file rolling its transaction back on this failure is no end the
    // game asked for: that transaction goes on on the copy, which holds its
    // writes, to end there as the game ends it (a write opens its own).
    const bool rolledBackOnFile = std::exchange(mRolledBack, false);
    sqlite3* copy = onFile->copy.db.get();
    if (inTransaction) {
        sqlite3_exec(copy, "BEGIN", nullptr, nullptr, nullptr);
    }
    if (Step(copy, text, end, values, rows, tail) != SQLITE_OK) {
        // Wrong on any file. The copy keeps no transaction of its own, and
        // the file's stays as the statement left it.
        if (sqlite3_get_autocommit(copy) == 0) {
            sqlite3_exec(copy, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        mRolledBack = rolledBackOnFile;
        return false;
    }
    LeaveFile(why);
    return true;
}

} // namespace platform
