#include "platform/store/DatabaseDraft.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

const char* const kDraftMarker = ".draft-";
// The one fixed draft name of earlier versions, which removed it at every start.
const char* const kOldDraftSuffix = ".new";

bool IsRunning(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool Sync(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Renames unless the target exists; errno EEXIST when it does.
bool RenameWithoutReplacing(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without that rename: a link is refused just the same
    // when the name is taken.
    if (::link(from.constData(), to.constData()) != 0) {
        return false;
    }
    ::unlink(from.constData());
    return true;
}

} // namespace

DatabaseDraft::DatabaseDraft(QString file)
    : mFile(std::move(file))
{
    const QFileInfo info(mFile);
    const QString stem = info.fileName() + QLatin1String(kDraftMarker);
    mDraft = mFile + QLatin1String(kDraftMarker) + QString::number(::getpid());
    QDir folder = info.dir();
    QFile::remove(mFile + QLatin1String(kOldDraftSuffix));
    for (const QString& name : folder.entryList({stem + QLatin1Char('*')}, QDir::Files | QDir::Hidden)) {
        bool isNumber = false;
        const pid_t owner = static_cast<pid_t>(name.mid(stem.size()).toLongLong(&isNumber));
        // Another copy of the game still building its draft keeps it.
        if (!isNumber || owner == ::getpid() || !IsRunning(owner)) {
            folder.remove(name);
        }
    }
}

DatabaseDraft::~DatabaseDraft()
{
    QFile::remove(mDraft);
}

DatabaseDraft::Placed DatabaseDraft::PutInPlace()
{
    if (!Sync(mDraft, 0)) {
        return Placed::Failed;
    }
    const bool moved = RenameWithoutReplacing(QFile::encodeName(mDraft), QFile::encodeName(mFile));
    if (!moved) {
        return errno == EEXIST ? Placed::FoundThere : Placed::Failed;
    }
    Sync(QFileInfo(mFile).absolutePath(), O_DIRECTORY);
    return Placed::Moved;
}

} // namespace platform
