#include "TableTestWindow.h"

#include <algorithm>

namespace {

int IndexInStack(const TableClass& table, const std::shared_ptr<PieceClass>& piece)
{
    const auto& z = table.mPieceZOrder;
    return static_cast<int>(std::find(z.begin(), z.end(), piece) - z.begin());
}

} // namespace

TEST_F(TableTest, FirstRunOpensPuzzleTwoAtTheStartLayout)
{
    OpenWindow();
    EXPECT_EQ(mWindow->windowTitle(), "Kolmira - Puzzle #2");
    EXPECT_EQ(gTable, mTable);
    const auto& l1 = *mTable->mPieceLargeTriangle1;
    EXPECT_EQ(std::tuple(l1.mPosX, l1.mPosY, l1.mOrientation), std::tuple(570, 420, 8));
    EXPECT_EQ(mTable->mPieceZOrder.front(), mTable->mPieceSquare);
    EXPECT_EQ(mTable->mPieceZOrder.back(), mTable->mPieceLargeTriangle2);
    EXPECT_EQ(mTable->Surface(), mTable->Buffer()->Image()); // the screen shows the buffer
    // Set this to look at the table by eye.
    if (const QString shot = qEnvironmentVariable("KOLMIRA_TABLE_SCREENSHOT"); !shot.isEmpty()) {
        mWindow->grab().save(shot);
    }
}

TEST_F(TableTest, PressTakesTheTopmostShapeNotTheTopmostPictureBox)
{
    OpenWindow();
    // The rhombus lies under the medium triangle, and their pictures overlap.
    const PieceClass& lower = *mTable->mPieceRhombus;
    const PieceClass& upper = *mTable->mPieceMediumTriangle;
    ASSERT_LT(IndexInStack(*mTable, mTable->mPieceRhombus), IndexInStack(*mTable, mTable->mPieceMediumTriangle));
    QPoint onlyLower(-1, -1);
    for (int y = std::max(upper.mPosY, 0); y < lower.mPosY + lower.mHeight; ++y) {
        for (int x = upper.mPosX; x < lower.mPosX + lower.mWidth; ++x) {
            if (lower.IsPointInside(x, y) && !upper.IsPointInside(x, y)) {
                onlyLower = {x, y};
            }
        }
    }
    ASSERT_NE(onlyLower, QPoint(-1, -1)) << "the boxes must overlap where the upper shape is empty";
    WindowInput::Press(*mTable, onlyLower);
    EXPECT_EQ(mTable->mSelectedPiece, mTable->mPieceRhombus);
    WindowInput::Release(*mTable, onlyLower);
    // The click turned the rhombus and raised it above the triangle.
    EXPECT_EQ(mTable->mPieceRhombus->mOrientation, 1);
    EXPECT_EQ(IndexInStack(*mTable, mTable->mPieceRhombus), TableClass::kPieceCount - 1);
}

TEST_F(TableTest, ClicksTurnBothWaysAndOnlyThePressCounts)
{
    OpenWindow();
    const auto& square = mTable->mPieceSquare;
    const QPoint p = PointOn(*square);
    Gesture({p, p + QPoint(1, 1)}); // within a pixel: still a click
    EXPECT_EQ(std::tuple(square->mOrientation, square->mPosX), std::tuple(2, 10));
    EXPECT_EQ(mTable->mPieceZOrder.back(), square);
    EXPECT_EQ(mTable->mWinChecks, 1);
    // Counter-clockwise with a key held at the press, let go before the release.
    for (const Qt::KeyboardModifier mod : {Qt::AltModifier, Qt::ControlModifier, Qt::MetaModifier}) {
        const int before = square->mOrientation;
        Gesture({p}, Qt::LeftButton, mod);
        EXPECT_EQ(square->mOrientation, before == 1 ? 2 : 1) << mod;
    }
    const auto& triangle = mTable->mPieceLargeTriangle1;
    Gesture({PointOn(*triangle)}, Qt::RightButton);
    EXPECT_EQ(triangle->mOrientation, 7);
    // A click on the bare table moves nothing but still rebuilds and checks.
    Gesture({QPoint(400, 300)});
    EXPECT_EQ(mTable->mWinChecks, 6);
    EXPECT_NE(mTable->mSolutionGrid, nullptr);
}

TEST_F(TableTest, DragsSnapToTheGridAndStopAtTheEdges)
{
    OpenWindow();
    const auto& square = mTable->mPieceSquare;
    QPoint p = PointOn(*square);
    WindowInput::Press(*mTable, p);
    WindowInput::Move(*mTable, p + QPoint(2, 0)); // two pixels start the drag
    EXPECT_NE(mTable->mDragPiece, nullptr);
    WindowInput::Move(*mTable, p + QPoint(113, 118));
    EXPECT_EQ(square->mPosX, 123);
    WindowInput::Release(*mTable, p + QPoint(113, 118));
    EXPECT_EQ(std::tuple(square->mPosX, square->mPosY, square->mOrientation), std::tuple(120, 130, 1));
    EXPECT_EQ(mTable->mDragPiece, nullptr);

    const auto& large = mTable->mPieceLargeTriangle2; // at x = -50
    p = PointOn(*large);
    Gesture({p, p + QPoint(13, -3)});
    EXPECT_EQ(large->mPosX, -40);
    EXPECT_EQ(mTable->mPieceZOrder.back(), large);

    p = PointOn(*large);
    WindowInput::Press(*mTable, p);
    WindowInput::Move(*mTable, QPoint(-3000, p.y()));
    EXPECT_EQ(large->mPosX, -80);
    WindowInput::Move(*mTable, QPoint(3000, p.y()));
    WindowInput::Release(*mTable, QPoint(3000, p.y()));
    EXPECT_EQ(large->mPosX, 600);
}

TEST_F(TableTest, DeclinedPressesChangeNothing)
{
    OpenWindow();
    const auto& square = mTable->mPieceSquare;
    const QPoint p = PointOn(*square);
    const auto stack = mTable->mPieceZOrder;
    // A won puzzle, then no unsolved puzzle left.
    for (const bool won : {true, false}) {
        gPuzzle->mIsWon = won;
        gStats->mNumSolved = won ? 0 : gStats->mNumTotal;
        Gesture({p, p + QPoint(40, 40)});
        EXPECT_EQ(std::tuple(square->mPosX, square->mOrientation), std::tuple(10, 1));
        EXPECT_EQ(mTable->mPieceZOrder, stack);
        EXPECT_EQ(mTable->mSelectedPiece, nullptr);
        EXPECT_EQ(mTable->mSolutionGrid, nullptr);
        EXPECT_EQ(mTable->mWinChecks, 0);
    }
}
