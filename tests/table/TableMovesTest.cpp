#include "TableTestWindow.h"


#include <QImage>
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
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Kolmira - Puzzle #2"));
    EXPECT_EQ(gTable, mTable);
    EXPECT_EQ(mTable->mPieceSquare->mPosX, 10);
    EXPECT_EQ(mTable->mPieceSquare->mOrientation, 1);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mPosX, 570);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mPosY, 420);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mOrientation, 8);
    EXPECT_EQ(mTable->mPieceZOrder.front(), mTable->mPieceSquare);
    EXPECT_EQ(mTable->mPieceZOrder.back(), mTable->mPieceLargeTriangle2);
    EXPECT_EQ(mTable->mSolutionGrid, nullptr);
    // The screen shows what the buffer holds.
    EXPECT_EQ(mTable->Surface(), mTable->Buffer()->Image());
    const QString shot = qEnvironmentVariable("KOLMIRA_TABLE_SCREENSHOT");
    if (!shot.isEmpty()) {
        mWindow->grab().save(shot);
    }
}

TEST_F(TableTest, PressTakesTheTopmostShapeNotTheTopmostPictureBox)
{
    OpenWindow();
    // The rhombus lies under the medium triangle, and their pictures overlap.
    const PieceClass& lower = *mTable->mPieceRhombus;
    const PieceClass& upper = *mTable->mPieceMediumTriangle;
    ASSERT_LT(IndexInStack(*mTable, mTable->mPieceRhombus),
              IndexInStack(*mTable, mTable->mPieceMediumTriangle));
    QPoint onlyLower(-1, -1);
    for (int y = std::max(upper.mPosY, 0); y < lower.mPosY + lower.mHeight; ++y) {
        for (int x = upper.mPosX; x < lower.mPosX + lower.mWidth; ++x) {
            if (lower.IsPointInside(x, y) && !upper.IsPointInside(x, y)) {
                onlyLower = {x, y};
            }
        }
    }
    ASSERT_NE(onlyLower, QPoint(-1, -1)) << "the boxes must overlap where the upper shape is empty";
    Press(onlyLower);
    EXPECT_EQ(mTable->mSelectedPiece, mTable->mPieceRhombus);
    Release(onlyLower);
    // The click turned the rhombus and raised it above the triangle.
    EXPECT_EQ(mTable->mPieceRhombus->mOrientation, 1);
    EXPECT_EQ(IndexInStack(*mTable, mTable->mPieceRhombus), TableClass::kPieceCount - 1);
}

TEST_F(TableTest, ClicksTurnBothWaysAndOnlyThePressCounts)
{
    OpenWindow();
    const auto& square = mTable->mPieceSquare;
    const QPoint p = PointOn(*square);
    Press(p);
    Move(p + QPoint(1, 1)); // within a pixel: still a click
    Release(p + QPoint(1, 1));
    EXPECT_EQ(square->mOrientation, 2);
    EXPECT_EQ(square->mPosX, 10);
    EXPECT_EQ(mTable->mPieceZOrder.back(), square);
    EXPECT_EQ(mTable->mWinChecks, 1);

    for (const Qt::KeyboardModifier mod : {Qt::AltModifier, Qt::ControlModifier, Qt::MetaModifier}) {
        const int before = square->mOrientation;
        Press(p, Qt::LeftButton, mod);
        // Letting go of the key before the release changes nothing.
        QTest::mouseRelease(mTable, Qt::LeftButton, Qt::NoModifier, p);
        EXPECT_EQ(square->mOrientation, before == 1 ? 2 : 1) << mod;
    }
    const auto& triangle = mTable->mPieceLargeTriangle1;
    const QPoint t = PointOn(*triangle);
    Press(t, Qt::RightButton);
    Release(t, Qt::RightButton);
    EXPECT_EQ(triangle->mOrientation, 7);
    // A click on the bare table moves nothing but still rebuilds and checks.
    const int checks = mTable->mWinChecks;
    Press(QPoint(400, 300));
    Release(QPoint(400, 300));
    EXPECT_EQ(mTable->mWinChecks, checks + 1);
    EXPECT_NE(mTable->mSolutionGrid, nullptr);
}

