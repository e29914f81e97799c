#include "CatalogueEntries.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"

#include <QList>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <tuple>
#include <vector>

// These tests read the art that the build bundles into the game.
namespace {

constexpr int kCell = 10;
constexpr int kCardScale = 5;
constexpr int kWhite = 255;
// How light most of a hinted piece's inside must be.
constexpr int kHintLightAtLeast = 107;

// The grey a piece mask must have at pixel (mx, my) of a cell with this code,
// as the hit test decides it: black on the covered part, white elsewhere, or
// -1 on a half cell's cut, where the edge may be softened with any grey.
int MaskGrey(std::int32_t code, int mx, int my)
{
    if (code < 1 || code > 4) {
        return code == 5 ? 0 : kWhite;
    }
    // Codes 1 and 4 are cut from the cell's top-right to its bottom-left
    // corner, 2 and 3 from its top-left to its bottom-right; 1 and 2 cover
    // the side where side < 0 (the top), 3 and 4 the other.
    const int side = code == 1 || code == 4 ? mx + my - (kCell - 1) : my - mx;
    return side == 0 ? -1 : ((side < 0) == (code == 1 || code == 2) ? 0 : kWhite);
}

// Piece masks are black exactly on the covered part of each cell (any grey
// on the cut itself); card and hint masks show the piece at 1/5 in place,
// the card masks with hard edges: black on every card pixel that the piece
// covers any part of, so that pieces meeting along a cut leave no seam.
TEST(ArtContractTest, PieceCardAndHintMasksFollowTheCellPatterns)
{
    for (int s = 0; s <= static_cast<int>(PieceShape::Square); ++s) {
        const auto shape = static_cast<PieceShape>(s);
        for (int orientation = 1; orientation <= OrientationCount(shape); ++orientation) {
            const QString stem = ShapeStem(shape) + QString::number(orientation);
            SCOPED_TRACE(stem.toStdString());
            const auto [piece, mask, card, hint] = std::array{PictureNamed(stem), PictureNamed(stem + "mask"),
                                                              PictureNamed("card" + stem + "mask"),
                                                              PictureNamed("hint" + stem + "mask")};
            ASSERT_TRUE(piece && mask && card && hint);
            const QSize size(PatternSize(shape) * kCell, PatternSize(shape) * kCell);
            const QSize cardSize = size / kCardScale;
            ASSERT_EQ(QList<QSize>({piece->Image().size(), mask->Image().size(), card->Image().size(),
                                    hint->Image().size()}),
                      QList<QSize>({size, size, cardSize, cardSize}));

            const auto pattern = MakeCellPattern(shape, orientation);
            // Black and non-white mask pixels under each card pixel.
            std::vector<std::pair<int, int>> under(cardSize.width() * cardSize.height());
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const int grey = qRed(mask->Image().pixel(x, y));
                    const int expected = MaskGrey(pattern->GetCell(x / kCell, y / kCell), x % kCell, y % kCell);
                    ASSERT_TRUE(expected < 0 || grey == expected) << "pixel " << x << "," << y << " is " << grey;
                    // The piece picture carries the same mask once loaded.
                    ASSERT_EQ(qRed(piece->Mask()->Image().pixel(x, y)), grey) << x << "," << y;
                    auto& [black, touched] = under[y / kCardScale * cardSize.width() + x / kCardScale];
                    black += grey == 0;
                    touched += grey != kWhite;
                }
            }

            // The card is black wherever the piece reaches, clear elsewhere,
            // and the hint mask leaves the same pixels clear.
            int solid = 0;
            int lightened = 0;
            for (int cy = 0; cy < cardSize.height(); ++cy) {
                for (int cx = 0; cx < cardSize.width(); ++cx) {
                    const auto [black, touched] = under[cy * cardSize.width() + cx];
                    const int c = qRed(card->Image().pixel(cx, cy));
                    const int h = qRed(hint->Image().pixel(cx, cy));
                    ASSERT_EQ(c, touched > 0 ? 0 : kWhite) << cx << "," << cy;
                    ASSERT_EQ(c == kWhite, h == kWhite) << cx << "," << cy;
                    solid += black == kCardScale * kCardScale;
                    lightened += black == kCardScale * kCardScale && h >= kHintLightAtLeast;
                }
            }
            // A hinted piece reads differently from the rest of the figure:
            // most of its inside is lighter, with a dark edge left around it.
            EXPECT_GT(lightened, solid / 3);
            EXPECT_LT(lightened, solid);
        }
    }
}

