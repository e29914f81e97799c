#include "tests/support/FullDisk.h"

#include <sqlite3.h>

#include <algorithm>
#include <deque>

namespace FullDisk {

namespace {

bool gFull = false;
bool gLockedOut = false;
sqlite3_vfs* gDisk = nullptr; // the real file layer underneath
sqlite3_vfs gFullDisk;

// The real layer's file methods (one set per kind of file it opens), each
// with a copy whose write can find the disk full and whose lock can be refused.
struct Methods {
    sqlite3_io_methods full;
    const sqlite3_io_methods* real;
};
std::deque<Methods> gMethods;

int Write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset)
{
    const sqlite3_io_methods& real = *reinterpret_cast<const Methods*>(file->pMethods)->real;
    sqlite3_int64 size = 0;
    if (gFull && (real.xFileSize(file, &size) != SQLITE_OK || offset + amount > size)) {
        return SQLITE_FULL;
    }
    return real.xWrite(file, data, amount, offset);
}

int Lock(sqlite3_file* file, int level)
{
    const sqlite3_io_methods& real = *reinterpret_cast<const Methods*>(file->pMethods)->real;
    return gLockedOut ? SQLITE_BUSY : real.xLock(file, level);
}

// The file is the real layer's own; only its methods are swapped for the copy.
int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    const int rc = gDisk->xOpen(gDisk, name, file, flags, outFlags);
    if (rc != SQLITE_OK || file->pMethods == nullptr) {
        return rc;
    }
    const auto real = file->pMethods;
    auto it = std::find_if(gMethods.begin(), gMethods.end(), [real](const Methods& m) { return m.real == real; });
    if (it == gMethods.end()) {
        it = gMethods.insert(it, {*real, real}); // at the end: earlier copies stay where they are
        it->full.xWrite = Write;
        it->full.xLock = Lock;
    }
    file->pMethods = &it->full;
    return rc;
}

} // namespace

void Install()
{
    if (gDisk != nullptr) {
        return;
    }
    gDisk = sqlite3_vfs_find(nullptr);
    // Everything but opening is the real layer's own, which finds its data
    // through the copied pAppData.
    gFullDisk = *gDisk;
    gFullDisk.zName = "kolmira-full-disk";
    gFullDisk.xOpen = Open;
    sqlite3_vfs_register(&gFullDisk, 1);
}

void SetFull(bool full) { gFull = full; }

void SetLockedOut(bool lockedOut) { gLockedOut = lockedOut; }

} // namespace FullDisk
