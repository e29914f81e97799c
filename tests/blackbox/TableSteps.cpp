#include "tests/blackbox/TableSteps.h"

#include "tests/blackbox/ShapeRule.h"
#include "tests/blackbox/XServer.h"

#include "model/PieceClass.h"
#include "platform/NilObjectException.h"
#include "resources/PictureCatalogue.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The side of a cell of the grid that drops snap to.
constexpr int kCell = 10;
// Where the table lays its notes: the overlap note's corner, and the top of
// the win note, which is centred across the table.
constexpr QPoint kOverlapNoteAt{522, 0};
constexpr int kWinNoteTop = 130;
// A pointer this far from the press point on both axes makes no drag.
constexpr int kClickSlack = 1;
// How far past its place on the grid a drop is let go: less than half a
// cell, so that the snap takes the piece back, and the release shows.
constexpr int kOffGrid = 3;

QSize SizeOf(const platform::PicturePtr& picture)
{
    return {platform::Deref(picture).Width(), picture->Height()};
}

} // namespace

QPoint TableSteps::Snapped(QPoint p)
{
    const auto nearest = [](int v) { return kCell * static_cast<int>(std::lround(v / double(kCell))); };
    return {nearest(p.x()), nearest(p.y())};
}

PieceLook TableSteps::Look(const PieceClass& shape, int orientation, QPoint place) const
{
    const QSize win = SizeOf(winnote());
    // Whichever way the win note's half pixel goes, a pixel each side.
    const int winLeft = mTable.width() / 2 - win.width() / 2;
    const std::vector<QRect> notes{QRect(OnScreen(kOverlapNoteAt), SizeOf(overlapnote())),
                                   QRect(OnScreen({winLeft, kWinNoteTop}), win).adjusted(-1, 0, 1, 0)};
    return PieceLook(platform::Deref(ShapeRule::Of(shape).picture(orientation)), OnScreen(place), mTable, notes);
}

bool TableSteps::Shows(const PieceLook& look) const
{
    return look.IsShownIn(mX.Grab(look.Area()));
}

void TableSteps::Act(const std::function<void()>& input, const PieceLook& effect, const std::string& step) const
{
    ASSERT_FALSE(Shows(effect)) << step << ": shown before its input was sent";
    input();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(effect); }, kWaitMs)) << step << ": never shown";
}

void TableSteps::Replay(const Stroke& stroke, int number) const
{
    const auto& input = stroke.input;
    const auto press = std::find_if(input.begin(), input.end(),
                                    [](const auto& e) { return e.first == QEvent::MouseButtonPress; });
    ASSERT_TRUE(stroke.piece != nullptr && press != input.end() && input.back().first == QEvent::MouseButtonRelease)
        << "stroke " << number << " takes no piece";
    const PieceClass& piece = *stroke.piece;
    const ShapeRule& shape = ShapeRule::Of(piece);
    const QPoint pressAt = press->second;
    const auto send = [&](auto from, auto to) {
        for (auto e = from; e != to; ++e) {
            mX.Mouse(e->first, OnScreen(e->second));
        }
    };
    const auto step = [&](const char* effect, int orientation, QPoint place) {
        return QStringLiteral("stroke %1, the %2 at (%3, %4), %5 orientation %6 at (%7, %8)")
            .arg(number)
            .arg(shape.name)
            .arg(stroke.place.x())
            .arg(stroke.place.y())
            .arg(effect)
            .arg(orientation)
            .arg(place.x())
            .arg(place.y())
            .toStdString();
    };
    const auto far = [&](const auto& e) {
        const QPoint d = e.second - pressAt;
        return std::abs(d.x()) > kClickSlack || std::abs(d.y()) > kClickSlack;
    };
    if (std::none_of(press, input.end(), far)) {
        const int turned = shape.Clockwise(stroke.orientation);
        ASSERT_NO_FATAL_FAILURE(Act([&] { send(input.begin(), input.end()); }, Look(piece, turned, stroke.place),
                                    step("turned to", turned, stroke.place)));
        return;
    }
    // The pressed point of the piece stays under the pointer. The drop is
    // let go off the grid toward the table's middle, far from where a drag
    // stops at an edge.
    const QPoint letGo = input.back().second;
    const QPoint reached = stroke.place + letGo - pressAt;
    const QPoint middle = reached + QPoint(piece.mWidth, piece.mHeight) / 2;
    const QPoint off(middle.x() < mTable.width() / 2 ? kOffGrid : -kOffGrid,
                     middle.y() < mTable.height() / 2 ? kOffGrid : -kOffGrid);
    const QPoint dragged = reached + off, dropped = Snapped(dragged);
    ASSERT_NO_FATAL_FAILURE(Act(
        [&] {
            send(input.begin(), input.end() - 1);
            mX.Mouse(QEvent::MouseMove, OnScreen(letGo + off));
        },
        Look(piece, stroke.orientation, dragged), step("dragged in", stroke.orientation, dragged)));
    ASSERT_NO_FATAL_FAILURE(Act([&] { mX.Mouse(QEvent::MouseButtonRelease, OnScreen(letGo + off)); },
                                Look(piece, stroke.orientation, dropped),
                                step("dropped in", stroke.orientation, dropped)));
}
