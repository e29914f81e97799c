#pragma once

// A player with a mouse on a running game: clicks table pieces round and
// drags them into the current puzzle's figure at a corner of the caller's
// choosing.

#include "tests/support/GameSession.h"

#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

class MousePlayer : public GameSession {
protected:
    static constexpr int kCell = 10;
    static constexpr int kSearchStep = 3;
    static constexpr int kMaxTurns = 8;

    // Table pieces paired with the puzzle's own, in the order they are placed.
    std::vector<std::pair<PieceClass*, PieceClass*>> PiecePairs() const
    {
        TableClass& t = Table();
        PuzzleClass& p = Puzzle();
        return {{t.mPieceLargeTriangle1.get(), p.mPieceLargeTriangle1.get()},
                {t.mPieceLargeTriangle2.get(), p.mPieceLargeTriangle2.get()},
                {t.mPieceMediumTriangle.get(), p.mPieceMediumTriangle.get()},
                {t.mPieceSmallTriangle1.get(), p.mPieceSmallTriangle1.get()},
                {t.mPieceSmallTriangle2.get(), p.mPieceSmallTriangle2.get()},
                {t.mPieceRhombus.get(), p.mPieceRhombus.get()}, {t.mPieceSquare.get(), p.mPieceSquare.get()}};
    }

    // The topmost piece at a table point, if any.
    PieceClass* TopAt(int x, int y) const
    {
        const auto& order = Table().mPieceZOrder;
        const auto top
            = std::find_if(order.rbegin(), order.rend(), [&](const auto& p) { return p->IsPointInside(x, y); });
        return top == order.rend() ? nullptr : top->get();
    }

    // The first point of the piece's shape on the table where it is on top.
    std::optional<QPoint> HitPoint(const PieceClass& piece) const
    {
        const QRect box = QRect(piece.mPosX + 1, piece.mPosY + 1, piece.mWidth - 1, piece.mHeight - 1)
                          & QRect(0, 0, Table().Width(), Table().Height());
        for (int y = box.top(); y <= box.bottom(); y += kSearchStep) {
            for (int x = box.left(); x <= box.right(); x += kSearchStep) {
                if (TopAt(x, y) == &piece) {
                    return QPoint(x, y);
                }
            }
        }
        return std::nullopt;
    }

    void Click(QPoint p) { WindowInput::Click(Table(), p); }

    void Drag(QPoint from, QPoint to)
    {
        WindowInput::Press(Table(), from);
        WindowInput::Move(Table(), (from + to) / 2);
        WindowInput::Move(Table(), to);
        WindowInput::Release(Table(), to);
    }

    // The figure's corner in the middle of the table, on the cell grid, or
    // as near to it as every piece can be dropped (a tall figure's pieces
    // would otherwise hang further past an edge than a drag lets them).
    QPoint CentredCorner() const
    {
        const QRect r = ReachableCorners();
        return {std::clamp(Snap((Table().Width() - Puzzle().mPixelWidth) / 2), r.left(), r.right()),
                std::clamp(Snap((Table().Height() - Puzzle().mPixelHeight) / 2), r.top(), r.bottom())};
    }

    // The cell-grid line at or left of (above) the value.
    static int Snap(int v) { return (v >= 0 ? v : v - kCell + 1) / kCell * kCell; }

    // The corners (on the cell grid) at which every piece of the figure can
    // be dropped: no piece further past an edge than a drag lets it go.
    QRect ReachableCorners() const
    {
        int left = -Table().Width(), top = -Table().Height(), right = Table().Width(), bottom = Table().Height();
        for (const auto& [piece, target] : PiecePairs()) {
            left = std::max(left, -piece->mMaxOffset - target->mPosX);
            top = std::max(top, -piece->mMaxOffset - target->mPosY);
            right = std::min(right, Table().Width() - piece->mWidth + piece->mMaxOffset - target->mPosX);
            bottom = std::min(bottom, Table().Height() - piece->mHeight + piece->mMaxOffset - target->mPosY);
        }
        return QRect(QPoint(-Snap(-left), -Snap(-top)), QPoint(Snap(right), Snap(bottom)));
    }

    static bool IsAt(const PieceClass& piece, const PieceClass& target, QPoint corner)
    {
        return piece.mOrientation == target.mOrientation && piece.mPosX == corner.x() + target.mPosX
            && piece.mPosY == corner.y() + target.mPosY;
    }

    // Clicks the piece round to the orientation and drops it with its corner
    // at the goal; false when no visible point of it is left to take.
    bool TurnAndDrop(PieceClass& piece, int orientation, QPoint goal)
    {
        for (int turns = 0; piece.mOrientation != orientation; ++turns) {
            const auto at = HitPoint(piece);
            if (!at || turns == kMaxTurns) {
                return false;
            }
            Click(*at);
        }
        const auto from = HitPoint(piece);
        if (from) {
            Drag(*from, *from + goal - QPoint(piece.mPosX, piece.mPosY));
        }
        return from.has_value();
    }

    // Turns and moves every table piece into the current puzzle's figure with
    // the figure's top-left corner at the given table point, each time the
    // first piece left that shows a point to take hold of.
    void SolveWithTheMouse(QPoint corner)
    {
        auto open = PiecePairs();
        std::erase_if(open, [&](const auto& pair) { return IsAt(*pair.first, *pair.second, corner); });
        while (!open.empty()) {
            const auto dropped = std::find_if(open.begin(), open.end(), [&](const auto& pair) {
                const auto& [piece, target] = pair;
                return TurnAndDrop(*piece, target->mOrientation, corner + QPoint(target->mPosX, target->mPosY));
            });
            ASSERT_TRUE(dropped != open.end()) << "every piece left lies under others";
            ASSERT_TRUE(IsAt(*dropped->first, *dropped->second, corner)) << "a dropped piece missed its place";
            open.erase(dropped);
        }
    }

    void SolveWithTheMouse() { SolveWithTheMouse(CentredCorner()); }
};
