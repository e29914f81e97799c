#include "table/PuzzleCardClass.h"

#include "app/Globals.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "platform/pictures/Graphics.h"
#include "resources/PictureCatalogue.h"

#include <array>
#include <span>

namespace {

using MaskAccessor = platform::PicturePtr (*)();

// Card and hint masks of one shape, by orientation (index = orientation - 1).
struct ShapeMasks {
    std::span<const MaskAccessor> card;
    std::span<const MaskAccessor> hint;
};

constexpr std::array<MaskAccessor, PieceLargeTriangleClass::kOrientationCount> kCardLarge{
    cardlargetriangle1mask, cardlargetriangle2mask, cardlargetriangle3mask, cardlargetriangle4mask,
    cardlargetriangle5mask, cardlargetriangle6mask, cardlargetriangle7mask, cardlargetriangle8mask};
constexpr std::array<MaskAccessor, PieceLargeTriangleClass::kOrientationCount> kHintLarge{
    hintlargetriangle1mask, hintlargetriangle2mask, hintlargetriangle3mask, hintlargetriangle4mask,
    hintlargetriangle5mask, hintlargetriangle6mask, hintlargetriangle7mask, hintlargetriangle8mask};
constexpr std::array<MaskAccessor, PieceMediumTriangleClass::kOrientationCount> kCardMedium{
    cardmediumtriangle1mask, cardmediumtriangle2mask, cardmediumtriangle3mask,
    cardmediumtriangle4mask, cardmediumtriangle5mask, cardmediumtriangle6mask,
    cardmediumtriangle7mask, cardmediumtriangle8mask};
constexpr std::array<MaskAccessor, PieceMediumTriangleClass::kOrientationCount> kHintMedium{
    hintmediumtriangle1mask, hintmediumtriangle2mask, hintmediumtriangle3mask,
    hintmediumtriangle4mask, hintmediumtriangle5mask, hintmediumtriangle6mask,
    hintmediumtriangle7mask, hintmediumtriangle8mask};
constexpr std::array<MaskAccessor, PieceSmallTriangleClass::kOrientationCount> kCardSmall{
    cardsmalltriangle1mask, cardsmalltriangle2mask, cardsmalltriangle3mask, cardsmalltriangle4mask,
    cardsmalltriangle5mask, cardsmalltriangle6mask, cardsmalltriangle7mask, cardsmalltriangle8mask};
constexpr std::array<MaskAccessor, PieceSmallTriangleClass::kOrientationCount> kHintSmall{
    hintsmalltriangle1mask, hintsmalltriangle2mask, hintsmalltriangle3mask, hintsmalltriangle4mask,
    hintsmalltriangle5mask, hintsmalltriangle6mask, hintsmalltriangle7mask, hintsmalltriangle8mask};
constexpr std::array<MaskAccessor, PieceRhombusClass::kOrientationCount> kCardRhombus{
    cardrhombus1mask, cardrhombus2mask, cardrhombus3mask, cardrhombus4mask};
constexpr std::array<MaskAccessor, PieceRhombusClass::kOrientationCount> kHintRhombus{
    hintrhombus1mask, hintrhombus2mask, hintrhombus3mask, hintrhombus4mask};
constexpr std::array<MaskAccessor, PieceSquareClass::kOrientationCount> kCardSquare{
    cardsquare1mask, cardsquare2mask};
constexpr std::array<MaskAccessor, PieceSquareClass::kOrientationCount> kHintSquare{
    hintsquare1mask, hintsquare2mask};

constexpr ShapeMasks kLargeMasks{kCardLarge, kHintLarge};
constexpr ShapeMasks kMediumMasks{kCardMedium, kHintMedium};
constexpr ShapeMasks kSmallMasks{kCardSmall, kHintSmall};
constexpr ShapeMasks kRhombusMasks{kCardRhombus, kHintRhombus};
constexpr ShapeMasks kSquareMasks{kCardSquare, kHintSquare};

// Shown when the card background cannot be had.
constexpr std::uint32_t kFallbackCardColor = 0xF0E8D8;

struct CardPiece {
    const PieceClass* piece;
    const ShapeMasks* masks;
    // From this many hints on the piece shows through its hint mask.
    std::int32_t hintNumber;
};

// A dark-red picture of the mask's size that shows through the mask.
platform::PicturePtr RedThrough(const platform::PicturePtr& mask)
{
    auto red = std::make_shared<platform::Picture>(mask->Width(), mask->Height(), 32);
    platform::Graphics& g = red->Graphics();
    g.SetForeColor(PuzzleCardClass::kFigureColor);
    g.FillRect(0, 0, red->Width(), red->Height());
    red->Mask()->Graphics().DrawPicture(mask.get(), 0, 0);
    return red;
}

} // namespace

