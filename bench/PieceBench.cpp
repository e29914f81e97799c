#include "model/PieceLargeTriangleClass.h"
#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"

#include <benchmark/benchmark.h>

// One hit test of the largest piece, at a point inside its picture box, the
// case a mouse down pays for each piece under the pointer: the whole pattern
// is built and one cell read. The piece needs no art for this.
static void BM_PieceIsPointInside(benchmark::State& state)
{
    PieceLargeTriangleClass piece;
    piece.SetPosition(100, 100);
    piece.SetOrientation(3);
    int x = 0;
    for (auto _ : state) {
        // Walk across the box so no single cell is favoured.
        x = (x + 7) % piece.mWidth;
        benchmark::DoNotOptimize(piece.IsPointInside(piece.mPosX + x, piece.mPosY + 140));
    }
}
BENCHMARK(BM_PieceIsPointInside)->Repetitions(10)->ReportAggregatesOnly(true);

// Building one pattern grid on its own, as the table does seven times per
// rebuild of the player's grid.
static void BM_MakeCellPattern(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeCellPattern(PieceShape::LargeTriangle, 5));
    }
}
BENCHMARK(BM_MakeCellPattern)->Repetitions(10)->ReportAggregatesOnly(true);
