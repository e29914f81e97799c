#include "CatalogueEntries.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "platform/ResourceFork.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

// These tests read the art that the build bundles into the game.
namespace {

constexpr int kCell = 10;
constexpr int kCardScale = 5;
constexpr int kWhite = 255;
// A card pixel counts as dark or light with this much room for smoothing.
constexpr int kDarkAtMost = 40;
constexpr int kLightAtLeast = 215;

constexpr std::array<PieceShape, 5> kShapes = {PieceShape::LargeTriangle, PieceShape::MediumTriangle,
                                               PieceShape::Rhombus, PieceShape::SmallTriangle, PieceShape::Square};

int Grey(const platform::PicturePtr& picture, int x, int y)
{
    return qRed(picture->Image().pixel(x, y));
}

// Whether pixel (mx, my) of a cell belongs to the cell's covered part, as
// the hit test decides it, and whether it lies on the cut itself.
bool Covered(std::int32_t code, int mx, int my)
{
    switch (code) {
    case 5: return true;
    case 1: return mx + my <= kCell - 1;
    case 2: return my <= mx;
    case 3: return my > mx;
    case 4: return mx + my >= kCell;
    default: return false;
    }
}

bool OnCut(std::int32_t code, int mx, int my)
{
    return ((code == 1 || code == 4) && mx + my == kCell - 1) || ((code == 2 || code == 3) && mx == my);
}

QString Name(const char* prefix, PieceShape shape, int orientation, const char* suffix)
{
    return QLatin1String(prefix) + ShapeStem(shape) + QString::number(orientation)
           + QLatin1String(suffix);
}

class ArtContractTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetAppResourceFork(nullptr);
        ResetPictureCatalogue();
    }
    void TearDown() override { ResetPictureCatalogue(); }
};

TEST_F(ArtContractTest, EveryPictureAndTheLicenceAreBuiltIn)
{
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        const auto picture = entry.accessor();
        ASSERT_TRUE(picture) << entry.name;
        EXPECT_GT(picture->Width(), 0) << entry.name;
    }
    const QString licence = kolmira_license();
    EXPECT_FALSE(licence.trimmed().isEmpty());
    // Bold runs come in pairs, each opened before it is closed.
    const auto opens = licence.count(QStringLiteral("<b>"));
    EXPECT_GT(opens, 0);
    EXPECT_EQ(opens, licence.count(QStringLiteral("</b>")));
    EXPECT_FALSE(licence.contains(QRegularExpression(QStringLiteral("<b>[^<]*<b>"))));
}

// Piece masks are black exactly on the covered part of each cell (any grey
// on the cut itself); card and hint masks show the piece at 1/5 in place.
TEST_F(ArtContractTest, PieceCardAndHintMasksFollowTheCellPatterns)
{
    for (PieceShape shape : kShapes) {
        for (int orientation = 1; orientation <= OrientationCount(shape); ++orientation) {
            const QString name = Name("", shape, orientation, "mask");
            const auto mask = PictureNamed(name);
            const auto piece = PictureNamed(Name("", shape, orientation, ""));
            const auto card = PictureNamed(Name("card", shape, orientation, "mask"));
            const auto hint = PictureNamed(Name("hint", shape, orientation, "mask"));
            ASSERT_TRUE(mask && piece && card && hint) << qPrintable(name);
            const int side = PatternSize(shape) * kCell;
            ASSERT_EQ(mask->Image().size(), QSize(side, side)) << qPrintable(name);
            ASSERT_EQ(piece->Image().size(), QSize(side, side)) << qPrintable(name);
            const QSize cardSize(side / kCardScale, side / kCardScale);
            ASSERT_EQ(card->Image().size(), cardSize) << qPrintable(name);
            ASSERT_EQ(hint->Image().size(), cardSize) << qPrintable(name);

            const auto pattern = MakeCellPattern(shape, orientation);
            int wrong = 0;
            int unlikeItsPicture = 0;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const std::int32_t code = pattern->GetCell(x / kCell, y / kCell);
                    const int mx = x % kCell;
                    const int my = y % kCell;
                    const int grey = Grey(mask, x, y);
                    // The piece picture carries the same mask once loaded.
                    unlikeItsPicture += qRed(piece->Mask()->Image().pixel(x, y)) != grey;
                    if (OnCut(code, mx, my)) {
                        continue;
                    }
                    const int expected = Covered(code, mx, my) ? 0 : kWhite;
                    if (grey != expected && wrong++ == 0) {
                        ADD_FAILURE() << qPrintable(name) << " pixel " << x << "," << y
                                      << " is " << grey << ", cell code " << code;
                    }
                }
            }
            EXPECT_EQ(wrong, 0) << qPrintable(name);
            EXPECT_EQ(unlikeItsPicture, 0) << qPrintable(name);

            int solid = 0;
            int lightened = 0;
            for (int cy = 0; cy < cardSize.height(); ++cy) {
                for (int cx = 0; cx < cardSize.width(); ++cx) {
                    int shown = 0;
                    for (int dy = 0; dy < kCardScale; ++dy) {
                        for (int dx = 0; dx < kCardScale; ++dx) {
                            shown += Grey(mask, cx * kCardScale + dx, cy * kCardScale + dy) == 0;
                        }
                    }
                    const int c = Grey(card, cx, cy);
                    const int h = Grey(hint, cx, cy);
                    if (shown == kCardScale * kCardScale) {
                        wrong += c > kDarkAtMost;
                        ++solid;
                        lightened += h >= kLightAtLeast / 2;
                    }
                    // Outside the piece the card stays clear.
                    if (shown == 0) {
                        wrong += c < kLightAtLeast;
                    }
                    wrong += (c == kWhite) != (h == kWhite);
                }
            }
            EXPECT_EQ(wrong, 0) << "card " << qPrintable(name);
            // A hinted piece reads differently from the rest of the figure:
            // most of its inside is lighter, with a dark edge left around it.
            EXPECT_GT(lightened, solid / 3) << qPrintable(name);
            EXPECT_LT(lightened, solid) << qPrintable(name);
        }
    }
}

