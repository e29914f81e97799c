#include "tests/support/MousePlayer.h"

// The play table of a first run (puzzle 2 in its start layout) when the
// player's press is cut short by the window going away under it.
using TablePressCut = Shown<MousePlayer>;

namespace {

void MinimizeWithTheKeyboard(const QWidget& in) { WindowInput::Key(in, Qt::Key_M, Qt::ControlModifier); }

} // namespace

// Minimised in the middle of a drag, the table lets go of the piece as a
// release would, where it was last shown: after the restore the release
// that finally comes is no one's, and the next click turns what it hits.
TEST_F(TablePressCut, MinimisingDuringADragDropsThePieceAndTheNextClickTurnsAnother)
{
    PieceClass& square = *Table().mPieceSquare;
    PieceClass& triangle = *Table().mPieceLargeTriangle1;
    const QPoint p = *HitPoint(square);
    const QPoint onTriangle = *HitPoint(triangle);
    WindowInput::Press(Table(), p);
    WindowInput::Move(Table(), p + QPoint(20, 0));
    WindowInput::Move(Table(), p + QPoint(33, 2));
    MinimizeWithTheKeyboard(Table());
    ASSERT_TRUE(Window().IsMinimized());
    // Dropped on the nearest cell, raised, and the player's grid built.
    EXPECT_EQ(std::tuple(square.mPosX, square.mPosY, square.mOrientation), std::tuple(40, 10, 1));
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceSquare);
    EXPECT_TRUE(Table().mSolutionGrid && !Table().mDragPiece && !Table().mSelectedPiece);

    WindowInput::Restore(Window());
    WindowInput::Move(Table(), p + QPoint(60, 40));
    WindowInput::Release(Table(), p + QPoint(60, 40));
    EXPECT_EQ(std::pair(square.mPosX, square.mPosY), std::pair(40, 10));
    Click(onTriangle);
    EXPECT_EQ(std::tuple(triangle.mPosX, triangle.mPosY, triangle.mOrientation), std::tuple(570, 420, 1));
    EXPECT_EQ(std::pair(square.mPosX, square.mPosY), std::pair(40, 10));
}

// A press that had not become a drag was no click: minimised then, nothing
// turns, yet the grid is rebuilt and checked as after any release, here
// against a figure that is the layout itself.
TEST_F(TablePressCut, MinimisingDuringAPressTurnsNothingButChecksTheLayoutForAWin)
{
    PieceClass& square = *Table().mPieceSquare;
    Click(QPoint(400, 300));
    const auto grid = Table().mSolutionGrid;
    ASSERT_TRUE(grid);
    Puzzle().mSolutionGrid = grid;
    WindowInput::Press(Table(), *HitPoint(square));
    MinimizeWithTheKeyboard(Table());
    EXPECT_EQ(square.mOrientation, 1);
    EXPECT_NE(Table().mSolutionGrid, grid);
    EXPECT_TRUE(Puzzle().mIsWon);
}
