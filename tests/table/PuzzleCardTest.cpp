#include "TableTestWindow.h"

#include "resources/PictureCatalogue.h"

namespace {

constexpr int kCardCentre = 80;

// The bounding box of the pixels where two cards differ.
QRect Difference(const QImage& a, const QImage& b)
{
    QRect box;
    for (int i = 0; i < a.width() * a.height(); ++i) {
        if (a.pixel(i % a.width(), i / a.width()) != b.pixel(i % a.width(), i / a.width())) {
            box |= QRect(i % a.width(), i / a.width(), 1, 1);
        }
    }
    return box;
}

} // namespace

TEST_F(TableTest, CardCentresEveryFigureToThePixel)
{
    OpenWindow();
    for (const int number : {1, 2, 7, 13, 30}) {
        gPuzzle->LoadFromDatabase(number);
        mCard->DrawPuzzleToCard();
        const SolutionGridClass& grid = *gPuzzle->mSolutionGrid;
        // Two card pixels per cell of the trimmed grid, around the centre.
        EXPECT_EQ(Difference(puzzlecard()->Image(), mCard->Buffer()->Image()),
                  QRect(kCardCentre - grid.GetWidth(), kCardCentre - grid.GetHeight(), 2 * grid.GetWidth(),
                        2 * grid.GetHeight()))
            << "puzzle " << number;
        EXPECT_EQ(mCard->Surface(), mCard->Buffer()->Image());
    }
}

TEST_F(TableTest, EachHintRevealsItsOwnPieceOnTheCard)
{
    OpenWindow();
    gPuzzle->LoadFromDatabase(4);
    const SolutionGridClass& grid = *gPuzzle->mSolutionGrid;
    const int offX = kCardCentre - grid.GetWidth() - 2 * grid.mNumTrimmedLeft;
    const int offY = kCardCentre - grid.GetHeight() - 2 * grid.mNumTrimmedTop;
    const PieceClass* byHint[] = {gPuzzle->mPieceLargeTriangle1.get(), gPuzzle->mPieceLargeTriangle2.get(),
                                  gPuzzle->mPieceSquare.get(),         gPuzzle->mPieceMediumTriangle.get(),
                                  gPuzzle->mPieceRhombus.get(),        gPuzzle->mPieceSmallTriangle1.get(),
                                  gPuzzle->mPieceSmallTriangle2.get()};
    mCard->DrawPuzzleToCard();
    QImage before = mCard->Buffer()->Image().copy();
    for (int hint = 1; hint <= 7; ++hint) {
        gPuzzle->mHintCount = hint;
        mCard->DrawPuzzleToCard();
        const QImage after = mCard->Buffer()->Image().copy();
        const PieceClass& piece = *byHint[hint - 1];
        constexpr int kScale = PuzzleCardClass::kScale;
        const QRect revealed(piece.mPosX / kScale + offX, piece.mPosY / kScale + offY, piece.mWidth / kScale,
                             piece.mHeight / kScale);
        const QRect changed = Difference(before, after);
        EXPECT_FALSE(changed.isEmpty()) << "hint " << hint;
        EXPECT_TRUE(revealed.contains(changed)) << "hint " << hint;
        before = after;
    }
    gPuzzle->mHintCount = 9; // past seven nothing more shows
    mCard->DrawPuzzleToCard();
    EXPECT_EQ(mCard->Buffer()->Image(), before);
}
