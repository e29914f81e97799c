#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"

#include <array>
#include <benchmark/benchmark.h>

namespace {

// Built-in puzzle 1 as stored (x, y, orientation), in the store's piece order.
constexpr std::array<std::array<int, 3>, 7> kFigure{{{-80, -80, 4}, {0, 0, 8}, {0, 140, 1},
    {100, 200, 8}, {-40, 300, 2}, {-50, 200, 1}, {80, 280, 1}}};

struct Layout {
    PieceLargeTriangleClass l1, l2;
    PieceMediumTriangleClass m;
    PieceSmallTriangleClass s1, s2;
    PieceRhombusClass rh;
    PieceSquareClass sq;

    Layout()
    {
        const std::array<PieceClass*, 7> pieces{&l1, &l2, &m, &s1, &s2, &rh, &sq};
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            pieces[i]->SetPosition(kFigure[i][0], kFigure[i][1]);
            pieces[i]->SetOrientation(kFigure[i][2]);
            pieces[i]->SetPictureFromOrientation();
        }
    }
};

void PlaceStored(PuzzleClass& puzzle)
{
    const std::array<PieceClass*, 7> pieces{puzzle.mPieceLargeTriangle1.get(),
        puzzle.mPieceLargeTriangle2.get(), puzzle.mPieceMediumTriangle.get(),
        puzzle.mPieceSmallTriangle1.get(), puzzle.mPieceSmallTriangle2.get(),
        puzzle.mPieceRhombus.get(), puzzle.mPieceSquare.get()};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        pieces[i]->mPosX = kFigure[i][0];
        pieces[i]->mPosY = kFigure[i][1];
    }
}

// One composition as a load or the win check does it: normalise, measure,
// seven patterns added, trim, and the match against a reference figure.
void BM_PuzzleComposition(benchmark::State& state)
{
    Layout layout;
    PuzzleClass reference;
    reference.SetFromPieces(layout.l1, layout.l2, layout.m, layout.s1, layout.s2, layout.rh, layout.sq);
    PuzzleClass puzzle;
    puzzle.SetFromPieces(layout.l1, layout.l2, layout.m, layout.s1, layout.s2, layout.rh, layout.sq);
    for (auto _ : state) {
        PlaceStored(puzzle);
        puzzle.AdjustPiecePositions();
        puzzle.CalculatePixelDimensions();
        puzzle.CreateSolutionGrid();
        benchmark::DoNotOptimize(puzzle.mSolutionGrid->DoesMatch(*reference.mSolutionGrid));
    }
}
BENCHMARK(BM_PuzzleComposition);

void BM_PuzzleBoardSilhouette(benchmark::State& state)
{
    Layout layout;
    PuzzleClass puzzle;
    puzzle.SetFromPieces(layout.l1, layout.l2, layout.m, layout.s1, layout.s2, layout.rh, layout.sq);
    for (auto _ : state) {
        puzzle.CreateBoardSilhouette();
        benchmark::DoNotOptimize(puzzle.mBoardSilhouette.get());
    }
}
BENCHMARK(BM_PuzzleBoardSilhouette)->Unit(benchmark::kMicrosecond);

} // namespace
