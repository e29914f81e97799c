#include "tests/support/FullDisk.h"

#include <sqlite3.h>

namespace FullDisk {

namespace {

bool gFull = false;
sqlite3_vfs* gDisk = nullptr; // the real file layer underneath
sqlite3_vfs gFullDisk;

// A file of the full disk carries the real file right behind it.
struct File {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* file)
{
    return reinterpret_cast<File*>(file)->real;
}

int Write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset)
{
    sqlite3_file* real = Real(file);
    sqlite3_int64 size = 0;
    if (gFull && (real->pMethods->xFileSize(real, &size) != SQLITE_OK || offset + amount > size)) {
        return SQLITE_FULL;
    }
    return real->pMethods->xWrite(real, data, amount, offset);
}

// Version 1: no shared memory and no memory mapping, which a store in
// rollback-journal mode never needs.
const sqlite3_io_methods kMethods = {
    1,
    [](sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); },
    [](sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
        return Real(f)->pMethods->xRead(Real(f), data, amount, offset);
    },
    Write,
    [](sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); },
    [](sqlite3_file* f, int flags) { return Real(f)->pMethods->xSync(Real(f), flags); },
    [](sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); },
    [](sqlite3_file* f, int lock) { return Real(f)->pMethods->xLock(Real(f), lock); },
    [](sqlite3_file* f, int lock) { return Real(f)->pMethods->xUnlock(Real(f), lock); },
    [](sqlite3_file* f, int* reserved) { return Real(f)->pMethods->xCheckReservedLock(Real(f), reserved); },
    [](sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); },
    [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); },
    [](sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); },
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* wrapped = reinterpret_cast<File*>(file);
    wrapped->real = reinterpret_cast<sqlite3_file*>(wrapped + 1);
    const int rc = gDisk->xOpen(gDisk, name, wrapped->real, flags, outFlags);
    // Without methods SQLite never closes the file, as for a failed open.
    wrapped->base.pMethods = rc == SQLITE_OK ? &kMethods : nullptr;
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
    gFullDisk.szOsFile = static_cast<int>(sizeof(File)) + gDisk->szOsFile;
    gFullDisk.xOpen = Open;
    sqlite3_vfs_register(&gFullDisk, 1);
}

void SetFull(bool full)
{
    gFull = full;
}

} // namespace FullDisk
