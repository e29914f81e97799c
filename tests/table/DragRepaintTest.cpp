#include "tests/support/MousePlayer.h"

#include <QPaintEvent>

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

using TableRepaint = Shown<MousePlayer>;

TEST_F(TableRepaint, DragStepsShowOnlyWhatThePieceLeavesAndEnters)
{
    TableClass& table = Table();
    PaintRecorder recorder;
    table.installEventFilter(&recorder);
    const auto& piece = table.mPieceMediumTriangle;
    const QPoint p = *HitPoint(*piece);
    const QRect tableRect = table.rect();

    WindowInput::Press(table, p);
    WindowInput::Move(table, p + QPoint(-3, 2));
    ASSERT_FALSE(recorder.mAreas.empty());
    EXPECT_EQ(recorder.mAreas.back(), tableRect); // the first step shows it all
    // Steps that overlap the last place, including some past the top edge.
    for (int step = 1; step <= 40; ++step) {
        const QRect before = PieceRect(*piece);
        recorder.mAreas.clear();
        WindowInput::Move(table, p + QPoint(-3 - 7 * step, 2 + (step % 9) * 5 - 20));
        const QRect expected = before.united(PieceRect(*piece)).intersected(tableRect);
        ASSERT_EQ(recorder.mAreas.size(), 1u) << step;
        EXPECT_EQ(recorder.mAreas.back(), expected) << step;
    }
    // No trace left behind: the buffer equals the table drawn afresh without
    // the piece, with the piece drawn on top.
    const QImage dragged = table.Buffer()->Image().copy();
    EXPECT_EQ(table.Surface(), dragged);
    table.Draw(false);
    piece->Draw();
    EXPECT_EQ(dragged, table.Buffer()->Image());
    table.FlipBuffer();

    WindowInput::Release(table, p);
    EXPECT_EQ(table.Surface(), table.Buffer()->Image());
}
