#pragma once

// A player's steps on the real game's table, sent as X input and each
// awaited where it acts: a step is over when the pixels of the piece it
// acted on show the state the game's rules give that step, never at some
// other change of the window. The window manager holds a click on a window
// for a moment before it passes it on, and the X server drops a press sent
// meanwhile; a repaint of another step, or elsewhere on the table, would
// let the next press go too early.

#include "tests/blackbox/PieceLook.h"

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class PieceClass;
class XServer;

class TableSteps {
public:
    // One press of a solve in the test's own game: the pointer's moves
    // before it, the press and what follows up to its release (table
    // coordinates), and the piece under the press as the press found it.
    struct Stroke {
        std::vector<std::pair<QEvent::Type, QPoint>> input;
        const PieceClass* piece = nullptr;
        int orientation = 0;
        QPoint place;
    };

    // Generous for a loaded machine; a passing wait ends as soon as the game is there.
    static constexpr int kWaitMs = 20000;

    // Steps on the display's table, which lies where `table` says (on the
    // screen) whenever a step is taken.
    TableSteps(XServer& x, const QRect& table) : mX(x), mTable(table) {}

    QPoint OnScreen(QPoint onTable) const { return mTable.topLeft() + onTable; }
    // The nearest point of the 10-pixel grid, where a drop lands.
    static QPoint Snapped(QPoint p);

    // What the table shows of a piece of that shape in that orientation,
    // its picture's corner at the table point, where no note may lie over it.
    PieceLook Look(const PieceClass& shape, int orientation, QPoint place) const;
    bool Shows(const PieceLook& look) const;

    // Sends a step's input, then waits until the table shows the effect; the
    // effect must not be on the screen before, or its coming would prove
    // nothing. A failure names the step.
    void Act(const std::function<void()>& input, const PieceLook& effect, const std::string& step) const;
    // Sends a stroke of a solve and waits for each of its effects: a click's
    // turn of the piece in place; a drag's piece under the pointer, then its
    // drop onto the grid.
    void Replay(const Stroke& stroke, int number) const;

private:
    XServer& mX;
    const QRect& mTable;
};
