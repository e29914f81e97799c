#pragma once

#include <QString>

namespace platform {

// A new database file is built whole under a name of its own and only then
// put in place, so that a start cut short leaves no half-made file, and two
// copies of the game starting at the same moment never build into one file
// nor throw away each other's work. The draft carries its process's id.
class DatabaseDraft {
public:
    enum class Placed { Moved, FoundThere, Failed };

    // Removes the drafts left by processes that are gone.
    explicit DatabaseDraft(QString file);
    // A draft never put in place is removed.
    ~DatabaseDraft();
    DatabaseDraft(const DatabaseDraft&) = delete;
    DatabaseDraft& operator=(const DatabaseDraft&) = delete;

    const QString& Path() const { return mDraft; }

    // Syncs the finished draft to the disk and gives it the file's name,
    // unless a file of that name appeared meanwhile (another copy of the
    // game made it): then that file stays and the draft goes. The folder is
    // synced afterwards, so the new name survives a power cut.
    Placed PutInPlace();

private:
    QString mFile;
    QString mDraft;
};

} // namespace platform
