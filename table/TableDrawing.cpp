#include "table/TableClass.h"

#include "app/Globals.h"
#include "model/PieceClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "model/StatsClass.h"
#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"
#include "resources/PictureCatalogue.h"
#include "table/DragPieceClass.h"

// The drawing half of the table: background, the figure's outline, the
// pieces in stacking order and the notes, all into the buffer.

namespace {

// Shown under the pieces when the background picture cannot be had.
constexpr std::uint32_t kFallbackTableColor = 0x2F4F2F;

// x of a note centred on the table.
int CentredX(int tableWidth, const platform::Picture& note)
{
    return static_cast<int>(tableWidth / 2.0 - note.Width() / 2.0);
}

} // namespace

void TableClass::Draw(bool flip)
{
    RenderTable();
    if (mDragPiece) {
        // The piece left out of the table goes back over it, where the
        // pointer holds it, on pixels saved from this table.
        mDragPiece->DrawOverFreshTable();
    }
    if (flip) {
        FlipBuffer();
    }
}

void TableClass::RenderTable()
{
    DrawBackground();
    if (!gPrefMakeGameHarder) {
        DrawBoardSilhouette();
    }
    for (const auto& piece : mPieceZOrder) {
        // The selected piece is left to the drag object, over the saved
        // background.
        if (piece && piece != mSelectedPiece) {
            piece->Draw();
        }
    }
    DrawNote();
}

void TableClass::DrawNote()
{
    const bool gameOver = gStats && gPuzzle && gStats->IsGameOver(*gPuzzle);
    platform::PicturePtr note;
    int x = 0;
    int y = kNoteTop;
    if (gameOver) {
        note = completenote();
    } else if (mDrawWinNote) {
        note = winnote();
    } else if (mSolutionGrid && mSolutionGrid->mHasOverlap) {
        note = overlapnote();
        x = kOverlapNoteX;
        y = kOverlapNoteY;
    } else {
        return;
    }
    // A note missing from the resources is left out rather than stopping
    // every redraw of the table.
    if (!note) {
        return;
    }
    if (gameOver || mDrawWinNote) {
        x = CentredX(Width(), *note);
    }
    DrawPicture(note, x, y);
}

void TableClass::DrawBackground()
{
    platform::Graphics& g = platform::Deref(mBufferGraphics);
    const platform::PicturePtr background = tablebackground();
    if (background) {
        g.DrawPicture(background.get(), 0, 0, Width(), Height(), 0, 0, background->Width(),
                      background->Height());
    } else {
        // Without its picture the table is still playable on a plain colour.
        g.SetForeColor(kFallbackTableColor);
        g.FillRect(0, 0, Width(), Height());
    }
    AddDirtyRect(0, 0, Width(), Height());
}

void TableClass::DrawPieceSilhouetteOntoTable(const std::shared_ptr<PieceClass>& /*piece*/)
{
}

bool TableClass::CheckForOverlap(const std::shared_ptr<SolutionGridClass>& grid)
{
    const bool overlap = platform::Deref(grid).mHasOverlap;
    if (overlap) {
        const platform::PicturePtr note = overlapnote();
        if (note) {
            Graphics().DrawPicture(note.get(), kScreenOverlapNoteX, 0);
        }
    }
    return overlap;
}

void TableClass::DrawBoardSilhouette()
{
    if (!gPuzzle || !gPuzzle->mBoardSilhouette) {
        return;
    }
    const platform::PicturePtr& outline = gPuzzle->mBoardSilhouette;
    const int x0 = static_cast<int>(Width() / 2.0 - outline->Width() / 2.0);
    const int y0 = static_cast<int>(Height() / 2.0 - outline->Height() / 2.0);
    // On the grid the dropped pieces snap to, so a figure can be laid on it.
    const int x = static_cast<int>(x0 / double{kCellSize}) * kCellSize;
    const int y = static_cast<int>(y0 / double{kCellSize}) * kCellSize;
    DrawPicture(outline, x, y);
}
