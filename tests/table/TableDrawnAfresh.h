#pragma once

// What a new table shows for the game as it stands: the same puzzle, the
// seven pieces where they lie in the same stacking order, the same notes,
// drawn by a table that has never been pressed or dragged on.

#include "app/Globals.h"
#include "model/PieceClass.h"
#include "table/TableClass.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <memory>

namespace TableDrawnAfreshDetail {

inline std::array<std::shared_ptr<PieceClass>, TableClass::kPieceCount> Pieces(const TableClass& t)
{
    return {t.mPieceSquare,         t.mPieceRhombus,        t.mPieceSmallTriangle1, t.mPieceSmallTriangle2,
            t.mPieceLargeTriangle1, t.mPieceLargeTriangle2, t.mPieceMediumTriangle};
}

} // namespace TableDrawnAfreshDetail

// onTop, when given, is drawn last, as a dragged piece shows over the others.
inline QImage TableDrawnAfresh(const TableClass& shown, const PieceClass* onTop = nullptr)
{
    using TableDrawnAfreshDetail::Pieces;
    TableClass fresh;
    fresh.resize(shown.size());
    TableClass* const table = gTable;
    fresh.InitializeTable(); // the pieces draw onto gTable: this one, for now
    const auto from = Pieces(shown);
    const auto to = Pieces(fresh);
    for (std::size_t i = 0; i < from.size(); ++i) {
        to[i]->SetPosition(from[i]->mPosX, from[i]->mPosY);
        to[i]->SetOrientation(from[i]->mOrientation);
        to[i]->SetPictureFromOrientation();
    }
    for (std::size_t z = 0; z < fresh.mPieceZOrder.size(); ++z) {
        fresh.mPieceZOrder[z] = to[std::find(from.begin(), from.end(), shown.mPieceZOrder[z]) - from.begin()];
    }
    if (onTop != nullptr) {
        const auto top = std::find_if(fresh.mPieceZOrder.begin(), fresh.mPieceZOrder.end(), [&](const auto& p) {
            return from[std::find(to.begin(), to.end(), p) - to.begin()].get() == onTop;
        });
        std::rotate(top, top + 1, fresh.mPieceZOrder.end());
    }
    fresh.mDrawWinNote = shown.mDrawWinNote;
    fresh.mSolutionGrid = shown.mSolutionGrid;
    fresh.Draw(false);
    gTable = table;
    return fresh.Buffer()->Image().copy();
}
