#include "app/Globals.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/StatsClass.h"
#include "platform/store/Database.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A temporary preferences folder for one benchmark, so the player's own
// store is never touched, with the shared globals cleared on the way in
// and out.
class ScratchPreferences {
public:
    ScratchPreferences()
    {
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        ResetGlobals();
    }
    ~ScratchPreferences()
    {
        ResetGlobals();
        qputenv("XDG_CONFIG_HOME", mSaved);
    }
    ScratchPreferences(const ScratchPreferences&) = delete;
    ScratchPreferences& operator=(const ScratchPreferences&) = delete;

private:
    QTemporaryDir mConfig;
    QByteArray mSaved = qgetenv("XDG_CONFIG_HOME");
};

} // namespace

// What a start costs the player once the store exists: opening the file
// (with its schema check), counting the statistics and loading the first
// puzzle. The store file is created once, outside the timing.
static void BM_OpenStoreLoadStatsAndPuzzle(benchmark::State& state)
{
    const ScratchPreferences scratch;
    // The first start creates the file; some solves go on record, as in a
    // game under way.
    {
        PrefsDatabaseClass store;
        for (int number = 1; number <= 12; ++number) {
            store.mDB->SQLExecute(QStringLiteral("INSERT INTO SolvedPuzzles VALUES(%1, %2)").arg(number).arg(number % 8));
        }
        store.mDB->Commit();
    }

    constexpr int kPuzzleCount = 30;
    int number = 0;
    for (auto _ : state) {
        number = number % kPuzzleCount + 1;
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        gStats = std::make_shared<StatsClass>();
        gPuzzle = std::make_shared<PuzzleClass>();
        gPuzzle->LoadFromDatabase(number);
        benchmark::DoNotOptimize(gPuzzle->mPuzzleNumber);
        state.PauseTiming(); // closing the store is the end of a run, not the start
        ResetGlobals();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStoreLoadStatsAndPuzzle)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The statistics alone, on an open store: they are counted again after every win.
static void BM_LoadStats(benchmark::State& state)
{
    const ScratchPreferences scratch;
    gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
    StatsClass stats;
    for (auto _ : state) {
        stats.LoadStats();
        benchmark::DoNotOptimize(stats.mNumTotal);
    }
}
BENCHMARK(BM_LoadStats)->Unit(benchmark::kMicrosecond)->Repetitions(10)->ReportAggregatesOnly(true);

// A solve put on record: the insert, the copy in memory that follows it (so
// that a file refusing the commit loses nothing) and the commit to the disk.
static void BM_RecordSolve(benchmark::State& state)
{
    const ScratchPreferences scratch;
    gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
    gPuzzle = std::make_shared<PuzzleClass>();
    gPuzzle->LoadFromDatabase(1);
    for (auto _ : state) {
        gPuzzle->MarkSolvedInDatabase();
    }
}
BENCHMARK(BM_RecordSolve)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
