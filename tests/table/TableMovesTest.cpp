#include "tests/support/MousePlayer.h"

#include "model/SolutionGridClass.h"
#include "tests/table/TableDrawnAfresh.h"

#include <QPaintEvent>
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
    ASSERT_LT(std::find(z.begin(), z.end(), Table().mPieceRhombus),
              std::find(z.begin(), z.end(), Table().mPieceMediumTriangle));
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

TEST_F(TableMoves, ADoubleClickIsTwoTurnsAndTheWheelMovesNothing)
{
    // A point of the small triangle that it still covers after one turn.
    PieceClass& triangle = *Table().mPieceSmallTriangle1;
    const QPoint at(triangle.mPosX + triangle.mWidth / 2, triangle.mPosY + triangle.mHeight / 3);
    ASSERT_EQ(triangle.mOrientation, 1);
    WindowInput::DoubleClick(Table(), at);
    EXPECT_EQ(triangle.mOrientation, 3);
    const auto placed = std::tuple(triangle.mOrientation, triangle.mPosX, triangle.mPosY);
    WindowInput::Wheel(Table(), at, 120);
    EXPECT_EQ(std::tuple(triangle.mOrientation, triangle.mPosX, triangle.mPosY), placed);
    // Nor does the wheel leave a press behind: the next click turns again.
    WindowInput::Click(Table(), *HitPoint(triangle));
    EXPECT_EQ(triangle.mOrientation, 4);
}

TEST_F(TableMoves, ClicksTurnBothWaysAndEveryReleaseRebuildsTheGridAndChecksForAWin)
{
    PieceClass& square = *Table().mPieceSquare;
    const QPoint p = *HitPoint(square);
    Drag(p, p + QPoint(1, 1)); // within a pixel: still a click
    EXPECT_EQ(std::tuple(square.mOrientation, square.mPosX), std::tuple(2, 10));
    EXPECT_EQ(Table().mPieceZOrder.back(), Table().mPieceSquare);
    // Counter-clockwise with a key held at the press (let go before the
    // release), or with the right button. A large triangle's two turns
    // differ: from 8 each goes one down.
    PieceClass& triangle = *Table().mPieceLargeTriangle1;
    ASSERT_EQ(triangle.mOrientation, 8);
    for (const auto& [button, mod] : {std::pair{Qt::LeftButton, Qt::AltModifier},
                                      std::pair{Qt::LeftButton, Qt::ControlModifier},
                                      std::pair{Qt::LeftButton, Qt::MetaModifier},
                                      std::pair{Qt::RightButton, Qt::NoModifier}}) {
        const int before = triangle.mOrientation;
        const QPoint at = *HitPoint(triangle);
        WindowInput::Press(Table(), at, button, mod);
        WindowInput::Release(Table(), at, button);
        EXPECT_EQ(triangle.mOrientation, before - 1) << mod << " " << button;
    }
    Click(*HitPoint(triangle));
    EXPECT_EQ(triangle.mOrientation, 5);

    // A click on the bare table moves nothing but still builds the grid
    // afresh and checks it: here against a figure that is the layout itself.
    const auto grid = Table().mSolutionGrid;
    ASSERT_TRUE(grid);
    Puzzle().mSolutionGrid = grid;
    Click(QPoint(400, 300));
    EXPECT_NE(Table().mSolutionGrid, grid);
    EXPECT_TRUE(Puzzle().mIsWon);
}