PuzzleCardClass::PuzzleCardClass(QWidget* parent)
    : BufferedCanvasClass(parent)
{
}

PuzzleCardClass::~PuzzleCardClass() = default;

void PuzzleCardClass::Event_Paint(platform::Graphics& /*g*/)
{
    DrawPuzzleToCard();
}

void PuzzleCardClass::Event_Open()
{
    InitializeBuffer();
}

void PuzzleCardClass::DrawPuzzleToCard()
{
    const platform::PicturePtr background = puzzlecard();
    if (background) {
        DrawPicture(background, 0, 0);
    } else {
        SetBackgroundColor(kFallbackCardColor);
        EraseRect(0, 0, Width(), Height());
    }
    if (gPuzzle && gPuzzle->mPuzzleNumber != 0 && gPuzzle->mSolutionGrid) {
        DrawFigure(*gPuzzle);
    }
    FlipBuffer();
}

void PuzzleCardClass::DrawFigure(const PuzzleClass& puzzle)
{
    const SolutionGridClass& grid = *puzzle.mSolutionGrid;
    // The trimmed figure is centred; the pieces count from the untrimmed
    // grid's corner, which lies the trimmed cells further up and left.
    const auto offX = static_cast<std::int32_t>(
        Width() / 2.0 - grid.GetWidth() - kCardPixelsPerCell * grid.mNumTrimmedLeft);
    const auto offY = static_cast<std::int32_t>(
        Height() / 2.0 - grid.GetHeight() - kCardPixelsPerCell * grid.mNumTrimmedTop);

    const std::array<CardPiece, 7> order{{
        {puzzle.mPieceSmallTriangle1.get(), &kSmallMasks, 6},
        {puzzle.mPieceSmallTriangle2.get(), &kSmallMasks, 7},
        {puzzle.mPieceMediumTriangle.get(), &kMediumMasks, 4},
        {puzzle.mPieceLargeTriangle1.get(), &kLargeMasks, 1},
        {puzzle.mPieceLargeTriangle2.get(), &kLargeMasks, 2},
        {puzzle.mPieceSquare.get(), &kSquareMasks, 3},
        {puzzle.mPieceRhombus.get(), &kRhombusMasks, 5},
    }};
    for (const CardPiece& entry : order) {
        if (entry.piece == nullptr) {
            continue;
        }
        const std::span<const MaskAccessor> masks =
            puzzle.mHintCount >= entry.hintNumber ? entry.masks->hint : entry.masks->card;
        const std::int32_t orientation = entry.piece->mOrientation;
        // A piece without a mask for its orientation is left off the card
        // rather than stopping the draw.
        if (orientation < 1 || static_cast<std::size_t>(orientation) > masks.size()) {
            continue;
        }
        const platform::PicturePtr mask = masks[static_cast<std::size_t>(orientation - 1)]();
        if (!mask) {
            continue;
        }
        const auto x = static_cast<std::int32_t>(entry.piece->mPosX / double{kScale} + offX);
        const auto y = static_cast<std::int32_t>(entry.piece->mPosY / double{kScale} + offY);
        DrawPicture(RedThrough(mask), x, y);
    }
}
