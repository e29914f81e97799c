#include "tests/support/MousePlayer.h"

#include "model/SolutionGridClass.h"
#include "table/PuzzleCardClass.h"

namespace {

constexpr int kCardCentre = 80;

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

TEST_F(PuzzleCard, CentresEveryFigureToThePixelAndEachHintRevealsItsOwnPiece)
{
    for (const int number : {1, 2, 7, 13, 30}) {
        Puzzle().LoadFromDatabase(number);
        Card().DrawPuzzleToCard();
        const SolutionGridClass& grid = *Puzzle().mSolutionGrid;
        // Two card pixels per cell of the trimmed grid, around the centre.
        EXPECT_EQ(Difference(puzzlecard()->Image(), Card().Buffer()->Image()),
                  QRect(kCardCentre - grid.GetWidth(), kCardCentre - grid.GetHeight(), 2 * grid.GetWidth(),
                        2 * grid.GetHeight()))
            << "puzzle " << number;
        EXPECT_EQ(Card().Surface(), Card().Buffer()->Image());
    }

    PuzzleClass& puzzle = Puzzle();
    puzzle.LoadFromDatabase(4);
    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    const int offX = kCardCentre - grid.GetWidth() - 2 * grid.mNumTrimmedLeft;
    const int offY = kCardCentre - grid.GetHeight() - 2 * grid.mNumTrimmedTop;
    const PieceClass* byHint[] = {puzzle.mPieceLargeTriangle1.get(), puzzle.mPieceLargeTriangle2.get(),
                                  puzzle.mPieceSquare.get(),         puzzle.mPieceMediumTriangle.get(),
                                  puzzle.mPieceRhombus.get(),        puzzle.mPieceSmallTriangle1.get(),
                                  puzzle.mPieceSmallTriangle2.get()};
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
