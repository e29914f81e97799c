#include "tests/support/MousePlayer.h"

#include "app/OpenPuzzleWindow.h"
#include "model/SolutionGridClass.h"
#include "tests/table/TableDrawnAfresh.h"

#include <functional>

// The play table of a first run (puzzle 2 in its start layout) when the
// player's press is cut short by the window going away under it, or by a
// sheet coming over it. (Both are also played on a real display by the
// black-box test, where the window system routes the release.)
using TablePressCut = Shown<MousePlayer>;

// Minimised in the middle of a drag, the table lets go of the piece as a
// release would, where it was last shown. A press that had not become a drag
// was no click: minimised then, nothing turns, yet the grid is rebuilt and
// checked as after any release, here against a figure that is the layout.
TEST_F(TablePressCut, MinimisingDuringADragOrAPressLetsGoAsAReleaseWouldButTurnsNothing)
{
    PieceClass& square = *Table().mPieceSquare;
    const QPoint p = *HitPoint(square);
    WindowInput::Press(Table(), p);
    WindowInput::Move(Table(), p + QPoint(20, 0));
    WindowInput::Move(Table(), p + QPoint(33, 2));
    WindowInput::Key(Table(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(Window().IsMinimized());
    // Dropped on the nearest cell, raised, and the player's grid built.
    EXPECT_EQ(std::tuple(square.mPosX, square.mPosY, square.mOrientation), std::tuple(40, 10, 1));
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceSquare);
    const auto grid = Table().mSolutionGrid;
    ASSERT_TRUE(grid && !Table().mDragPiece && !Table().mSelectedPiece);

    // After the restore the release that finally comes is no one's.
    WindowInput::Restore(Window());
    WindowInput::Release(Table(), p + QPoint(60, 40));
    EXPECT_EQ(std::pair(square.mPosX, square.mPosY), std::pair(40, 10));
    Puzzle().mSolutionGrid = grid;
    WindowInput::Press(Table(), *HitPoint(square));
    WindowInput::Key(Table(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(square.mOrientation, 1);
    EXPECT_NE(Table().mSolutionGrid, grid);
    EXPECT_TRUE(Puzzle().mIsWon);
}

// The open-puzzle sheet opened with Ctrl+O in the middle of a drag, and the
// button let go while it is up, where the table cannot hear it: the square
// drops at once where it was last shown. Once the sheet is gone the table
// holds no press: the pointer moved with no button drags nothing, and a
// click turns the large triangle under it. Closed with Escape, the square
// stays where it dropped; closed by opening puzzle 5, the pieces start afresh.
TEST_F(TablePressCut, TheOpenPuzzleSheetDuringADragLetsGoOfThePieceAndTheNextClickTurnsWhatItHits)
{
    PieceClass& square = *Table().mPieceSquare;
    PieceClass& triangle = *Table().mPieceLargeTriangle1;
    for (const bool openFive : {false, true}) {
        SCOPED_TRACE(openFive ? "5 and Return" : "Escape");
        const QPoint p = *HitPoint(square);
        const int dropped = square.mPosX + 30; // on the cell grid, as the square is
        WindowInput::Press(Table(), p);
        WindowInput::Move(Table(), p + QPoint(20, 0));
        WindowInput::Move(Table(), p + QPoint(30, 0));
        WindowInput::Key(Table(), Qt::Key_O, Qt::ControlModifier);
        auto* sheet = OpenPuzzleWindow::FindWindow<OpenPuzzleWindow>();
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(Table().mDragPiece, nullptr) << "the table still holds the square";
        WindowInput::Release(Table(), p + QPoint(30, 0));
        openFive ? WindowInput::Type(*sheet, QStringLiteral("5\r")) : WindowInput::Key(*sheet, Qt::Key_Escape);
        FlushDeletes();
        ASSERT_EQ(OpenCount<OpenPuzzleWindow>(), 0);
        const QPoint onTriangle = *HitPoint(triangle);
        const int turn = triangle.mOrientation;
        WindowInput::Move(Table(), onTriangle + QPoint(-5, 5));
        WindowInput::Move(Table(), onTriangle);
        Click(onTriangle);
        EXPECT_EQ(std::tuple(square.mPosX, square.mPosY, square.mOrientation),
                  std::tuple(openFive ? 10 : dropped, 10, 1));
        EXPECT_EQ(triangle.mOrientation, turn % 8 + 1);
        EXPECT_EQ(Puzzle().mPuzzleNumber, openFive ? 5 : 2);
    }
}

// The square of puzzle 22 pressed at (45, 45) and, in some cases, dragged in
// 10-pixel steps to (105, 105); then another puzzle comes under the held
// button. The press is over: the table shows just what a new table would
// draw for the game as it now stands, with the square where the change put
// it, and neither more moves nor the release do anything.
TEST_F(TablePressCut, ATableThatChangesUnderAPressEndsItAndShowsNothingOfTheOldTable)
{
    struct Case {
        const char* name;
        bool drag;
        std::function<void()> change;
    };
    const auto openPuzzle = [this](const char* number) {
        WindowInput::Key(Window(), Qt::Key_O, Qt::ControlModifier);
        WindowInput::Type(platform::Deref(OpenPuzzleWindow::FindWindow<OpenPuzzleWindow>()), number);
        FlushDeletes();
    };
    const QPoint start(10, 10); // where every puzzle starts the square
    const std::vector<Case> cases = {
        {"Ctrl+N during a drag", true, [this] { WindowInput::Key(Window(), Qt::Key_N, Qt::ControlModifier); }},
        {"Ctrl+N during a press", false, [this] { WindowInput::Key(Window(), Qt::Key_N, Qt::ControlModifier); }},
        {"puzzle 5 by the sheet during a drag", true, [&] { openPuzzle("5\r"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StopGame();
        StartShown();
        // A win whose note is still up when the next puzzle comes.
        Click(QPoint(400, 300));
        Puzzle().mSolutionGrid = Table().mSolutionGrid;
        Click(QPoint(400, 300));
        ASSERT_TRUE(Puzzle().mIsWon && Table().mWinNoteTimer);
        openPuzzle("22\r");
        ASSERT_EQ(Puzzle().mPuzzleNumber, 22);
        // The win's note went with its puzzle, and so did the note's timer.
        ASSERT_EQ(Table().mWinNoteTimer, nullptr);

        const PieceClass& square = *Table().mPieceSquare;
        QPoint at(45, 45);
        WindowInput::Press(Table(), at);
        while (c.drag && at.x() < 105) {
            at += QPoint(10, 10);
            WindowInput::Move(Table(), at);
        }
        c.change();
        EXPECT_EQ(QPoint(square.mPosX, square.mPosY), start);
        EXPECT_EQ(square.mOrientation, 1);
        // Lifted by its drag, the square stays on top; merely pressed, it
        // stays at the bottom, where every puzzle starts it.
        EXPECT_EQ(Table().mPieceZOrder.back() == Table().mPieceSquare, c.drag);
        EXPECT_EQ(Table().Surface(), TableDrawnAfresh(Table()));

        // The button still held, moved on and let go: nothing of it arrives.
        const auto stack = Table().mPieceZOrder;
        const int solved = Count(QStringLiteral("SolvedPuzzles"));
        for (int step = 1; step <= 3; ++step) {
            WindowInput::Move(Table(), at + QPoint(10 * step, 10 * step));
        }
        WindowInput::Release(Table(), at + QPoint(30, 30));
        EXPECT_EQ(std::tuple(square.mPosX, square.mPosY, square.mOrientation),
                  std::tuple(start.x(), start.y(), 1));
        EXPECT_TRUE(Table().mPieceZOrder == stack) << "the stacking order changed";
        EXPECT_EQ(Table().mSolutionGrid, nullptr) << "a release reached the table";
        EXPECT_EQ(Count(QStringLiteral("SolvedPuzzles")), solved);
        EXPECT_EQ(Table().Surface(), TableDrawnAfresh(Table()));
        // Nothing of the ended press is left to the next one: a click turns.
        Click(*HitPoint(square));
        EXPECT_EQ(square.mOrientation, 2);
    }
}

// A quick player wins, takes the next puzzle at once and drags the square
// onto a small triangle and off it again within the three seconds of the
// win's note. The note and its timer went with the won puzzle; the table
// drawn again as it stands mid-drag (all the timer ever did) leaves the drag
// alone: the square stays under the pointer and comes to rest where it is let
// go, and the overlap note goes with the overlap.
TEST_F(TablePressCut, AWinNoteEndsWithItsPuzzleAndADragOnTheNextGoesOnToItsRelease)
{
    Click(QPoint(400, 300));
    Puzzle().mSolutionGrid = Table().mSolutionGrid;
    Click(QPoint(400, 300));
    ASSERT_TRUE(Puzzle().mIsWon && Table().mWinNoteTimer);
    WindowInput::Key(Window(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Table().mWinNoteTimer, nullptr);

    PieceClass& square = *Table().mPieceSquare;
    const PieceClass& small = *Table().mPieceSmallTriangle1;
    const QPoint p = *HitPoint(square);
    const QPoint onSmall = p + QPoint(small.mPosX + small.mWidth / 2 - square.mPosX, small.mPosY - square.mPosY);
    Drag(p, onSmall);
    ASSERT_TRUE(Table().mSolutionGrid->mHasOverlap);
    const QPoint taken(square.mPosX, square.mPosY); // on the cell grid
    WindowInput::Press(Table(), onSmall);
    WindowInput::Move(Table(), onSmall + QPoint(0, 150));
    WindowInput::Move(Table(), onSmall + QPoint(0, 303));
    Table().Draw(true);
    EXPECT_EQ(Table().Surface(), TableDrawnAfresh(Table(), &square)) << "the square is not under the pointer";
    WindowInput::Move(Table(), onSmall + QPoint(4, 327));
    WindowInput::Release(Table(), onSmall + QPoint(4, 327));
    // Let go 4 and 327 pixels from where it was taken: the nearest cell.
    EXPECT_EQ(QPoint(square.mPosX, square.mPosY), taken + QPoint(0, 330));
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceSquare);
    EXPECT_FALSE(Table().mSolutionGrid->mHasOverlap);
    EXPECT_FALSE(ShowsPicture(Table(), overlapnote(), {522, 0}));
    EXPECT_EQ(Table().Surface(), TableDrawnAfresh(Table()));
}
