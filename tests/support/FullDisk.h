#pragma once

// A disk that tests can fill up. Once installed, every SQLite file opened
// afterwards goes through it; while it is full, a write that would make a
// file longer fails with SQLITE_FULL, as SQLite's own file layer reports a
// full disk, and rewriting bytes a file already holds still works.
namespace FullDisk {

void Install();
void SetFull(bool full);

} // namespace FullDisk
