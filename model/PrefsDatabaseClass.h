#pragma once

#include "platform/store/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace platform {
class Database;
}

// The game's store: one SQLite file Kolmira/Kolmira.dat in the preferences
// folder, holding the format version, the preferences, the game in progress,
// the puzzle catalogue and the solved-puzzle records. Everyone else runs
// their statements on mDB.
class PrefsDatabaseClass {
public:
    // Opens the store, or creates it with its five tables and the built-in
    // puzzles, all committed at once, when the file is missing (or opens the
    // one another copy of the game created meanwhile). A store that cannot be
    // created or read (or lacks its tables) is reported with the reason, left
    // untouched on disk, and replaced for this run by one in memory with the
    // same tables and puzzles. A store that can be read but not written is
    // reported and played from a copy in memory, so the player's history
    // stays. A store whose built-in puzzles are missing or changed has them
    // restored, all at once, and the player is told so; a store that turns
    // them away, or does not keep them as written, keeps what it had and is
    // reported like a damaged one. When the file refuses later, the player
    // is told once, the file is not written again, and the game goes on from
    // memory with everything done so far.
    PrefsDatabaseClass();
    ~PrefsDatabaseClass();
    PrefsDatabaseClass(const PrefsDatabaseClass&) = delete;
    PrefsDatabaseClass& operator=(const PrefsDatabaseClass&) = delete;

    // Stores the value under the name, replacing an earlier one; committed.
    void SetPref(const QString& name, const platform::Variant& value);
    // The stored value, or nil when no preference has that name.
    platform::Variant GetPref(const QString& name);
    // Writes the 30 built-in puzzles into the store by column name and
    // commits them; leaves them uncommitted, with Error set, if they could
    // not all be written.
    void InsertDemoPuzzlesIntoDatabase();
    // True when at least one solved record holds that puzzle number.
    bool IsPuzzleSolved(std::int32_t number);

    // True when the file could not be used and this run plays on the
    // store in memory (nothing of this run will be kept).
    bool UsesFallbackStore() const;
    // The game is closing: a write refused from now on loses the game in
    // progress, and the player is told so.
    void GameClosing();

    // The file the store lives in: Kolmira/Kolmira.dat in the preferences folder.
    static QString StoreFolderPath();
    static QString StoreFilePath();

    // The open connection; never null after construction.
    std::shared_ptr<platform::Database> mDB;

private:
    // Shows a store message with a second line that explains it.
    static void Tell(const QString& message, const QString& explanation);
    // Tells why the file was given up during play.
    void TellRefusal(const QString& reason) const;
    // Builds a complete new store at the file; false, with no file, if that failed.
    bool CreateStoreFile(const QString& file, const QString& versionStamp);
    void OpenStoreFile(const QString& file, const QString& versionStamp);
    // Creates the five tables and the version row, not yet committed; false
    // (rolled back) if that failed.
    bool CreateSchema(const QString& versionStamp);
    // Whether the open store has the five tables with the columns the game reads.
    bool HasExpectedSchema();
    // Whether every built-in puzzle is in the catalogue as it was written.
    bool HoldsBuiltInPuzzles();
    // Writes the built-in puzzles back over rows 1 to 30, reads them back
    // and commits them; when the store turns them away or does not keep
    // them as written, rolls back, tells why and plays on a store in memory.
    void RestoreBuiltInPuzzles(const QString& versionStamp);
    // Inserts the 30 built-in puzzles by column name, not yet committed;
    // false, with Error set, if they could not all be written.
    bool WriteBuiltInPuzzles();
    void UseFallbackStore(const QString& versionStamp);

    bool mGameClosing = false;
};
