#include "tests/support/MousePlayer.h"

#include <algorithm>

// The play table of a first run (puzzle 2 in its start layout) under the
// player's mouse.
using TableMoves = Shown<MousePlayer>;

TEST_F(TableMoves, PressTakesTheTopmostShapeNotTheTopmostPictureBox)
{
    // The rhombus lies under the medium triangle, and their pictures overlap.
    const PieceClass& lower = *Table().mPieceRhombus;
    const PieceClass& upper = *Table().mPieceMediumTriangle;
    const auto& z = Table().mPieceZOrder;
    ASSERT_LT(std::find(z.begin(), z.end(), Table().mPieceRhombus), std::find(z.begin(), z.end(), Table().mPieceMediumTriangle));
    QPoint onlyLower(-1, -1);
    for (int y = std::max(upper.mPosY, 0); y < lower.mPosY + lower.mHeight; ++y) {
        for (int x = upper.mPosX; x < lower.mPosX + lower.mWidth; ++x) {
            if (lower.IsPointInside(x, y) && !upper.IsPointInside(x, y)) {
                onlyLower = {x, y};
            }
        }
    }
    ASSERT_NE(onlyLower, QPoint(-1, -1)) << "the boxes must overlap where the upper shape is empty";
    WindowInput::Press(Table(), onlyLower);
    EXPECT_EQ(Table().mSelectedPiece, Table().mPieceRhombus);
    WindowInput::Release(Table(), onlyLower);
    // The click turned the rhombus and raised it above the triangle.
    EXPECT_EQ(lower.mOrientation, 1);
    EXPECT_EQ(z.back(), Table().mPieceRhombus);
}

TEST_F(TableMoves, ClicksTurnBothWaysAndEveryReleaseRebuildsTheGridAndChecksForAWin)
{
    PieceClass& square = *Table().mPieceSquare;
    const QPoint p = *HitPoint(square);
    Drag(p, p + QPoint(1, 1)); // within a pixel: still a click
    EXPECT_EQ(std::tuple(square.mOrientation, square.mPosX), std::tuple(2, 10));
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceSquare);
    // Counter-clockwise with a key held at the press, let go before the release.
    for (const Qt::KeyboardModifier mod : {Qt::AltModifier, Qt::ControlModifier, Qt::MetaModifier}) {
        const int before = square.mOrientation;
        const QPoint at = *HitPoint(square);
        WindowInput::Press(Table(), at, Qt::LeftButton, mod);
        WindowInput::Release(Table(), at);
        EXPECT_EQ(square.mOrientation, before == 1 ? 2 : 1) << mod;
    }
    PieceClass& triangle = *Table().mPieceLargeTriangle1;
    WindowInput::Click(Table(), *HitPoint(triangle), Qt::RightButton);
    EXPECT_EQ(triangle.mOrientation, 7);

    // A click on the bare table moves nothing but still builds the grid
    // afresh and checks it: here against a figure that is the layout itself.
    const auto grid = Table().mSolutionGrid;
    ASSERT_TRUE(grid);
    Puzzle().mSolutionGrid = grid;
    Click(QPoint(400, 300));
    EXPECT_NE(Table().mSolutionGrid, grid);
    EXPECT_TRUE(Puzzle().mIsWon);
}

TEST_F(TableMoves, DragsSnapToTheGridAndStopAtTheEdges)
{
    PieceClass& square = *Table().mPieceSquare;
    QPoint p = *HitPoint(square);
    WindowInput::Press(Table(), p);
    WindowInput::Move(Table(), p + QPoint(2, 0)); // two pixels start the drag
    EXPECT_NE(Table().mDragPiece, nullptr);
    WindowInput::Move(Table(), p + QPoint(113, 118));
    EXPECT_EQ(square.mPosX, 123);
    WindowInput::Release(Table(), p + QPoint(113, 118));
    EXPECT_EQ(std::tuple(square.mPosX, square.mPosY, square.mOrientation), std::tuple(120, 130, 1));

    PieceClass& large = *Table().mPieceLargeTriangle2; // at x = -50
    p = *HitPoint(large);
    Drag(p, p + QPoint(13, -3));
    EXPECT_EQ(large.mPosX, -40);
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceLargeTriangle2);
    p = *HitPoint(large);
    WindowInput::Press(Table(), p);
    WindowInput::Move(Table(), QPoint(-3000, p.y()));
    EXPECT_EQ(large.mPosX, -80);
    WindowInput::Move(Table(), QPoint(3000, p.y()));
    WindowInput::Release(Table(), QPoint(3000, p.y()));
    EXPECT_EQ(large.mPosX, 600);
}

TEST_F(TableMoves, AWonPuzzleOrNoUnsolvedOneLeftDeclinesPresses)
{
    const PieceClass& square = *Table().mPieceSquare;
    const QPoint p = *HitPoint(square);
    const auto stack = Table().mPieceZOrder;
    for (const bool won : {true, false}) {
        Puzzle().mIsWon = won;
        Stats().mNumSolved = won ? 0 : Stats().mNumTotal;
        Drag(p, p + QPoint(40, 40));
        EXPECT_EQ(std::tuple(square.mPosX, square.mOrientation), std::tuple(10, 1));
        EXPECT_EQ(Table().mPieceZOrder, stack);
        EXPECT_EQ(Table().mSolutionGrid, nullptr) << "no release reached the win check";
    }
}
