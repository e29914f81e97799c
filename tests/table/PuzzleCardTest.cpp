#include "TableTestWindow.h"

#include "resources/PictureCatalogue.h"

namespace {

constexpr int kCardCentre = 80;

// The bounding box of the pixels where two cards differ.
QRect Difference(const QImage& a, const QImage& b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

} // namespace

TEST_F(TableTest, CardCentresEveryFigureToThePixel)
{
    OpenWindow();
    const QImage background = puzzlecard()->Image();
    for (const std::int32_t number : {1, 2, 7, 13, 30}) {
        gPuzzle->LoadFromDatabase(number);
        mCard->DrawPuzzleToCard();
        const QRect box = Difference(background, mCard->Buffer()->Image());
        const SolutionGridClass& grid = *gPuzzle->mSolutionGrid;
        // Two card pixels per cell of the trimmed grid, around the centre.
        EXPECT_EQ(box, QRect(kCardCentre - grid.GetWidth(), kCardCentre - grid.GetHeight(),
                             2 * grid.GetWidth(), 2 * grid.GetHeight()))
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
    const std::array<const PieceClass*, 7> byHint{
        gPuzzle->mPieceLargeTriangle1.get(), gPuzzle->mPieceLargeTriangle2.get(),
        gPuzzle->mPieceSquare.get(),         gPuzzle->mPieceMediumTriangle.get(),
        gPuzzle->mPieceRhombus.get(),        gPuzzle->mPieceSmallTriangle1.get(),
        gPuzzle->mPieceSmallTriangle2.get()};
    mCard->DrawPuzzleToCard();
    QImage before = mCard->Buffer()->Image().copy();
    for (int hint = 1; hint <= 7; ++hint) {
        gPuzzle->mHintCount = hint;
        mCard->DrawPuzzleToCard();
        const QImage after = mCard->Buffer()->Image().copy();
        const PieceClass& piece = *byHint[static_cast<std::size_t>(hint - 1)];
        const QRect revealed(piece.mPosX / PuzzleCardClass::kScale + offX,
                             piece.mPosY / PuzzleCardClass::kScale + offY,
                             piece.mWidth / PuzzleCardClass::kScale,
                             piece.mHeight / PuzzleCardClass::kScale);
        const QRect changed = Difference(before, after);
        EXPECT_FALSE(changed.isEmpty()) << "hint " << hint;
        EXPECT_TRUE(revealed.contains(changed)) << "hint " << hint;
        before = after;
    }
    gPuzzle->mHintCount = 9;
    mCard->DrawPuzzleToCard();
    EXPECT_EQ(mCard->Buffer()->Image(), before);
}

TEST_F(TableTest, CardWithoutAPuzzleShowsNothingNew)
{
    StartGame(false);
    gStats->mNumSolved = gStats->mNumTotal; // nothing left to open
    OpenWindow();
    EXPECT_EQ(gPuzzle->mPuzzleNumber, 0);
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Kolmira - Puzzle #0"));
    const QImage shown = mCard->Surface().copy();
    mCard->DrawPuzzleToCard();
    EXPECT_EQ(mCard->Surface(), shown);
    EXPECT_NE(mCard->DirtyRect(), nullptr);
}
