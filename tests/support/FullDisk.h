#pragma once

// A disk that tests can fill up. Once installed, every SQLite file opened
// afterwards goes through it; while it is full, a write that would make a
// file longer fails with SQLITE_FULL, as SQLite's own file layer reports a
// full disk, and rewriting bytes a file already holds still works. While it
// is locked out, every lock not yet held is refused, as when another program
// takes the file in the instant between two steps of one call.
namespace FullDisk {

void Install();
void SetFull(bool full);
void SetLockedOut(bool lockedOut);

} // namespace FullDisk
