#include "PuzzleTestSupport.h"

#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"

#include <array>
#include <utility>

namespace {

struct Layout {
    PieceLargeTriangleClass l1, l2;
    PieceMediumTriangleClass m;
    PieceSmallTriangleClass s1, s2;
    PieceRhombusClass rh;
    PieceSquareClass sq;

    std::array<PieceClass*, 7> All() { return {&l1, &l2, &m, &s1, &s2, &rh, &sq}; }

    // Pieces at (x, y, orientation) in the store's piece order.
    void Place(const std::array<std::array<int, 3>, 7>& values)
    {
        auto pieces = All();
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            pieces[i]->SetPosition(values[i][0], values[i][1]);
            pieces[i]->SetOrientation(values[i][2]);
            pieces[i]->SetPictureFromOrientation();
        }
    }
    void ComposeInto(PuzzleClass& puzzle) { puzzle.SetFromPieces(l1, l2, m, s1, s2, rh, sq); }
};

// Built-in puzzle 1 as stored: a 20 x 40 block of full cells.
constexpr std::array<std::array<int, 3>, 7> kFirstPuzzle{{{-80, -80, 4}, {0, 0, 8}, {0, 140, 1},
    {100, 200, 8}, {-40, 300, 2}, {-50, 200, 1}, {80, 280, 1}}};

// Covered area in half cells.
int Area(const SolutionGridClass& grid)
{
    int area = 0;
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            const int code = grid.GetCell(x, y);
            area += code == SolutionGridClass::kFull ? 2 : code == SolutionGridClass::kEmpty ? 0 : 1;
        }
    }
    return area;
}

std::pair<int, int> Pos(const std::shared_ptr<PieceClass>& piece)
{
    return {piece->mPosX, piece->mPosY};
}

} // namespace

TEST(PuzzleComposition, NewPuzzleHoldsSevenUnplacedPiecesAndNoFigure)
{
    PuzzleClass puzzle;
    EXPECT_EQ(puzzle.mPuzzleNumber, 0);
    EXPECT_FALSE(puzzle.mIsWon);
    EXPECT_EQ(puzzle.mHintCount, 0);
    EXPECT_EQ(puzzle.mSolutionGrid, nullptr);
    EXPECT_EQ(puzzle.mBoardSilhouette, nullptr);
    for (const std::shared_ptr<PieceClass>& piece :
         {std::shared_ptr<PieceClass>(puzzle.mPieceLargeTriangle1), std::shared_ptr<PieceClass>(puzzle.mPieceLargeTriangle2),
          std::shared_ptr<PieceClass>(puzzle.mPieceMediumTriangle), std::shared_ptr<PieceClass>(puzzle.mPieceSmallTriangle1),
          std::shared_ptr<PieceClass>(puzzle.mPieceSmallTriangle2), std::shared_ptr<PieceClass>(puzzle.mPieceRhombus),
          std::shared_ptr<PieceClass>(puzzle.mPieceSquare)}) {
        EXPECT_EQ(piece->mOrientation, 1);
        EXPECT_EQ(Pos(piece), std::make_pair(0, 0));
    }
}

TEST(PuzzleComposition, FirstBuiltInFigureIsASolidBlockWithItsTrims)
{
    Layout layout;
    layout.Place(kFirstPuzzle);
    PuzzleClass puzzle;
    layout.ComposeInto(puzzle);

    EXPECT_EQ(Pos(puzzle.mPieceLargeTriangle1), std::make_pair(0, 0));
    EXPECT_EQ(Pos(puzzle.mPieceLargeTriangle2), std::make_pair(80, 80));
    EXPECT_EQ(Pos(puzzle.mPieceMediumTriangle), std::make_pair(80, 220));
    EXPECT_EQ(Pos(puzzle.mPieceSmallTriangle1), std::make_pair(180, 280));
    EXPECT_EQ(Pos(puzzle.mPieceSmallTriangle2), std::make_pair(40, 380));
    EXPECT_EQ(Pos(puzzle.mPieceRhombus), std::make_pair(30, 280));
    EXPECT_EQ(Pos(puzzle.mPieceSquare), std::make_pair(160, 360));
    EXPECT_EQ(puzzle.mPixelWidth, 360);
    EXPECT_EQ(puzzle.mPixelHeight, 520);

    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    ASSERT_EQ(grid.GetWidth(), 20);
    ASSERT_EQ(grid.GetHeight(), 40);
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            ASSERT_EQ(grid.GetCell(x, y), SolutionGridClass::kFull) << x << "," << y;
        }
    }
    EXPECT_EQ(grid.mNumTrimmedLeft, 8);
    EXPECT_EQ(grid.mNumTrimmedTop, 8);
    EXPECT_EQ(grid.mNumTrimmedRight, 8);
    EXPECT_EQ(grid.mNumTrimmedBottom, 4);
    EXPECT_FALSE(grid.mHasOverlap);
}

TEST(PuzzleComposition, FigureComposedAnywhereIsTheSameAndArgumentsStayPut)
{
    Layout stored;
    stored.Place(kFirstPuzzle);
    PuzzleClass reference;
    stored.ComposeInto(reference);

    // The same figure as the table might hold it, far from the corner.
    Layout onTable;
    auto shifted = kFirstPuzzle;
    for (auto& piece : shifted) {
        piece[0] += 370;
        piece[1] += 150;
    }
    onTable.Place(shifted);
    PuzzleClass puzzle;
    puzzle.mPuzzleNumber = 7;
    puzzle.mHintCount = 3;
    puzzle.mIsWon = true;
    onTable.ComposeInto(puzzle);

    EXPECT_TRUE(puzzle.mSolutionGrid->DoesMatch(*reference.mSolutionGrid));
    EXPECT_NE(puzzle.mSolutionGrid, reference.mSolutionGrid);
    EXPECT_EQ(puzzle.mPuzzleNumber, 0);
    EXPECT_EQ(puzzle.mHintCount, 0);
    EXPECT_TRUE(puzzle.mIsWon) << "composing keeps the won flag";
    EXPECT_EQ(onTable.l1.mPosX, -80 + 370);
    EXPECT_EQ(onTable.sq.mPosY, 280 + 150);

    // A figure already at the corner stays where it is.
    puzzle.AdjustPiecePositions();
    EXPECT_EQ(Pos(puzzle.mPieceRhombus), std::make_pair(30, 280));
    EXPECT_EQ(puzzle.mBoardSilhouette->Width(), 200);
}