TEST_F(ArtContractTest, PicturesFitWhereTheWindowShowsThem)
{
    struct Size {
        QString name;
        int width;
        int height;
    };
    std::vector<Size> sizes = {{"about", 275, 360}, {"tablebackground", 800, 650},
                               {"sidebartopbackground", 200, 298}, {"puzzlecard", 160, 160}};
    for (const char* page : {"playtabbackground", "statstabbackground", "helptabbackground",
                             "playtabresetbackground"}) {
        sizes.push_back({QLatin1String(page), 200, 302});
    }
    // Each button's three looks share one canvas.
    for (const char* button : {"newpuzzle", "gethint", "quit"}) {
        for (const char* look : {"", "hilite", "pressed"}) {
            sizes.push_back({QLatin1String(button) + QLatin1String(look), 200, 110});
        }
    }
    const std::array<int, 3> tabWidths = {67, 66, 67};
    for (int tab = 1; tab <= 3; ++tab) {
        for (const char* look : {"", "deselected", "hilite"}) {
            sizes.push_back({QStringLiteral("sidebartab%1%2").arg(tab).arg(QLatin1String(look)), tabWidths[tab - 1], 50});
        }
    }
    for (const Size& size : sizes) {
        const auto picture = PictureNamed(size.name);
        ASSERT_TRUE(picture) << qPrintable(size.name);
        EXPECT_EQ(picture->Image().size(), QSize(size.width, size.height)) << qPrintable(size.name);
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
}

// Buttons lie over their page's backdrop: their corners must match it, or
// the canvas would show a seam.
TEST_F(ArtContractTest, ButtonsSitSeamlesslyOnTheirPages)
{
    struct Place {
        const char* button;
        const char* page;
        int top;
    };
    for (const Place& place : {Place{"newpuzzle", "playtabbackground", 21},
                               Place{"gethint", "playtabbackground", 134},
                               Place{"quit", "playtabresetbackground", 133}}) {
        const auto page = PictureNamed(QLatin1String(place.page));
        for (const char* look : {"", "hilite", "pressed"}) {
            const auto button = PictureNamed(QLatin1String(place.button) + QLatin1String(look));
            ASSERT_TRUE(page && button);
            for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 109), QPoint(199, 109)}) {
                EXPECT_EQ(button->Image().pixel(corner),
                          page->Image().pixel(corner + QPoint(0, place.top)))
                    << place.button << look;
            }
        }
        EXPECT_NE(PictureNamed(QLatin1String(place.button))->Image(),
                  PictureNamed(QLatin1String(place.button) + QLatin1String("pressed"))->Image());
    }
}

// The window writes ten figures at x = 123 on these baselines: each row has
// its label to the left and nothing where the figure goes.
TEST_F(ArtContractTest, StatsBackdropLabelsEveryFigureAndLeavesRoomForIt)
{
    const auto stats = statstabbackground();
    ASSERT_TRUE(stats);
    const QImage& image = stats->Image();
    constexpr int kFigureX = 123;
    constexpr int kFigureEnd = 170;
    constexpr int kTextHeight = 10;
    constexpr int kInkDifference = 60;
    for (int baseline : {68, 93, 111, 129, 147, 165, 183, 201, 219, 243}) {
        bool labelled = false;
        for (int y = baseline - kTextHeight; y <= baseline; ++y) {
            const int paper = qGray(image.pixel(kFigureEnd, y));
            for (int x = kFigureX - 60; x < kFigureX; ++x) {
                labelled = labelled || paper - qGray(image.pixel(x, y)) > kInkDifference;
            }
            for (int x = kFigureX; x < kFigureEnd; ++x) {
                EXPECT_LT(std::abs(qGray(image.pixel(x, y)) - paper), 16)
                    << "something drawn where the figure on baseline " << baseline << " goes";
            }
        }
        EXPECT_TRUE(labelled) << "no label on baseline " << baseline;
    }
}

// The About window writes light text from y = 295 down: the art stays dark there.
TEST_F(ArtContractTest, AboutLeavesADarkBandForTheTextLines)
{
    const auto picture = about();
    ASSERT_TRUE(picture);
    constexpr int kBandTop = 295;
    constexpr int kDarkEnough = 90;
    long long sum = 0;
    for (int y = kBandTop; y < picture->Height(); ++y) {
        for (int x = 0; x < picture->Width(); ++x) {
            sum += qGray(picture->Image().pixel(x, y));
        }
    }
    EXPECT_LT(sum / (picture->Width() * (picture->Height() - kBandTop)), kDarkEnough);
}

} // namespace
