#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class SolutionGridClass;
class PieceClass;
class PieceLargeTriangleClass;
class PieceMediumTriangleClass;
class PieceSmallTriangleClass;
class PieceRhombusClass;
class PieceSquareClass;
namespace platform {
class Picture;
class Database;
}

// One numbered puzzle: a figure laid out of its own seven pieces (never the
// table's). A composition moves the figure to the top-left corner, measures
// it, adds the seven cell patterns into the figure's trimmed grid (which the
// player's grid is matched against) and paints the silhouette shown on the
// table. The store side loads figures by number or at random among the
// unsolved ones, appends new figures and records solves.
class PuzzleClass {
public:
    // The figure's silhouette: dark red, seen faintly through a mask that is
    // light grey inside the pieces and white (hidden) everywhere else.
    static constexpr std::uint32_t kSilhouetteColour = 0x660000;
    static constexpr std::uint32_t kSilhouetteMaskInside = 0xD6D6D6;
    static constexpr std::uint32_t kSilhouetteMaskOutside = 0xFFFFFF;
    // A stored figure wider or higher than this cannot be built on any table;
    // only a damaged row can hold one, and loading it would exhaust memory.
    static constexpr std::int32_t kMaxFigurePixels = 4000;
    // Stored puzzles are numbered from 1 up; 0 is the number of a figure
    // that is not in the catalogue.
    static constexpr std::int32_t kFirstNumber = 1;

    // The numbers of the puzzles the game offers, records and counts, as an
    // SQL query: the catalogue's rows numbered kFirstNumber and up. A row
    // another program numbered below them is none of these, so it can never
    // be offered without its win being kept.
    static QString PlayableNumbersQuery();

    // Creates the seven pieces, each in orientation 1 at (0, 0); no number,
    // no grid, no silhouette.
    PuzzleClass();
    ~PuzzleClass();
    PuzzleClass(const PuzzleClass&) = delete;
    PuzzleClass& operator=(const PuzzleClass&) = delete;

    // Adds the seven patterns at their pieces' cell offsets into a new grid
    // of the figure's size and trims it. Expects normalised positions and
    // the pixel size computed.
    void CreateSolutionGrid();
    // Appends the figure as a new row of the catalogue and takes the number
    // the store gives it; a failed insert leaves the number as it was.
    void SaveToDatabase();
    // Loads and composes stored puzzle n. A number without a row (or below
    // kFirstNumber), a store that answers nothing, or a row whose figure is
    // impossibly large leaves the puzzle exactly as it was.
    void LoadFromDatabase(std::int32_t number);
    // Loads an unsolved puzzle other than the current one (the last one when
    // only one is left); nothing when every puzzle is solved. False when
    // nothing was loaded.
    bool LoadRandomUnsolved();
    // Makes the puzzle the figure that the given pieces form (the table's
    // pieces as they lie); the arguments are only read.
    void SetFromPieces(const PieceLargeTriangleClass& largeTriangle1,
                       const PieceLargeTriangleClass& largeTriangle2,
                       const PieceMediumTriangleClass& mediumTriangle,
                       const PieceSmallTriangleClass& smallTriangle1,
                       const PieceSmallTriangleClass& smallTriangle2,
                       const PieceRhombusClass& rhombus,
                       const PieceSquareClass& square);
    // Shifts all seven pieces so the union of their picture boxes starts at
    // (0, 0).
    void AdjustPiecePositions();
    // The figure's box: the largest right and bottom picture edges.
    void CalculatePixelDimensions();
    // Records the current puzzle as solved with its hint count, committed at
    // once. A puzzle without a stored number records nothing.
    void MarkSolvedInDatabase();
    // From its load until it is won; a figure without a stored number is
    // never in play.
    bool IsInPlay() const { return mPuzzleNumber >= kFirstNumber && !mIsWon; }
    // Forgets every solve.
    void ResetAll();
    // Paints mBoardSilhouette from the trimmed grid and the pieces' masks.
    void CreateBoardSilhouette();

    std::shared_ptr<SolutionGridClass> mSolutionGrid;
    std::shared_ptr<PieceLargeTriangleClass> mPieceLargeTriangle1;
    std::shared_ptr<PieceLargeTriangleClass> mPieceLargeTriangle2;
    std::shared_ptr<PieceMediumTriangleClass> mPieceMediumTriangle;
    std::shared_ptr<PieceRhombusClass> mPieceRhombus;
    std::shared_ptr<PieceSmallTriangleClass> mPieceSmallTriangle1;
    std::shared_ptr<PieceSmallTriangleClass> mPieceSmallTriangle2;
    std::shared_ptr<PieceSquareClass> mPieceSquare;
    std::int32_t mPuzzleNumber = 0;
    std::int32_t mPixelWidth = 0;
    std::int32_t mPixelHeight = 0;
    std::int32_t mHintCount = 0;
    bool mIsWon = false;
    std::shared_ptr<platform::Picture> mBoardSilhouette;

private:
    // The store's connection; raises platform::NilObjectException when there
    // is no store.
    static platform::Database& StoreConnection();
    // Normalise, measure and build the grid: the shared middle of every
    // composition.
    void Compose();
};
