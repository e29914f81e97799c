#include "TableTestWindow.h"

#include "platform/Database.h"

namespace {

platform::Database& Store()
{
    return *gPrefsDatabase->mDB;
}

std::int32_t SavedRows()
{
    const platform::RecordSetPtr rows = Store().SQLSelect(QStringLiteral("SELECT * FROM SavedPuzzle"));
    return rows ? rows->RecordCount() : -1;
}

} // namespace

TEST_F(TableTest, ClosingSavesTheGameAndTheNextTableResumesIt)
{
    StartGame(false);
    OpenWindow();
    const std::int32_t number = gPuzzle->mPuzzleNumber;
    // Turn the square twice and the first large triangle once, drag the rhombus.
    for (const auto& piece : {mTable->mPieceSquare, mTable->mPieceSquare}) {
        const QPoint p = PointOn(*piece);
        Press(p);
        Release(p);
    }
    const QPoint t = PointOn(*mTable->mPieceLargeTriangle1);
    Press(t);
    Release(t);
    const QPoint r = PointOn(*mTable->mPieceRhombus);
    Press(r);
    Move(r + QPoint(30, 100));
    Release(r + QPoint(30, 100));
    gPuzzle->mHintCount = 3;
    const auto rhombusAt = QPoint(mTable->mPieceRhombus->mPosX, mTable->mPieceRhombus->mPosY);

    CloseWindow();
    EXPECT_EQ(SavedRows(), 1);

    StartGame(false);
    OpenWindow();
    EXPECT_EQ(gPuzzle->mPuzzleNumber, number);
    EXPECT_EQ(gPuzzle->mHintCount, 3);
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Kolmira - Puzzle #%1").arg(number));
    EXPECT_EQ(mTable->mPieceSquare->mOrientation, 1);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mOrientation, 1);
    EXPECT_EQ(QPoint(mTable->mPieceRhombus->mPosX, mTable->mPieceRhombus->mPosY), rhombusAt);
    EXPECT_EQ(mTable->mPieceZOrder.back(), mTable->mPieceLargeTriangle2); // start stacking
    EXPECT_EQ(mTable->mSolutionGrid, nullptr);
    EXPECT_EQ(SavedRows(), 0);
}

TEST_F(TableTest, SolvedOrUnloadedPuzzlesAreNotSaved)
{
    OpenWindow();
    gPuzzle->mIsWon = true;
    CloseWindow();
    EXPECT_EQ(SavedRows(), 0);

    OpenWindow();
    gPuzzle->mPuzzleNumber = 0;
    CloseWindow();
    EXPECT_EQ(SavedRows(), 0);
}

TEST_F(TableTest, DamagedSavedRowsCountAsNoSavedGameAndAreCleared)
{
    const QString columns = QStringLiteral(
        "Number, HintCount, LargeTriangle1_PosX, LargeTriangle1_PosY, LargeTriangle1_Orientation, "
        "Square_PosX, Square_PosY, Square_Orientation, Rhombus_Orientation, MediumTriangle_Orientation, "
        "SmallTriangle1_Orientation, SmallTriangle2_Orientation, LargeTriangle2_Orientation");
    struct Damage {
        const char* values;
        const char* what;
    };
    const Damage cases[] = {
        {"999, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1", "a puzzle the catalogue lacks"},
        {"5, 0, 0, 0, 9, 0, 0, 1, 1, 1, 1, 1, 1", "a triangle turned past 8"},
        {"5, 0, 0, 0, 1, 0, 0, 3, 1, 1, 1, 1, 1", "a square turned past 2"},
        {"5, 0, 0, 0, 1, 0, 0, 1, 0, 1, 1, 1, 1", "a rhombus at 0"},
        {"NULL, 0, 0, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1", "no puzzle named"},
    };
    for (const Damage& damage : cases) {
        StartGame(false);
        Store().SQLExecute(QStringLiteral("INSERT INTO SavedPuzzle (%1) VALUES (%2)")
                               .arg(columns, QString::fromLatin1(damage.values)));
        Store().Commit();
        ASSERT_EQ(SavedRows(), 1) << damage.what;
        OpenWindow();
        EXPECT_NE(gPuzzle->mPuzzleNumber, 999) << damage.what;
        EXPECT_GE(gPuzzle->mPuzzleNumber, 1) << damage.what;
        EXPECT_EQ(mTable->mPieceSquare->mPosX, 10) << damage.what;
        EXPECT_EQ(SavedRows(), 0) << damage.what;
        gPuzzle->mIsWon = true; // keep the next round's store empty
        CloseWindow();
    }
}

TEST_F(TableTest, ResumedPiecesOutOfReachComeBackOntoTheTable)
{
    StartGame(false);
    Store().SQLExecute(QStringLiteral(
        "INSERT INTO SavedPuzzle (Number, HintCount, LargeTriangle1_PosX, LargeTriangle1_PosY, "
        "LargeTriangle1_Orientation, LargeTriangle2_Orientation, MediumTriangle_Orientation, "
        "SmallTriangle1_Orientation, SmallTriangle2_Orientation, Rhombus_Orientation, "
        "Square_PosX, Square_PosY, Square_Orientation) "
        "VALUES (7, 2, -80, 2000000, 3, 1, 1, 1, 1, 1, 33, -10, 2)"));
    Store().Commit();
    OpenWindow();
    EXPECT_EQ(gPuzzle->mPuzzleNumber, 7);
    EXPECT_EQ(gPuzzle->mHintCount, 2);
    // Within reach the saved place stands, past it the piece stops at the edge.
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mPosX, -80);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mPosY, kTableHeight - 280 + 80);
    EXPECT_EQ(mTable->mPieceLargeTriangle1->mOrientation, 3);
    EXPECT_EQ(mTable->mPieceSquare->mPosX, 30);
    EXPECT_EQ(mTable->mPieceSquare->mPosY, -10);
    EXPECT_EQ(mTable->mPieceSquare->mOrientation, 2);
}