TEST(ArtContractTest, PicturesFitWhereTheWindowShowsThemAndButtonsSitSeamlessly)
{
    // Each button's three looks share one canvas, and so do each tab's; the
    // three tabs fill the sidebar's 200 pixels.
    const std::pair<QSize, const char*> kSizes[] = {
        {{275, 360}, "about"},
        {{800, 650}, "tablebackground"},
        {{200, 298}, "sidebartopbackground"},
        {{160, 160}, "puzzlecard"},
        {{200, 302}, "playtabbackground statstabbackground helptabbackground playtabresetbackground"},
        {{200, 110}, "newpuzzle newpuzzlehilite newpuzzlepressed gethint gethinthilite gethintpressed "
                     "quit quithilite quitpressed"},
        {{67, 50}, "sidebartab1 sidebartab1deselected sidebartab1hilite "
                   "sidebartab3 sidebartab3deselected sidebartab3hilite"},
        {{66, 50}, "sidebartab2 sidebartab2deselected sidebartab2hilite"},
    };
    for (const auto& [size, names] : kSizes) {
        for (const QString& name : QString::fromLatin1(names).split(' ')) {
            const auto picture = PictureNamed(name);
            ASSERT_EQ(picture ? picture->Image().size() : QSize(), size) << qPrintable(name);
        }
    }
    // The two win notes share one outline; the overlap note hangs at x = 522
    // on the 800-pixel table and must end on it.
    for (const auto& [note, mask] : {std::pair{winnote(), winnotemask()}, std::pair{completenote(), winnotemask()},
                                     std::pair{overlapnote(), overlapnotemask()}}) {
        ASSERT_TRUE(note && mask);
        EXPECT_EQ(note->Image().size(), mask->Image().size());
    }
    EXPECT_LE(130 + winnote()->Height(), 650);
    EXPECT_LE(522 + overlapnote()->Width(), 800);

    // Buttons lie over their page's backdrop: their corners must match it, or
    // the canvas would show a seam. Pressed, a button looks different.
    for (const auto& [button, page, top] : {std::tuple{"newpuzzle", "playtabbackground", 21},
                                            std::tuple{"gethint", "playtabbackground", 134},
                                            std::tuple{"quit", "playtabresetbackground", 133}}) {
        for (const char* look : {"", "hilite", "pressed"}) {
            const auto art = PictureNamed(QLatin1String(button) + QLatin1String(look));
            for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 109), QPoint(199, 109)}) {
                EXPECT_EQ(art->Image().pixel(corner), PictureNamed(page)->Image().pixel(corner + QPoint(0, top)))
                    << button << look;
            }
        }
        EXPECT_NE(PictureNamed(button)->Image(), PictureNamed(QLatin1String(button) + "pressed")->Image());
    }
}

// The Stats page gets ten figures written at x = 123 on these baselines: each
// row has its label to the left, standing on the same baseline (no label
// reaches below it), and nothing where the figure goes. The About window
// writes light text from y = 295 down: the art stays dark there.
TEST(ArtContractTest, BackdropsLeaveRoomForTheTextWrittenOverThem)
{
    const auto stats = statstabbackground();
    const auto backdrop = about();
    ASSERT_TRUE(stats && backdrop);
    const QImage& image = stats->Image();
    constexpr int kFigureX = 123;
    constexpr int kFigureEnd = 170;
    constexpr int kTextHeight = 10;
    constexpr int kBelow = 6; // rows under a baseline that are still its row's
    constexpr int kInkDifference = 60;
    for (int baseline : {68, 93, 111, 129, 147, 165, 183, 201, 219, 243}) {
        int lowestInk = -1;
        for (int y = baseline - kTextHeight; y <= baseline + kBelow; ++y) {
            const int paper = qGray(image.pixel(kFigureEnd, y));
            for (int x = kFigureX - 60; x < kFigureX; ++x) {
                lowestInk = paper - qGray(image.pixel(x, y)) > kInkDifference ? y : lowestInk;
            }
            for (int x = kFigureX; x < kFigureEnd && y <= baseline; ++x) {
                EXPECT_LT(std::abs(qGray(image.pixel(x, y)) - paper), 16)
                    << "something drawn where the figure on baseline " << baseline << " goes";
            }
        }
        // Letters end in the row just above their baseline, or (smoothed) on it.
        EXPECT_TRUE(lowestInk == baseline - 1 || lowestInk == baseline)
            << "the label's foot is at " << lowestInk << ", its baseline " << baseline;
    }

    constexpr int kBandTop = 295;
    constexpr int kDarkEnough = 90;
    long long sum = 0;
    for (int y = kBandTop; y < backdrop->Height(); ++y) {
        for (int x = 0; x < backdrop->Width(); ++x) {
            sum += qGray(backdrop->Image().pixel(x, y));
        }
    }
    EXPECT_LT(sum / (backdrop->Width() * (backdrop->Height() - kBandTop)), kDarkEnough);

    // The licence viewer bolds runs that come in pairs, each opened before it is closed.
    const QString licence = kolmira_license();
    EXPECT_EQ(licence.count(QStringLiteral("<b>")), licence.count(QStringLiteral("</b>")));
    EXPECT_FALSE(licence.contains(QRegularExpression(QStringLiteral("<b>[^<]*<b>"))));
}

} // namespace
