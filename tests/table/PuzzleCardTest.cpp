#include "tests/support/MousePlayer.h"

#include "model/SolutionGridClass.h"
#include "table/PuzzleCardClass.h"

namespace {

constexpr int kCardCentre = 80;
constexpr int kBuiltInPuzzles = 30;

// The bounding box of the pixels where two cards differ.
QRect Difference(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            box |= a.pixel(x, y) != b.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return box;
}

} // namespace

class PuzzleCard : public Shown<MousePlayer> {
protected:
    PuzzleCardClass& Card() const { return platform::Deref(Window().ControlAs<PuzzleCardClass>("PuzzleCard")); }
};

// With no hint taken the card must not give the layout away: every cell the
// figure covers whole is the figure's one colour on all its card pixels, so
// no joint between two pieces shows.
TEST_F(PuzzleCard, EveryFigureIsCentredOnCardAndTableSeamlessOnTheCardAndEachHintRevealsItsOwnPiece)
{
    constexpr int kPerCell = PuzzleCardClass::kCardPixelsPerCell;
    for (int number = 1; number <= kBuiltInPuzzles; ++number) {
        Puzzle().LoadFromDatabase(number);
        Card().DrawPuzzleToCard();
        const SolutionGridClass& grid = *Puzzle().mSolutionGrid;
        const QImage& card = Card().Buffer()->Image();
        // Two card pixels per cell of the trimmed grid, around the centre.
        const QPoint corner(kCardCentre - grid.GetWidth(), kCardCentre - grid.GetHeight());
        EXPECT_EQ(Difference(puzzlecard()->Image(), card),
                  QRect(corner, QSize(kPerCell * grid.GetWidth(), kPerCell * grid.GetHeight())))
            << "puzzle " << number;
        int seams = 0;
        for (int y = 0; y < grid.GetHeight() * kPerCell; ++y) {
            for (int x = 0; x < grid.GetWidth() * kPerCell; ++x) {
                const bool inside = grid.GetCell(x / kPerCell, y / kPerCell) == SolutionGridClass::kFull;
                seams += inside && (card.pixel(corner + QPoint(x, y)) & RGB_MASK) != PuzzleCardClass::kFigureColor;
            }
        }
        EXPECT_EQ(seams, 0) << "puzzle " << number;
        EXPECT_EQ(Card().Surface(), card);

        // The table shows the outline centred on the cell grid the pieces snap to.
        const platform::Picture& outline = *Puzzle().mBoardSilhouette;
        const QPoint at(Snap((Table().Width() - outline.Width()) / 2), Snap((Table().Height() - outline.Height()) / 2));
        const QRect box(at, QSize(outline.Width(), outline.Height()));
        gPrefMakeGameHarder = true; // no outline
        Table().Draw(false);
        const QImage bare = Table().Buffer()->Image().copy();
        gPrefMakeGameHarder = false;
        Table().Draw(false);
        const QRect shown = Difference(bare, Table().Buffer()->Image());
        // A pointed figure's outermost cells may show little of it.
        EXPECT_TRUE(box.contains(shown) && shown.contains(box.adjusted(kCell / 2, kCell / 2, -kCell / 2, -kCell / 2)))
            << "puzzle " << number;
    }

    PuzzleClass& puzzle = Puzzle();
    puzzle.LoadFromDatabase(4);
    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    const int offX = kCardCentre - grid.GetWidth() - 2 * grid.mNumTrimmedLeft;
    const int offY = kCardCentre - grid.GetHeight() - 2 * grid.mNumTrimmedTop;
    const PieceClass* byHint[] = {&*puzzle.mPieceLargeTriangle1, &*puzzle.mPieceLargeTriangle2, &*puzzle.mPieceSquare,
                                  &*puzzle.mPieceMediumTriangle,  &*puzzle.mPieceRhombus,
                                  &*puzzle.mPieceSmallTriangle1,  &*puzzle.mPieceSmallTriangle2};
    Card().DrawPuzzleToCard();
    QImage before = Card().Buffer()->Image().copy();
    for (int hint = 1; hint <= 7; ++hint) {
        puzzle.mHintCount = hint;
        Card().DrawPuzzleToCard();
        const QImage after = Card().Buffer()->Image().copy();
        const PieceClass& piece = *byHint[hint - 1];
        constexpr int kScale = PuzzleCardClass::kScale;
        const QRect revealed(piece.mPosX / kScale + offX, piece.mPosY / kScale + offY, piece.mWidth / kScale,
                             piece.mHeight / kScale);
        const QRect changed = Difference(before, after);
        EXPECT_TRUE(!changed.isEmpty() && revealed.contains(changed)) << "hint " << hint;
        before = after;
    }
    puzzle.mHintCount = 9; // past seven nothing more shows
    Card().DrawPuzzleToCard();
    EXPECT_EQ(Card().Buffer()->Image(), before);
}
