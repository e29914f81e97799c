#include "TableTestWindow.h"

#include "platform/Database.h"
#include "platform/RecordSet.h"

namespace {

int SavedRows()
{
    const platform::RecordSetPtr rows = gPrefsDatabase->mDB->SQLSelect("SELECT * FROM SavedPuzzle");
    return rows ? rows->RecordCount() : -1;
}

void SaveRow(const QString& values)
{
    gPrefsDatabase->mDB->SQLExecute(
        "INSERT INTO SavedPuzzle (Number, HintCount, LargeTriangle1_PosX, LargeTriangle1_PosY, "
        "LargeTriangle1_Orientation, Square_PosX, Square_PosY, Square_Orientation, Rhombus_Orientation, "
        "MediumTriangle_Orientation, SmallTriangle1_Orientation, SmallTriangle2_Orientation, "
        "LargeTriangle2_Orientation) VALUES ("
        + values + ")");
    ASSERT_TRUE(gPrefsDatabase->mDB->Commit());
}

} // namespace

TEST_F(TableTest, ClosingSavesTheGameAndTheNextTableResumesIt)
{
    StartGame(false);
    OpenWindow();
    const int number = gPuzzle->mPuzzleNumber;
    // Turn the square twice and the first large triangle once, drag the rhombus.
    Gesture({PointOn(*mTable->mPieceSquare)});
    Gesture({PointOn(*mTable->mPieceSquare)});
    Gesture({PointOn(*mTable->mPieceLargeTriangle1)});
    const QPoint r = PointOn(*mTable->mPieceRhombus);
    Gesture({r, r + QPoint(30, 100)});
    gPuzzle->mHintCount = 3;
    const auto rhombusAt = QPoint(mTable->mPieceRhombus->mPosX, mTable->mPieceRhombus->mPosY);
    CloseWindow();
    EXPECT_EQ(SavedRows(), 1);

    StartGame(false);
    OpenWindow();
    EXPECT_EQ(std::tuple(gPuzzle->mPuzzleNumber, gPuzzle->mHintCount), std::tuple(number, 3));
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Kolmira - Puzzle #%1").arg(number));
    EXPECT_EQ(mTable->mPieceSquare->mOrientation, 1);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mOrientation, 1);
    EXPECT_EQ(QPoint(mTable->mPieceRhombus->mPosX, mTable->mPieceRhombus->mPosY), rhombusAt);
    EXPECT_EQ(mTable->mPieceZOrder.back(), mTable->mPieceLargeTriangle2); // start stacking
    EXPECT_EQ(mTable->mSolutionGrid, nullptr);
    EXPECT_EQ(SavedRows(), 0);

    // A solved or an unloaded puzzle writes nothing.
    gPuzzle->mIsWon = true;
    CloseWindow();
    OpenWindow();
    gPuzzle->mPuzzleNumber = 0;
    CloseWindow();
    EXPECT_EQ(SavedRows(), 0);
}

TEST_F(TableTest, DamagedSavedRowsCountAsNoSavedGameAndAreCleared)
{
    // Number, hints, triangle x, y, orientation, square x, y, orientation, then
    // the orientations of rhombus, medium, small 1, small 2, large 2.
    const char* const damaged[] = {
        "999, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1",  // a puzzle the catalogue lacks
        "5, 0, 0, 0, 9, 0, 0, 1, 1, 1, 1, 1, 1",    // a triangle turned past 8
        "5, 0, 0, 0, 1, 0, 0, 3, 1, 1, 1, 1, 1",    // a square turned past 2
        "5, 0, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1, 1",    // a rhombus at 0
        "NULL, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1", // no puzzle named
    };
    for (const char* values : damaged) {
        SCOPED_TRACE(values);
        StartGame(false);
        SaveRow(values);
        OpenWindow();
        EXPECT_TRUE(gPuzzle->mPuzzleNumber >= 1 && gPuzzle->mPuzzleNumber <= 30);
        EXPECT_EQ(mTable->mPieceSquare->mPosX, 10); // the start layout
        EXPECT_EQ(SavedRows(), 0);
        gPuzzle->mIsWon = true; // keep the next round's store empty
        CloseWindow();
    }
}

TEST_F(TableTest, ResumedPiecesOutOfReachComeBackOntoTheTable)
{
    StartGame(false);
    SaveRow("7, 2, -80, 2000000, 3, 33, -10, 2, 1, 1, 1, 1, 1");
    OpenWindow();
    EXPECT_EQ(std::tuple(gPuzzle->mPuzzleNumber, gPuzzle->mHintCount), std::tuple(7, 2));
    // Within reach the saved place stands, past it the piece stops at the edge.
    const auto& l1 = *mTable->mPieceLargeTriangle1;
    EXPECT_EQ(std::tuple(l1.mPosX, l1.mPosY, l1.mOrientation), std::tuple(-80, kTableHeight - 280 + 80, 3));
    const auto& sq = *mTable->mPieceSquare;
    EXPECT_EQ(std::tuple(sq.mPosX, sq.mPosY, sq.mOrientation), std::tuple(30, -10, 2));
}
