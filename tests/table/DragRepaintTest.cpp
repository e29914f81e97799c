#include "TableTestWindow.h"

#include "table/DragPieceClass.h"

#include <QPaintEvent>
#include <vector>

namespace {

// Records the area of every paint the table gets.
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            mAreas.push_back(static_cast<QPaintEvent*>(event)->region().boundingRect());
        }
        return false;
    }
    std::vector<QRect> mAreas;
};

QRect PieceRect(const PieceClass& piece)
{
    return {piece.mPosX, piece.mPosY, piece.mWidth, piece.mHeight};
}

} // namespace

TEST_F(TableTest, DragStepsShowOnlyWhatThePieceLeavesAndEnters)
{
    OpenWindow();
    PaintRecorder recorder;
    mTable->installEventFilter(&recorder);
    const auto& piece = mTable->mPieceMediumTriangle;
    const QPoint p = PointOn(*piece);
    const QRect tableRect(0, 0, kTableWidth, kTableHeight);

    Press(p);
    Move(p + QPoint(-3, 2));
    ASSERT_FALSE(recorder.mAreas.empty());
    EXPECT_EQ(recorder.mAreas.back(), tableRect); // the first step shows it all
    // Steps that overlap the last place, including some past the top edge.
    for (int step = 1; step <= 40; ++step) {
        const QRect before = PieceRect(*piece);
        recorder.mAreas.clear();
        Move(p + QPoint(-3 - 7 * step, 2 + (step % 9) * 5 - 20));
        const QRect expected = before.united(PieceRect(*piece)).intersected(tableRect);
        ASSERT_EQ(recorder.mAreas.size(), 1u) << step;
        EXPECT_EQ(recorder.mAreas.back(), expected) << step;
    }
    // No trace left behind: the buffer equals the table drawn afresh without
    // the piece, with the piece drawn on top.
    const QImage dragged = mTable->Buffer()->Image().copy();
    EXPECT_EQ(mTable->Surface(), dragged);
    mTable->Draw(false);
    piece->Draw();
    EXPECT_EQ(dragged, mTable->Buffer()->Image());
    mTable->FlipBuffer();

    Release(p);
    EXPECT_EQ(mTable->Surface(), mTable->Buffer()->Image());
}

TEST_F(TableTest, DiscardedDragObjectLeavesTheTableAsItWasPastTheEdgesToo)
{
    OpenWindow();
    const std::shared_ptr<PieceClass> piece = mTable->mPieceLargeTriangle2; // past the left edge
    mTable->mSelectedPiece = piece;
    mTable->Draw(false);
    const QImage without = mTable->Buffer()->Image().copy();
    {
        DragPieceClass drag(piece);
        drag.SetBuffer();
        for (const QPoint at : {QPoint(-80, 450), QPoint(-75, 455), QPoint(-20, 520)}) {
            drag.SetPosition(at.x(), at.y());
            drag.Draw();
            EXPECT_EQ(QPoint(drag.mBufferPosX, drag.mBufferPosY), at);
        }
        EXPECT_NE(mTable->Buffer()->Image(), without);
    }
    EXPECT_EQ(mTable->Buffer()->Image(), without);
}