TEST_F(TableTest, DragsSnapToTheGridAndStopAtTheEdges)
{
    OpenWindow();
    const auto& square = mTable->mPieceSquare;
    QPoint p = PointOn(*square);
    Press(p);
    Move(p + QPoint(2, 0)); // two pixels start the drag
    EXPECT_NE(mTable->mDragPiece, nullptr);
    Move(p + QPoint(113, 118));
    EXPECT_EQ(square->mPosX, 123);
    Release(p + QPoint(113, 118));
    EXPECT_EQ(square->mPosX, 120);
    EXPECT_EQ(square->mPosY, 130);
    EXPECT_EQ(square->mOrientation, 1);
    EXPECT_EQ(mTable->mDragPiece, nullptr);

    const auto& large = mTable->mPieceLargeTriangle2; // at x = -50
    p = PointOn(*large);
    Press(p);
    Move(p + QPoint(13, -3));
    Release(p + QPoint(13, -3));
    EXPECT_EQ(large->mPosX, -40);
    EXPECT_EQ(mTable->mPieceZOrder.back(), large);

    p = PointOn(*large);
    Press(p);
    Move(QPoint(-3000, p.y()));
    EXPECT_EQ(large->mPosX, -80);
    Move(QPoint(3000, p.y()));
    EXPECT_EQ(large->mPosX, 600);
    Release(QPoint(3000, p.y()));
    EXPECT_EQ(large->mPosX, 600);
}

TEST_F(TableTest, DeclinedPressesChangeNothing)
{
    OpenWindow();
    const auto& square = mTable->mPieceSquare;
    const QPoint p = PointOn(*square);
    for (int variant = 0; variant < 2; ++variant) {
        if (variant == 0) {
            gPuzzle->mIsWon = true;
        } else {
            gPuzzle->mIsWon = false;
            gStats->mNumSolved = gStats->mNumTotal;
        }
        const auto stack = mTable->mPieceZOrder;
        Press(p);
        Move(p + QPoint(40, 40));
        Release(p + QPoint(40, 40));
        EXPECT_EQ(square->mPosX, 10);
        EXPECT_EQ(square->mOrientation, 1);
        EXPECT_EQ(mTable->mPieceZOrder, stack);
        EXPECT_EQ(mTable->mSelectedPiece, nullptr);
        EXPECT_EQ(mTable->mSolutionGrid, nullptr);
        EXPECT_EQ(mTable->mWinChecks, 0);
    }
}

TEST_F(TableTest, PlayersGridMatchesThePuzzleWhenTheFigureIsLaidAnywhere)
{
    OpenWindow();
    // Lay the table's pieces as the puzzle's own, shifted onto the grid.
    const std::array<std::pair<PieceClass*, PieceClass*>, 7> pairs{{
        {mTable->mPieceLargeTriangle1.get(), gPuzzle->mPieceLargeTriangle1.get()},
        {mTable->mPieceLargeTriangle2.get(), gPuzzle->mPieceLargeTriangle2.get()},
        {mTable->mPieceMediumTriangle.get(), gPuzzle->mPieceMediumTriangle.get()},
        {mTable->mPieceSmallTriangle1.get(), gPuzzle->mPieceSmallTriangle1.get()},
        {mTable->mPieceSmallTriangle2.get(), gPuzzle->mPieceSmallTriangle2.get()},
        {mTable->mPieceRhombus.get(), gPuzzle->mPieceRhombus.get()},
        {mTable->mPieceSquare.get(), gPuzzle->mPieceSquare.get()},
    }};
    for (auto [mine, theirs] : pairs) {
        mine->SetPosition(theirs->mPosX + 70, theirs->mPosY + 30);
        mine->SetOrientation(theirs->mOrientation);
        mine->SetPictureFromOrientation();
    }
    mTable->CreateSolutionGridFromPieces();
    EXPECT_TRUE(mTable->mSolutionGrid->DoesMatch(*gPuzzle->mSolutionGrid));
    EXPECT_FALSE(mTable->mSolutionGrid->mHasOverlap);
    // One piece on another: an overlap, never a match.
    mTable->mPieceSquare->SetPosition(mTable->mPieceRhombus->mPosX, mTable->mPieceRhombus->mPosY);
    mTable->CreateSolutionGridFromPieces();
    EXPECT_TRUE(mTable->mSolutionGrid->mHasOverlap);
    EXPECT_FALSE(mTable->mSolutionGrid->DoesMatch(*gPuzzle->mSolutionGrid));
}