TEST(PuzzleComposition, OrientationsOutOfRangeGiveNoCellsButNeverFail)
{
    Layout layout;
    layout.Place(kFirstPuzzle);
    PuzzleClass puzzle;
    layout.ComposeInto(puzzle);
    const auto rhombusPicture = puzzle.mPieceRhombus->mPicture;

    // One damaged piece: its cells are missing and its picture stays.
    layout.rh.mOrientation = 5;
    layout.ComposeInto(puzzle);
    EXPECT_EQ(puzzle.mPieceRhombus->mPicture, rhombusPicture);
    EXPECT_FALSE(puzzle.mSolutionGrid->mHasOverlap);
    EXPECT_EQ(puzzle.mSolutionGrid->GetWidth(), 20);
    EXPECT_EQ(puzzle.mSolutionGrid->GetCell(5, 30), SolutionGridClass::kEmpty) << "inside the rhombus";

    // Every piece damaged: no cell at all, and the grid keeps its full size.
    for (PieceClass* piece : layout.All()) {
        piece->mOrientation = 0;
    }
    layout.ComposeInto(puzzle);
    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    EXPECT_EQ(grid.GetWidth(), 36);
    EXPECT_EQ(grid.GetHeight(), 52);
    EXPECT_EQ(grid.mNumTrimmedLeft, 0);
    EXPECT_EQ(grid.mNumTrimmedTop, 0);
    for (int y = 0; y < grid.GetHeight(); ++y) {
        for (int x = 0; x < grid.GetWidth(); ++x) {
            ASSERT_EQ(grid.GetCell(x, y), SolutionGridClass::kEmpty);
        }
    }
    ASSERT_NE(puzzle.mBoardSilhouette, nullptr);
    EXPECT_EQ(puzzle.mBoardSilhouette->Width(), 360);
}

TEST_F(PuzzleStoreTest, EveryBuiltInFigureFitsTogetherWithoutOverlap)
{
    PuzzleClass puzzle;
    for (int n = 1; n <= kBuiltInPuzzles; ++n) {
        SCOPED_TRACE(n);
        puzzle.LoadFromDatabase(n);
        ASSERT_EQ(puzzle.mPuzzleNumber, n);
        const SolutionGridClass& grid = *puzzle.mSolutionGrid;
        EXPECT_FALSE(grid.mHasOverlap);
        for (int y = 0; y < grid.GetHeight(); ++y) {
            for (int x = 0; x < grid.GetWidth(); ++x) {
                ASSERT_GE(grid.GetCell(x, y), SolutionGridClass::kEmpty);
                ASSERT_LE(grid.GetCell(x, y), SolutionGridClass::kFull);
            }
        }
        // Nothing lost at the edges and nothing counted twice: the figure's
        // area is the sum of its pieces' areas.
        int piecesArea = 0;
        for (const PieceClass* piece : {static_cast<const PieceClass*>(puzzle.mPieceLargeTriangle1.get()),
                 static_cast<const PieceClass*>(puzzle.mPieceLargeTriangle2.get()),
                 static_cast<const PieceClass*>(puzzle.mPieceMediumTriangle.get()),
                 static_cast<const PieceClass*>(puzzle.mPieceSmallTriangle1.get()),
                 static_cast<const PieceClass*>(puzzle.mPieceSmallTriangle2.get()),
                 static_cast<const PieceClass*>(puzzle.mPieceRhombus.get()),
                 static_cast<const PieceClass*>(puzzle.mPieceSquare.get())}) {
            piecesArea += Area(*piece->GetSolutionGrid());
        }
        EXPECT_EQ(Area(grid), piecesArea);
        // Trimmed: every border row and column holds something.
        bool top = false, bottom = false, left = false, right = false;
        for (int x = 0; x < grid.GetWidth(); ++x) {
            top |= grid.GetCell(x, 0) != 0;
            bottom |= grid.GetCell(x, grid.GetHeight() - 1) != 0;
        }
        for (int y = 0; y < grid.GetHeight(); ++y) {
            left |= grid.GetCell(0, y) != 0;
            right |= grid.GetCell(grid.GetWidth() - 1, y) != 0;
        }
        EXPECT_TRUE(top && bottom && left && right);
        EXPECT_EQ(std::min({puzzle.mPieceLargeTriangle1->mPosX, puzzle.mPieceLargeTriangle2->mPosX,
                            puzzle.mPieceMediumTriangle->mPosX, puzzle.mPieceSmallTriangle1->mPosX,
                            puzzle.mPieceSmallTriangle2->mPosX, puzzle.mPieceRhombus->mPosX,
                            puzzle.mPieceSquare->mPosX}),
                  0);

        // Composing the same puzzle again gives an equal, fresh grid.
        const auto first = puzzle.mSolutionGrid;
        puzzle.LoadFromDatabase(n);
        EXPECT_NE(puzzle.mSolutionGrid, first);
        EXPECT_TRUE(puzzle.mSolutionGrid->DoesMatch(*first));
    }
}
