#include "platform/store/Database.h"

#include <QFileInfo>
#include <sqlite3.h>

// The connection's copy in memory, and how the connection leaves a file that
// refused for that copy.
namespace platform {

int Database::TakeCopy(OnFile& onFile, bool ownTablesGo, Copy* keepReplaced)
{
    // The bytes as the file connection sees them, its own open transaction
    // included: no other program can lock a connection out of its own writes.
    int rc = SQLITE_OK;
    Connection copy = Snapshot(onFile.file.get(), rc);
    // No copy of the game empties a store or drops one of its tables: unless
    // the statement just run dropped or renamed a table itself, a file that
    // lost a table the copy holds was emptied or changed by another program,
    // and the copy stays as it was.
    if (copy != nullptr && onFile.copy.db != nullptr && !ownTablesGo
        && !HoldsEveryTableOf(copy.get(), onFile.copy.db.get())) {
        return SQLITE_SCHEMA;
    }
    if (copy != nullptr) {
        if (keepReplaced != nullptr && keepReplaced->db == nullptr) {
            *keepReplaced = std::move(onFile.copy);
        }
        onFile.copy = Copy{std::move(copy), DataVersion(onFile.file.get())};
    }
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
    // Closing rolls back the file's open transaction: it keeps its last commit.
    Connection copy = std::move(onFile->copy.db);
    mState = LeftFile{std::move(copy), problem, problem == FileProblem::None};
}

void Database::MoveToMemoryCopy()
{
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

bool Database::RunOnCopy(int fileCode, const char* text, const char* end, const std::vector<Variant>& values,
                         RowSink rows, const char** tail)
{
    // A rule broken on the file is broken by the statement (a row another
    // connection wrote that the copy has not seen yet, say), not the file.
    auto* onFile = std::get_if<OnFile>(&mState);
    if (onFile == nullptr || BreaksARule(fileCode)) {
        return false;
    }
    const FileProblem why = WhyFileFailed(fileCode);
    sqlite3* copy = onFile->copy.db.get();
    if (Step(copy, text, end, values, rows, tail) != SQLITE_OK) {
        // Wrong on any file. The copy keeps no transaction of its own.
        if (sqlite3_get_autocommit(copy) == 0) {
            sqlite3_exec(copy, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        return false;
    }
    LeaveFile(why);
    return true;
}

} // namespace platform