TEST_F(TableMoves, DropsSnapToTheGridTellOfOverlapsAndStopAtTheEdges)
{
    PieceClass& square = *Table().mPieceSquare;
    QPoint p = *HitPoint(square);
    WindowInput::Press(Table(), p);
    WindowInput::Move(Table(), p + QPoint(2, 0)); // two pixels start the drag
    EXPECT_NE(Table().mDragPiece, nullptr);
    WindowInput::Move(Table(), p + QPoint(113, 118));
    EXPECT_EQ(square.mPosX, 123);
    // The right button pressed and let go on the way neither drops, turns
    // nor takes the square afresh: the drag goes on to the left's release.
    WindowInput::Press(Table(), p + QPoint(113, 118), Qt::RightButton);
    WindowInput::Release(Table(), p + QPoint(113, 118), Qt::RightButton);
    WindowInput::Move(Table(), p + QPoint(124, 118));
    EXPECT_EQ(square.mPosX, 134);
    WindowInput::Release(Table(), p + QPoint(124, 118));
    EXPECT_EQ(std::tuple(square.mPosX, square.mPosY, square.mOrientation), std::tuple(130, 130, 1));

    // The square dropped onto a small triangle: the table's grid overlaps and
    // the note says so, at (522, 0), until the square is taken off again.
    const auto overlapNoteShown = [this] { return ShowsPicture(Table(), overlapnote(), {522, 0}); };
    const PieceClass& small = *Table().mPieceSmallTriangle1;
    ASSERT_FALSE(overlapNoteShown());
    p = *HitPoint(square);
    Drag(p, p + QPoint(small.mPosX + small.mWidth / 2 - square.mPosX, small.mPosY - square.mPosY));
    EXPECT_TRUE(Table().mSolutionGrid->mHasOverlap);
    EXPECT_TRUE(overlapNoteShown());
    p = *HitPoint(square);
    Drag(p, p + QPoint(0, 300));
    EXPECT_FALSE(overlapNoteShown());

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

TEST_F(TableMoves, AWonPuzzleOrAGameOverDeclinesPressesAndAPuzzleInPlayTakesThem)
{
    const PieceClass& square = *Table().mPieceSquare;
    const QPoint p = *HitPoint(square);
    const auto stack = Table().mPieceZOrder;
    // Won with others left; none loaded with every puzzle solved.
    for (const auto& [won, number] : {std::pair(true, 2), std::pair(false, 0)}) {
        Puzzle().mIsWon = won;
        Puzzle().mPuzzleNumber = number;
        Stats().mNumSolved = won ? 0 : Stats().mNumTotal;
        Drag(p, p + QPoint(40, 40));
        EXPECT_EQ(std::tuple(square.mPosX, square.mOrientation), std::tuple(10, 1));
        EXPECT_EQ(Table().mPieceZOrder, stack);
        EXPECT_EQ(Table().mSolutionGrid, nullptr) << "no release reached the win check";
    }
    // A puzzle still in play is played to its end, even once another copy
    // of the game has recorded it.
    Puzzle().mPuzzleNumber = PuzzleClass::kFirstNumber;
    Drag(p, p + QPoint(40, 40));
    EXPECT_EQ(std::tuple(square.mPosX, square.mPosY), std::tuple(50, 50));
}

TEST_F(TableMoves, DragStepsShowOnlyWhatThePieceLeavesAndEnters)
{
    TableClass& table = Table();
    std::vector<QRect> painted; // the area of every paint the table gets
    EventTap recorder([&](const QEvent& e) {
        e.type() == QEvent::Paint ? painted.push_back(static_cast<const QPaintEvent&>(e).region().boundingRect())
                                  : void();
    });
    table.installEventFilter(&recorder);
    const auto& piece = table.mPieceMediumTriangle;
    const QPoint p = *HitPoint(*piece);
    const QRect tableRect = table.rect();
    const auto pieceRect = [&] { return QRect(piece->mPosX, piece->mPosY, piece->mWidth, piece->mHeight); };

    WindowInput::Press(table, p);
    WindowInput::Move(table, p + QPoint(-3, 2));
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.back(), tableRect); // the first step shows it all
    // Steps that overlap the last place, including some past the top edge.
    for (int step = 1; step <= 40; ++step) {
        const QRect before = pieceRect();
        painted.clear();
        WindowInput::Move(table, p + QPoint(-3 - 7 * step, 2 + (step % 9) * 5 - 20));
        const QRect expected = before.united(pieceRect()).intersected(tableRect);
        ASSERT_EQ(painted.size(), 1u) << step;
        EXPECT_EQ(painted.back(), expected) << step;
    }
    // No trace left behind: the buffer and the screen equal a new table
    // drawn with the piece where it is, on top.
    EXPECT_EQ(table.Surface(), table.Buffer()->Image());
    EXPECT_EQ(table.Buffer()->Image(), TableDrawnAfresh(table, piece.get()));

    WindowInput::Release(table, p);
    EXPECT_EQ(table.Surface(), table.Buffer()->Image());
}

TEST_F(TableMoves, ClosingKeepsEachPieceUnderItsOwnColumnsAndTheNextStartShowsTheSameTableAndCard)
{
    // The first small triangle moved from (150, -10) and the medium triangle
    // turned from 6, with all seven hints taken.
    const QPoint s = *HitPoint(*Table().mPieceSmallTriangle1);
    Drag(s, s + QPoint(101, 198));
    Click(*HitPoint(*Table().mPieceMediumTriangle));
    ClickCanvas("SidebarPanel2PlayButtonCanvas");
    for (int hint = 0; hint < 7; ++hint) { // the most there are
        ClickCanvas("GetHintButtonCanvas");
    }
    const QImage table = Table().Surface().copy();
    const QImage card = CanvasNamed("PuzzleCard").Surface().copy();
    Window().close();
    EXPECT_EQ(Count("SavedPuzzle", "Number = 2 AND HintCount = 7 AND SmallTriangle1_PosX = 250 AND "
                                   "SmallTriangle1_PosY = 190 AND SmallTriangle1_Orientation = 1 AND "
                                   "MediumTriangle_PosX = 630 AND MediumTriangle_PosY = -30 AND "
                                   "MediumTriangle_Orientation = 7"),
              1);
    StopGame();
    StartShown();
    EXPECT_EQ(Table().Surface(), table);
    EXPECT_EQ(CanvasNamed("PuzzleCard").Surface(), card);
}
