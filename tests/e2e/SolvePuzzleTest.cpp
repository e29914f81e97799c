#include "tests/support/GameSession.h"

#include "model/PieceClass.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "resources/PictureCatalogue.h"
#include "table/WinNoteTimerClass.h"

#include <QTest>
#include <optional>
#include <utility>
#include <vector>

// Plays the real game with the mouse: each table piece is clicked round to
// the puzzle's orientation and dragged to the puzzle's place relative to a
// corner chosen on the table, until the figure stands complete.
class SolvePuzzle : public GameSession {
protected:
    static constexpr int kCell = 10;
    static constexpr int kSearchStep = 3;
    static constexpr int kNoteTop = 130;

    void SetUp() override
    {
        GameSession::SetUp();
        StartGame();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        QCoreApplication::processEvents();
    }

    // A point on the piece that no piece above it covers.
    std::optional<QPoint> HitPoint(const PieceClass& piece) const
    {
        const auto& order = Table().mPieceZOrder;
        std::size_t level = 0;
        while (level < order.size() && order[level].get() != &piece) {
            ++level;
        }
        for (int y = piece.mPosY + 1; y < piece.mPosY + piece.mHeight; y += kSearchStep) {
            for (int x = piece.mPosX + 1; x < piece.mPosX + piece.mWidth; x += kSearchStep) {
                if (x < 0 || y < 0 || x >= Table().Width() || y >= Table().Height()
                    || !piece.IsPointInside(x, y)) {
                    continue;
                }
                bool covered = false;
                for (std::size_t above = level + 1; above < order.size(); ++above) {
                    covered = covered || order[above]->IsPointInside(x, y);
                }
                if (!covered) {
                    return QPoint(x, y);
                }
            }
        }
        return std::nullopt;
    }

