#include "app/Globals.h"

#include "platform/Random.h"

// The headers of the shared classes are included where their objects are
// released; an incomplete type is enough for the shared pointers here because
// their deleters were captured where the objects were created.
PlayWindow* gPlayWindow = nullptr;
TableClass* gTable = nullptr;
std::shared_ptr<PuzzleClass> gPuzzle;
std::shared_ptr<StatsClass> gStats;
std::shared_ptr<PrefsDatabaseClass> gPrefsDatabase;
std::shared_ptr<platform::Random> gRandom;
std::int32_t gBitDepth = 32;
bool gPrefMakeGameHarder = false;
bool gFirstRun = false;

void ResetGlobals()
{
    gPlayWindow = nullptr;
    gTable = nullptr;
    gPuzzle.reset();
    gStats.reset();
    gPrefsDatabase.reset();
    gRandom.reset();
    gBitDepth = 32;
    gPrefMakeGameHarder = false;
    gFirstRun = false;
}
