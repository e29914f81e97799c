#pragma once

#include "table/BufferedCanvasClass.h"
#include "table/SavedGameRecord.h"

#include <array>
#include <cstdint>
#include <memory>

class DragPieceClass;
class PieceClass;
class PieceLargeTriangleClass;
class PieceMediumTriangleClass;
class PieceRhombusClass;
class PieceSmallTriangleClass;
class PieceSquareClass;
class SolutionGridClass;
class WinNoteTimerClass;

// The play table on which the player moves the seven pieces. Everything is
// drawn into the buffer; a drag repaints only the places the piece leaves and
// enters, every release redraws the whole table. The table owns its pieces,
// their stacking order, the drag object and the player's grid.
class TableClass : public BufferedCanvasClass {
public:
    static constexpr int kPieceCount = 7;
    // Pieces snap to cells of this many pixels when dropped.
    static constexpr int kCellSize = 10;
    // Where the completion and win notes stand from the top edge.
    static constexpr int kNoteTop = 130;
    // The overlap note's corner, drawn by Draw and by CheckForOverlap.
    static constexpr int kOverlapNoteX = 522;
    static constexpr int kOverlapNoteY = 0;
    static constexpr int kScreenOverlapNoteX = 540;
    // A pointer within this many pixels of the press point on both axes
    // still counts as a click.
    static constexpr int kClickSlop = 1;

    explicit TableClass(QWidget* parent = nullptr);
    ~TableClass() override;

    void Event_Open() override;
    bool Event_MouseDown(int x, int y) override;
    void Event_Paint(platform::Graphics& g) override;
    void Event_MouseUp(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    // A press cut short (the window minimised, say) ends as a release
    // where the pointer last was, except that no piece turns.
    void Event_MouseCancel(int x, int y) override;
    void Event_Close() override;
    // Renders the whole table into the buffer; shows it when flip is true.
    // A piece being dragged stays under the pointer: the same table drawn
    // again changes nothing under it.
    virtual void Draw(bool flip);
    // What lies under any press has changed (another puzzle, the outline
    // shown or hidden, the game over): the press ends, then the whole table
    // is drawn and shown as it now stands.
    void DrawAfterChange();
    // What belonged to the puzzle on the table goes with it before another
    // comes: its win note, the note's timer and the player's grid.
    void ForgetPuzzle();
    virtual void InitializeTable();
    // Compares the player's grid with the puzzle's after a release.
    virtual void CheckForWin();
    virtual void InitializePieces();
    virtual void DrawBackground();
    virtual void CreateSolutionGridFromPieces();
    virtual void SavePiecesAsPuzzle();
    virtual void DrawPieceSilhouetteOntoTable(const std::shared_ptr<PieceClass>& piece);
    // Puts the seven pieces at their fixed starting places and orientations.
    virtual void ScatterPieces();
    virtual void SavePuzzleInProgress();
    virtual bool LoadPuzzleInProgress();
    virtual bool CheckForOverlap(const std::shared_ptr<SolutionGridClass>& grid);
    virtual void DrawBoardSilhouette();

    std::shared_ptr<PieceSquareClass> mPieceSquare;
    std::shared_ptr<PieceRhombusClass> mPieceRhombus;
    std::shared_ptr<PieceSmallTriangleClass> mPieceSmallTriangle1;
    std::shared_ptr<PieceSmallTriangleClass> mPieceSmallTriangle2;
    std::shared_ptr<PieceLargeTriangleClass> mPieceLargeTriangle1;
    std::shared_ptr<PieceLargeTriangleClass> mPieceLargeTriangle2;
    std::shared_ptr<PieceMediumTriangleClass> mPieceMediumTriangle;
    std::shared_ptr<PieceClass> mSelectedPiece;
    std::int32_t mLastMouseDownX = 0;
    std::int32_t mLastMouseDownY = 0;
    std::shared_ptr<DragPieceClass> mDragPiece;
    std::int32_t mLastMouseDragX = 0;
    std::int32_t mLastMouseDragY = 0;
    // Index 0 is drawn first (bottom), the last index on top.
    std::array<std::shared_ptr<PieceClass>, kPieceCount> mPieceZOrder;
    std::shared_ptr<WinNoteTimerClass> mWinNoteTimer;
    bool mDrawWinNote = false;
    // The cells the seven pieces cover where they lie; null until a release.
    std::shared_ptr<SolutionGridClass> mSolutionGrid;
    bool mLastMouseClickWasRightClick = false;

private:
    // The whole table into the buffer, the selected piece left out for the
    // drag object to draw over what it saved.
    void RenderTable();
    // Ends the press held on the table, if any, because the table under it
    // changed: the rest of that press is no one's.
    void EndPressUnderChange();
    // The piece of the press comes to rest: a dragged one on the nearest
    // cell, and either kind on top. The drag object and the selection go.
    void SettleSelectedPiece();
    // Moves the piece to the top of the stacking order.
    void RaiseToTop(const std::shared_ptr<PieceClass>& piece);
    // Keeps the dragged piece's picture within reach of the table's edges.
    void KeepWithinReach(PieceClass& piece) const;
    void DrawNote();
    // The table's pieces in the order of a saved game's columns.
    std::array<PieceClass*, SavedGameRecord::PieceCount> PiecesInSavedOrder() const;
};
