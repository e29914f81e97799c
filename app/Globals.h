#pragma once

#include <cstdint>
#include <memory>

// The objects every part of the game shares. Only forward declarations here,
// so the model and the table can include this without the windows.
class PlayWindow;
class TableClass;
class PuzzleClass;
class StatsClass;
class PrefsDatabaseClass;
namespace platform {
class Random;
}

// Widgets are owned by Qt; these are plain observers cleared when they close.
extern PlayWindow* gPlayWindow;
extern TableClass* gTable;

extern std::shared_ptr<PuzzleClass> gPuzzle;
extern std::shared_ptr<StatsClass> gStats;
extern std::shared_ptr<PrefsDatabaseClass> gPrefsDatabase;
extern std::shared_ptr<platform::Random> gRandom;
extern std::int32_t gBitDepth;
extern bool gPrefMakeGameHarder;
extern bool gFirstRun;

// Drops every shared object and resets the flags (used between tests).
void ResetGlobals();
