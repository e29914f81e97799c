#include "tests/support/MousePlayer.h"
#include "tests/support/CardLook.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "table/PuzzleCardClass.h"

#include <set>

namespace {

using CardLook::kCentre;
using CardLook::kFigureRed;
using CardLook::kPixelsPerCell;
constexpr int kBuiltInPuzzles = 30;
// One card pixel stands for 5 x 5 table pixels, a quarter of a cell.
constexpr int kTablePixelsPerCardPixel = 5;
constexpr int kMostHints = 7;

// The pieces in the order the hints reveal them: their store columns and shapes.
struct Hinted {
    const char* column;
    PieceShape shape;
};
constexpr Hinted kHintOrder[] = {{"LargeTriangle1", PieceShape::LargeTriangle},
                                 {"LargeTriangle2", PieceShape::LargeTriangle},
                                 {"Square", PieceShape::Square},
                                 {"MediumTriangle", PieceShape::MediumTriangle},
                                 {"Rhombus", PieceShape::Rhombus},
                                 {"SmallTriangle1", PieceShape::SmallTriangle},
                                 {"SmallTriangle2", PieceShape::SmallTriangle}};

using CardPixels = std::set<std::pair<int, int>>;

// The card pixels a piece reaches at all, at the card pixel `at`: two per
// cell each way, a full cell all four, a half cell all but the quarter in
// the corner it leaves empty.
CardPixels Footprint(PieceShape shape, int orientation, QPoint at)
{
    // The empty quarter of codes 1 to 4 (top-left, top-right, bottom-left and bottom-right halves).
    constexpr std::pair<int, int> kEmptyQuarter[] = {{1, 1}, {0, 1}, {1, 0}, {0, 0}};
    const auto pattern = MakeCellPattern(shape, orientation);
    CardPixels pixels;
    for (int cy = 0; cy < pattern->GetHeight(); ++cy) {
        for (int cx = 0; cx < pattern->GetWidth(); ++cx) {
            const int code = pattern->GetCell(cx, cy);
            for (int q = 0; code != SolutionGridClass::kEmpty && q < 4; ++q) {
                const std::pair<int, int> quarter{q % 2, q / 2};
                if (code == SolutionGridClass::kFull || quarter != kEmptyQuarter[code - 1]) {
                    pixels.emplace(at.x() + 2 * cx + quarter.first, at.y() + 2 * cy + quarter.second);
                }
            }
        }
    }
    return pixels;
}

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
    for (int number = 1; number <= kBuiltInPuzzles; ++number) {
        Puzzle().LoadFromDatabase(number);
        Card().DrawPuzzleToCard();
        const SolutionGridClass& grid = *Puzzle().mSolutionGrid;
        const QImage& card = Card().Buffer()->Image();
        // Two card pixels per cell of the trimmed grid, around the centre.
        const QPoint corner(kCentre - grid.GetWidth(), kCentre - grid.GetHeight());
        EXPECT_EQ(Difference(puzzlecard()->Image(), card),
                  QRect(corner, QSize(kPixelsPerCell * grid.GetWidth(), kPixelsPerCell * grid.GetHeight())))
            << "puzzle " << number;
        // Whole cells all red, empty ones the card's own: no seam, nothing else.
        EXPECT_EQ(CardLook::WrongPixels(card, number), 0) << "puzzle " << number;
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
        const QImage& outlined = Table().Buffer()->Image();
        const QRect shown = Difference(bare, outlined);
        // A pointed figure's outermost cells may show little of it.
        EXPECT_TRUE(box.contains(shown) && shown.contains(box.adjusted(kCell / 2, kCell / 2, -kCell / 2, -kCell / 2)))
            << "puzzle " << number;
        // The outline is a shadow: it never lightens the table.
        int lighter = 0;
        for (int y = shown.top(); y <= shown.bottom(); ++y) {
            for (int x = shown.left(); x <= shown.right(); ++x) {
                lighter += qGray(outlined.pixel(x, y)) > qGray(bare.pixel(x, y));
            }
        }
        EXPECT_EQ(lighter, 0) << "puzzle " << number;
    }

    // Each Get Hint shows its piece of puzzle 4 (as the store holds it) in
    // its own place: a dark-red outline all round it, and lighter inside.
    Puzzle().LoadFromDatabase(4);
    Card().DrawPuzzleToCard();
    const platform::RecordSetPtr row = StoreDb().SQLSelect(QStringLiteral("SELECT * FROM Puzzles WHERE Number = 4"));
    const auto value = [&](const char* column, const char* field) {
        return row->Field(QLatin1String(column) + QLatin1String(field)).Value().IntegerValue();
    };
    std::vector<CardPixels> pieces; // in hint order, before the figure is centred
    QRect figure;
    for (const Hinted& h : kHintOrder) {
        const QPoint at = QPoint(value(h.column, "_PosX"), value(h.column, "_PosY")) / kTablePixelsPerCardPixel;
        pieces.push_back(Footprint(h.shape, value(h.column, "_Orientation"), at));
        for (const auto& [x, y] : pieces.back()) {
            figure |= QRect(x, y, 1, 1);
        }
    }
    const QPoint shift = QPoint(kCentre, kCentre) - figure.topLeft()
                         - QPoint(figure.width() / 2, figure.height() / 2);
    ClickCanvas("SidebarPanel2PlayButtonCanvas"); // from the first run's Help page
    QImage before = Card().Surface().copy();
    for (int hint = 1; hint <= kMostHints; ++hint) {
        ClickCanvas("GetHintButtonCanvas");
        const QImage& after = Card().Surface();
        QRect place;
        int edges = 0;
        int wrong = 0;
        for (const auto& [x, y] : pieces[hint - 1]) {
            const QPoint p = QPoint(x, y) + shift;
            place |= QRect(p, QSize(1, 1));
            bool edge = false;
            for (int n = 0; n < 9; ++n) {
                edge = edge || !pieces[hint - 1].count({x + n % 3 - 1, y + n / 3 - 1});
            }
            edges += edge;
            wrong += edge != ((after.pixel(p) & RGB_MASK) == kFigureRed);
        }
        EXPECT_TRUE(place.contains(Difference(before, after)) && after != before) << "hint " << hint;
        EXPECT_EQ(wrong, 0) << "hint " << hint << ": of " << pieces[hint - 1].size() << " pixels, " << edges
                            << " on the outline";
        before = after.copy();
    }
    // Past seven nothing more shows.
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Card().Surface(), before);
}
