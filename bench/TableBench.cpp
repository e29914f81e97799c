#include "app/Globals.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/StatsClass.h"
#include "platform/Random.h"
#include "table/TableClass.h"

#include <QTemporaryDir>
#include <QApplication>
#include <QWindow>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kTableWidth = 800;
constexpr int kTableHeight = 650;
// A drag step moves the piece by this much, so old and new places overlap.
constexpr int kStep = 7;
constexpr int kExposeRounds = 100;

// The play table open on puzzle 2 in a shown window, over a store in a
// temporary preferences folder.
class OpenTable {
public:
    OpenTable()
    {
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        ResetGlobals();
        gRandom = std::make_shared<platform::Random>(1u);
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        gStats = std::make_shared<StatsClass>();
        gPuzzle = std::make_shared<PuzzleClass>();
        gFirstRun = true;
        mWindow.resize(kTableWidth, kTableHeight);
        mTable = new TableClass(&mWindow);
        mTable->setGeometry(0, 0, kTableWidth, kTableHeight);
        mTable->DispatchOpen();
        mWindow.show();
        // The offscreen platform exposes a shown window at once; events
        // still have to run for the first paint.
        for (int round = 0; round < kExposeRounds && !mWindow.windowHandle()->isExposed(); ++round) {
            QApplication::processEvents();
        }
        QApplication::processEvents();
    }
    ~OpenTable()
    {
        gPuzzle->mIsWon = true; // nothing to save
        mTable->DispatchClose();
        delete mTable;
        ResetGlobals();
    }
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

    TableClass& Table() { return *mTable; }

private:
    QTemporaryDir mConfig;
    QWidget mWindow;
    TableClass* mTable = nullptr;
};

void BM_TableDragStep(benchmark::State& state)
{
    OpenTable open;
    TableClass& table = open.Table();
    const PieceClass& piece = *table.mPieceLargeTriangle1;
    int x = piece.mPosX + piece.mWidth / 2;
    int y = piece.mPosY + piece.mHeight / 2;
    // A point the shape covers, out from the picture's middle.
    for (int d = 0; d < piece.mWidth / 2 && !piece.IsPointInside(x, y); ++d) {
        x = piece.mPosX + piece.mWidth / 2 + d;
        y = piece.mPosY + piece.mHeight / 2 + d;
    }
    if (!table.Event_MouseDown(x, y) || table.mSelectedPiece == nullptr) {
        state.SkipWithError("the press took no piece");
        return;
    }
    table.Event_MouseDrag(x - kStep, y - kStep); // the first step renders it all
    int offset = 0;
    for (auto _ : state) {
        offset = offset == 0 ? kStep : 0;
        table.Event_MouseDrag(x - 2 * kStep - offset, y - 2 * kStep - offset);
    }
    table.Event_MouseUp(x, y);
}
BENCHMARK(BM_TableDragStep)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_TableFullDraw(benchmark::State& state)
{
    OpenTable open;
    for (auto _ : state) {
        open.Table().Draw(true);
    }
}
BENCHMARK(BM_TableFullDraw)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_TableMouseUp(benchmark::State& state)
{
    OpenTable open;
    TableClass& table = open.Table();
    for (auto _ : state) {
        // A press and release on the bare table: the player's grid is rebuilt,
        // the table redrawn and compared with the puzzle.
        table.Event_MouseDown(400, 300);
        table.Event_MouseUp(400, 300);
    }
}
BENCHMARK(BM_TableMouseUp)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace
