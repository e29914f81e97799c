#include "table/TableClass.h"

#include "app/Globals.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "model/PrefsDatabaseClass.h"
#include "model/StatsClass.h"
#include "platform/Keyboard.h"
#include "platform/NilObjectException.h"
#include "table/DragPieceClass.h"
#include "table/PuzzleCardClass.h"
#include "table/SavedGameRecord.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The puzzle a first run opens with: an easy figure to learn the moves on.
constexpr std::int32_t kFirstRunPuzzle = 2;

struct StartPlace {
    std::int32_t x;
    std::int32_t y;
    std::int32_t orientation;
};

// The fixed starting places, all on the 10-pixel grid; some pictures hang
// past the left or top edge, where only their empty corners lie.
constexpr StartPlace kLargeTriangle1Start{570, 420, 8};
constexpr StartPlace kLargeTriangle2Start{-50, 420, 2};
constexpr StartPlace kMediumTriangleStart{630, -30, 6};
constexpr StartPlace kSmallTriangle1Start{150, -10, 1};
constexpr StartPlace kSmallTriangle2Start{310, -10, 1};
constexpr StartPlace kRhombusStart{470, -40, 4};
constexpr StartPlace kSquareStart{10, 10, 1};

void PlaceAt(PieceClass& piece, const StartPlace& place)
{
    piece.SetPosition(place.x, place.y);
    piece.SetOrientation(place.orientation);
    piece.SetPictureFromOrientation();
}

// The nearest multiple of the cell size; halves go away from zero.
std::int32_t SnapToCell(std::int32_t position)
{
    return static_cast<std::int32_t>(std::lround(position / double{TableClass::kCellSize}))
        * TableClass::kCellSize;
}

} // namespace

TableClass::TableClass(QWidget* parent)
    : BufferedCanvasClass(parent)
{
}

TableClass::~TableClass()
{
    // The drag object puts its pixels back through gTable: let it go while
    // the table is whole, then stop being the table the pieces draw on.
    mDragPiece.reset();
    if (gTable == this) {
        gTable = nullptr;
    }
}

void TableClass::Event_Open()
{
    InitializeTable();
    if (!LoadPuzzleInProgress()) {
        PuzzleClass& puzzle = platform::Deref(gPuzzle);
        if (gFirstRun) {
            puzzle.LoadFromDatabase(kFirstRunPuzzle);
        } else {
            puzzle.LoadRandomUnsolved();
        }
    }
    window()->setWindowTitle(QStringLiteral("Kolmira - Puzzle #")
                             + QString::number(platform::Deref(gPuzzle).mPuzzleNumber));
    Draw(true);
}

bool TableClass::Event_MouseDown(int x, int y)
{
    // After a win, or once the game is over, the pieces stay put and no
    // release may run the win check again.
    const PuzzleClass& puzzle = platform::Deref(gPuzzle);
    if (puzzle.mIsWon || platform::Deref(gStats).IsGameOver(puzzle)) {
        return false;
    }
    // Every piece is asked, so the topmost one whose shape covers the point
    // is the one that stays selected.
    for (const auto& piece : mPieceZOrder) {
        if (piece && piece->IsPointInside(x, y)) {
            mSelectedPiece = piece;
        }
    }
    mLastMouseDownX = x;
    mLastMouseDragX = x;
    mLastMouseDownY = y;
    mLastMouseDragY = y;
    mLastMouseClickWasRightClick = platform::Keyboard::CounterClockwiseRequested();
    return true;
}

void TableClass::Event_Paint(platform::Graphics& /*g*/)
{
    FlipBuffer();
}

void TableClass::Event_MouseUp(int /*x*/, int /*y*/)
{
    if (mSelectedPiece && !mDragPiece) {
        if (mLastMouseClickWasRightClick) {
            mSelectedPiece->RotateCounterClockwise();
        } else {
            mSelectedPiece->RotateClockwise();
        }
    }
    SettleSelectedPiece();
    CreateSolutionGridFromPieces();
    Draw(true);
    CheckForWin();
}

void TableClass::Event_MouseDrag(int x, int y)
{
    if (x == mLastMouseDragX && y == mLastMouseDragY) {
        return;
    }
    if (std::abs(x - mLastMouseDownX) <= kClickSlop && std::abs(y - mLastMouseDownY) <= kClickSlop) {
        return;
    }
    mLastMouseDragX = x;
    mLastMouseDragY = y;
    if (!mSelectedPiece) {
        return;
    }
    if (!mDragPiece) {
        mDragPiece = std::make_shared<DragPieceClass>(mSelectedPiece);
        mDragPiece->SetGrabPositionFromMousePosition(mLastMouseDownX, mLastMouseDownY);
        // The table without the piece, not yet shown: the drag object saves
        // what lies under the piece from it.
        RenderTable();
        mDragPiece->SetBuffer();
    }
    mDragPiece->SetPositionFromGrabPosition(x, y);
    KeepWithinReach(*mSelectedPiece);
    mDragPiece->Draw();
    FlipBuffer();
}

void TableClass::Event_MouseCancel(int x, int y)
{
    // The player let go somewhere the table cannot see: a dragged piece
    // drops where it was last shown, and the grid and the win check follow
    // as after any release. A press that never became a drag was no click.
    if (!mDragPiece) {
        mSelectedPiece.reset();
    }
    Event_MouseUp(x, y);
}

void TableClass::EndPressUnderChange()
{
    // Left to go on, the press would drag its piece over pixels saved from
    // the table that was, and its release would turn or drop a piece that
    // the change has put elsewhere. A press that never became a drag had
    // done nothing yet; a dragged piece stays where the change left it, on
    // the nearest cell. Unlike a release, no win is checked.
    EndPress();
    if (!mDragPiece) {
        mSelectedPiece.reset();
    }
    SettleSelectedPiece();
}

void TableClass::DrawAfterChange()
{
    EndPressUnderChange();
    Draw(true);
}

void TableClass::ForgetPuzzle()
{
    // Left running, the note's timer would redraw the next puzzle's table
    // three seconds after the old win.
    mWinNoteTimer.reset();
    mDrawWinNote = false;
    mSolutionGrid.reset();
}

void TableClass::SettleSelectedPiece()
{
    if (mDragPiece) {
        mDragPiece->SetPosition(SnapToCell(mSelectedPiece->mPosX), SnapToCell(mSelectedPiece->mPosY));
    }
    if (mSelectedPiece) {
        RaiseToTop(mSelectedPiece);
    }
    // The drag object puts back the pixels it saved, which the whole table
    // drawn next covers.
    mDragPiece.reset();
    mSelectedPiece.reset();
}

void TableClass::Event_Close()
{
    SavePuzzleInProgress();
    mWinNoteTimer.reset();
}

void TableClass::InitializeTable()
{
    gTable = this;
    InitializeBuffer();
    InitializePieces();
    mPieceZOrder = {mPieceSquare,         mPieceRhombus,        mPieceMediumTriangle,
                    mPieceSmallTriangle1, mPieceSmallTriangle2, mPieceLargeTriangle1,
                    mPieceLargeTriangle2};
    ScatterPieces();
}

void TableClass::InitializePieces()
{
    mPieceSquare = std::make_shared<PieceSquareClass>();
    mPieceSmallTriangle1 = std::make_shared<PieceSmallTriangleClass>();
    mPieceSmallTriangle2 = std::make_shared<PieceSmallTriangleClass>();
    mPieceRhombus = std::make_shared<PieceRhombusClass>();
    mPieceMediumTriangle = std::make_shared<PieceMediumTriangleClass>();
    mPieceLargeTriangle1 = std::make_shared<PieceLargeTriangleClass>();
    mPieceLargeTriangle2 = std::make_shared<PieceLargeTriangleClass>();
}

void TableClass::CreateSolutionGridFromPieces()
{
    const std::array<std::shared_ptr<PieceClass>, kPieceCount> order = {
        mPieceSquare,         mPieceRhombus,        mPieceSmallTriangle1, mPieceSmallTriangle2,
        mPieceMediumTriangle, mPieceLargeTriangle1, mPieceLargeTriangle2};
    struct Placed {
        std::shared_ptr<SolutionGridClass> pattern;
        std::int32_t cx;
        std::int32_t cy;
    };
    std::array<Placed, kPieceCount> placed;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const PieceClass& piece = platform::Deref(order[i]);
        placed[i] = {piece.GetSolutionGrid(), static_cast<std::int32_t>(piece.mPosX / double{kCellSize}),
                     static_cast<std::int32_t>(piece.mPosY / double{kCellSize})};
    }
    std::int32_t minX = placed[0].cx;
    std::int32_t minY = placed[0].cy;
    std::int32_t maxX = placed[0].cx + platform::Deref(placed[0].pattern).GetWidth();
    std::int32_t maxY = placed[0].cy + placed[0].pattern->GetHeight();
    for (const Placed& p : placed) {
        const SolutionGridClass& pattern = platform::Deref(p.pattern);
        minX = std::min(minX, p.cx);
        minY = std::min(minY, p.cy);
        maxX = std::max(maxX, p.cx + pattern.GetWidth());
        maxY = std::max(maxY, p.cy + pattern.GetHeight());
    }
    mSolutionGrid = std::make_shared<SolutionGridClass>();
    mSolutionGrid->SetGridSize(maxX - minX, maxY - minY);
    for (const Placed& p : placed) {
        mSolutionGrid->AddGrid(p.cx - minX, p.cy - minY, p.pattern);
    }
    mSolutionGrid->TrimEmptyCells();
}

void TableClass::SavePiecesAsPuzzle()
{
    PuzzleClass& puzzle = platform::Deref(gPuzzle);
    puzzle.SetFromPieces(platform::Deref(mPieceLargeTriangle1), platform::Deref(mPieceLargeTriangle2),
                         platform::Deref(mPieceMediumTriangle), platform::Deref(mPieceSmallTriangle1),
                         platform::Deref(mPieceSmallTriangle2), platform::Deref(mPieceRhombus),
                         platform::Deref(mPieceSquare));
    auto* card = window()->findChild<PuzzleCardClass*>(QStringLiteral("PuzzleCard"));
    platform::Deref(card).DrawPuzzleToCard();
    puzzle.SaveToDatabase();
}

void TableClass::ScatterPieces()
{
    PlaceAt(platform::Deref(mPieceLargeTriangle1), kLargeTriangle1Start);
    PlaceAt(platform::Deref(mPieceLargeTriangle2), kLargeTriangle2Start);
    PlaceAt(platform::Deref(mPieceMediumTriangle), kMediumTriangleStart);
    PlaceAt(platform::Deref(mPieceSmallTriangle1), kSmallTriangle1Start);
    PlaceAt(platform::Deref(mPieceSmallTriangle2), kSmallTriangle2Start);
    PlaceAt(platform::Deref(mPieceRhombus), kRhombusStart);
    PlaceAt(platform::Deref(mPieceSquare), kSquareStart);
}

std::array<PieceClass*, SavedGameRecord::PieceCount> TableClass::PiecesInSavedOrder() const
{
    return {&platform::Deref(mPieceLargeTriangle1), &platform::Deref(mPieceLargeTriangle2),
            &platform::Deref(mPieceSmallTriangle1), &platform::Deref(mPieceSmallTriangle2),
            &platform::Deref(mPieceMediumTriangle), &platform::Deref(mPieceRhombus),
            &platform::Deref(mPieceSquare)};
}

void TableClass::SavePuzzleInProgress()
{
    // Nothing loaded, or already solved: the next start picks afresh.
    if (!gPuzzle || !gPuzzle->IsInPlay()) {
        return;
    }
    SavedGameRecord saved;
    saved.mNumber = gPuzzle->mPuzzleNumber;
    saved.mHintCount = gPuzzle->mHintCount;
    const auto pieces = PiecesInSavedOrder();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        saved.mPieces[i] = {pieces[i]->mPosX, pieces[i]->mPosY, pieces[i]->mOrientation};
    }
    PrefsDatabaseClass& store = platform::Deref(gPrefsDatabase);
    store.GameClosing();
    saved.AppendTo(platform::Deref(store.mDB));
}

bool TableClass::LoadPuzzleInProgress()
{
    const std::optional<SavedGameRecord> saved =
        SavedGameRecord::TakeFirst(platform::Deref(platform::Deref(gPrefsDatabase).mDB));
    // A damaged row counts as no saved game; it is gone from the store all
    // the same, so it cannot stand in the way at every start.
    if (!saved || !saved->IsSound()) {
        return false;
    }
    PuzzleClass& puzzle = platform::Deref(gPuzzle);
    puzzle.LoadFromDatabase(saved->mNumber);
    if (puzzle.mPuzzleNumber != saved->mNumber) {
        // The catalogue has no such puzzle.
        return false;
    }
    puzzle.mHintCount = saved->mHintCount;
    const auto pieces = PiecesInSavedOrder();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        PieceClass& piece = *pieces[i];
        piece.mPosX = saved->mPieces[i].posX;
        piece.mPosY = saved->mPieces[i].posY;
        piece.mOrientation = saved->mPieces[i].orientation;
        piece.SetPictureFromOrientation();
        // A piece out of reach, or off the grid, could never be played again.
        KeepWithinReach(piece);
        piece.mPosX = SnapToCell(piece.mPosX);
        piece.mPosY = SnapToCell(piece.mPosY);
    }
    return true;
}

void TableClass::RaiseToTop(const std::shared_ptr<PieceClass>& piece)
{
    const auto found = std::find(mPieceZOrder.begin(), mPieceZOrder.end(), piece);
    if (found != mPieceZOrder.end()) {
        std::rotate(found, found + 1, mPieceZOrder.end());
    }
}

void TableClass::KeepWithinReach(PieceClass& piece) const
{
    if (piece.mPosX < -piece.mMaxOffset) {
        piece.mPosX = -piece.mMaxOffset;
    }
    if (piece.mPosY < -piece.mMaxOffset) {
        piece.mPosY = -piece.mMaxOffset;
    }
    if (piece.mPosX > Width() - piece.mWidth + piece.mMaxOffset) {
        piece.mPosX = Width() - piece.mWidth + piece.mMaxOffset;
    }
    if (piece.mPosY > Height() - piece.mHeight + piece.mMaxOffset) {
        piece.mPosY = Height() - piece.mHeight + piece.mMaxOffset;
    }
}
