#pragma once

#include "platform/store/Database.h"

#include <QString>

// Another program at a database file while the game has it open: holding
// it as sqlite3 does, to write (EXCLUSIVE, which also keeps readers out),
// about to write (RESERVED) or reading (SHARED, which lets writes run and
// refuses their commit), or with no hold filling the disk instead (the
// FullDisk layer must be installed); or changing the file under the game.
class AnotherProgram {
public:
    enum Hold { kNone, kExclusive, kReserved, kShared };
    // Empties the file, cuts it to half its length, removes it, or puts a
    // copy of it in its place as an editor saves a file.
    enum Change { kEmptied, kCutShort, kRemoved, kRenamedOver };

    // Fails the running test when the hold cannot be taken.
    void Take(Hold hold, const QString& file);
    void Release();

    // False when the file could not be changed so.
    static bool ChangeFile(Change change, const QString& file);

private:
    platform::Database mDb;
};