    void Click(QPoint p)
    {
        QTest::mousePress(&Table(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(&Table(), Qt::LeftButton, Qt::NoModifier, p);
    }

    void Drag(QPoint from, QPoint to)
    {
        QTest::mousePress(&Table(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(&Table(), (from + to) / 2);
        QTest::mouseMove(&Table(), to);
        QTest::mouseRelease(&Table(), Qt::LeftButton, Qt::NoModifier, to);
    }

    // Turns and moves every table piece into the current puzzle's figure.
    void SolveWithTheMouse()
    {
        TableClass& t = Table();
        PuzzleClass& p = Puzzle();
        const std::vector<std::pair<PieceClass*, PieceClass*>> pairs{
            {t.mPieceLargeTriangle1.get(), p.mPieceLargeTriangle1.get()},
            {t.mPieceLargeTriangle2.get(), p.mPieceLargeTriangle2.get()},
            {t.mPieceMediumTriangle.get(), p.mPieceMediumTriangle.get()},
            {t.mPieceSmallTriangle1.get(), p.mPieceSmallTriangle1.get()},
            {t.mPieceSmallTriangle2.get(), p.mPieceSmallTriangle2.get()},
            {t.mPieceRhombus.get(), p.mPieceRhombus.get()},
            {t.mPieceSquare.get(), p.mPieceSquare.get()},
        };
        // The figure's corner, on the cell grid, with the figure in the middle.
        const int left = (t.Width() - p.mPixelWidth) / 2 / kCell * kCell;
        const int top = (t.Height() - p.mPixelHeight) / 2 / kCell * kCell;
        for (const auto& [piece, target] : pairs) {
            for (int turns = 0; piece->mOrientation != target->mOrientation; ++turns) {
                ASSERT_LT(turns, 8);
                const auto at = HitPoint(*piece);
                ASSERT_TRUE(at);
                Click(*at);
            }
            const auto from = HitPoint(*piece);
            ASSERT_TRUE(from);
            const QPoint shift(left + target->mPosX - piece->mPosX, top + target->mPosY - piece->mPosY);
            Drag(*from, *from + shift);
            ASSERT_EQ(piece->mPosX, left + target->mPosX);
            ASSERT_EQ(piece->mPosY, top + target->mPosY);
        }
    }

    // Whether the table shows the note centred at its usual height: compared
    // on the note's fully opaque pixels.
    bool TableShowsNote(const platform::PicturePtr& note) const
    {
        const QImage& shown = platform::Deref(Table().Buffer()).Image();
        const QImage& art = note->Image();
        const QImage mask = note->HasMask() ? note->Mask()->Image() : QImage();
        const int x0 = static_cast<int>(Table().Width() / 2.0 - art.width() / 2.0);
        int compared = 0;
        for (int y = 0; y < art.height(); y += kSearchStep) {
            for (int x = 0; x < art.width(); x += kSearchStep) {
                if (!mask.isNull() && qGray(mask.pixel(x, y)) != 0) {
                    continue;
                }
                ++compared;
                if (shown.pixel(x0 + x, kNoteTop + y) != art.pixel(x, y)) {
                    return false;
                }
            }
        }
        return compared > 0;
    }
};

TEST_F(SolvePuzzle, SolvingWithTheMouseRecordsTheWinAndShowsTheNotes)
{
    // The first run's puzzle 2, after one hint.
    ASSERT_EQ(Puzzle().mPuzzleNumber, 2);
    QTest::mouseClick(&CanvasNamed("GetHintButtonCanvas"), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    ASSERT_EQ(Puzzle().mHintCount, 1);
    Window().SetSidebarTab(PlayWindow::kStatsPage);

    SolveWithTheMouse();

    EXPECT_TRUE(Puzzle().mIsWon);
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SolvedPuzzles WHERE Number = 2 AND NumHintsUsed = 1"), 1);
    EXPECT_EQ(Stats().mNumSolved, 1);
    EXPECT_EQ(Stats().mNum1Hints, 1);
    EXPECT_EQ(Window().mStatsSolved, 1);
    EXPECT_EQ(Window().mStatsHints1, 1);
    EXPECT_EQ(Window().mStatsUnsolved, 29);
    EXPECT_EQ(PageOf("SidebarPagePanel"), PlayWindow::kPlayPage);
    EXPECT_EQ(Window().Title(), QString("Kolmira - Puzzle #2"));
    EXPECT_TRUE(TableShowsNote(winnote()));
    ASSERT_TRUE(Window().mNewPuzzleBlinkTimer);

    platform::Deref(Table().mWinNoteTimer).Fire();
    EXPECT_FALSE(TableShowsNote(winnote()));

    // A won game is not saved; the next puzzle comes with the button.
    QTest::mouseClick(&CanvasNamed("NewPuzzleButtonCanvas"), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_NE(Puzzle().mPuzzleNumber, 2);
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
}

TEST_F(SolvePuzzle, SolvingTheLastPuzzleShowsTheEndPageAndTheCompletionNote)
{
    for (int n = 1; n <= 30; ++n) {
        if (n != 2) {
            Execute(QString("INSERT INTO SolvedPuzzles (Number, NumHintsUsed) VALUES (%1, 0)").arg(n));
        }
    }
    Stats().LoadStats();

    SolveWithTheMouse();

    EXPECT_EQ(Stats().mNumSolved, 30);
    EXPECT_EQ(Window().mStatsUnsolved, 0);
    EXPECT_EQ(PageOf("PlayTabPagePanel"), PlayWindow::kEndPage);
    EXPECT_TRUE(CanvasNamed("QuitButtonCanvas").isVisible());
    EXPECT_TRUE(TableShowsNote(completenote()));
    EXPECT_EQ(Window().mNewPuzzleBlinkTimer, nullptr);
    EXPECT_EQ(Table().mWinNoteTimer, nullptr);

    // Closing now leaves no game to resume.
    Window().close();
    EXPECT_EQ(Count("SELECT COUNT(*) AS n FROM SavedPuzzle"), 0);
}
