#include "tests/support/MousePlayer.h"

#include "platform/pictures/ResourceFork.h"

#include <QRegularExpression>
#include <QSet>
#include <random>

// A player who does anything at all with the mouse, over the table and the
// sidebar, and a game whose resources are incomplete: neither may break the
// table's rules or raise a failure.
class RandomMouse : public MousePlayer {
protected:
    static constexpr int kActions = 10000;
    static constexpr std::uint32_t kSeed = 7321;
    static constexpr int kMaxMoves = 4;
    static constexpr int kFarOutside = 400;

    // One press anywhere below the menu bar, a few moves (near the press
    // point, anywhere, or far off the window) and the release.
    void RandomAction(std::mt19937& random)
    {
        const QWidget& area = *Window().Content();
        std::uniform_int_distribution<int> anyX(0, area.width() - 1), anyY(0, area.height() - 1), die(0, 9);
        std::uniform_int_distribution<int> farX(-kFarOutside * 3, kFarOutside * 3), farY(-kFarOutside, kFarOutside);
        const QPoint press(anyX(random), anyY(random));
        const Qt::MouseButton button = die(random) == 0 ? Qt::RightButton : Qt::LeftButton;
        const Qt::KeyboardModifiers modifiers = die(random) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        WindowInput::Press(area, press, button, modifiers);
        QPoint at = press;
        for (int m = std::uniform_int_distribution<int>(0, kMaxMoves)(random); m > 0; --m) {
            // A tremble within the click allowance or just past it, a move
            // anywhere in the window, or one far off it.
            const int kind = die(random) % 3;
            at = kind == 0   ? press + QPoint(die(random) % 3 - 1, die(random) % 5 - 2)
                 : kind == 1 ? QPoint(anyX(random), anyY(random))
                             : press + QPoint(farX(random), farY(random));
            WindowInput::Move(area, at);
        }
        WindowInput::Release(area, at, button, modifiers);
    }

    // What must hold between presses, whatever the player did: nothing held,
    // every piece stacked once, on the grid, no further past an edge than a
    // drag lets it go, and nothing failed or told.
    void CheckTableRules(int action) const
    {
        const TableClass& t = Table();
        SCOPED_TRACE(testing::Message() << "after action " << action);
        ASSERT_TRUE(!t.mSelectedPiece && !t.mDragPiece);
        const auto& z = t.mPieceZOrder;
        for (const auto& [p, target] : PiecePairs()) {
            ASSERT_EQ(std::count_if(z.begin(), z.end(), [&p = p](const auto& s) { return s.get() == p; }), 1);
            ASSERT_EQ(QPoint(p->mPosX % kCell, p->mPosY % kCell), QPoint(0, 0));
            const QRect reach(QPoint(-p->mMaxOffset, -p->mMaxOffset), QPoint(t.Width() - p->mWidth + p->mMaxOffset,
                                                                              t.Height() - p->mHeight + p->mMaxOffset));
            ASSERT_TRUE(reach.contains(p->mPosX, p->mPosY));
        }
        ASSERT_TRUE(mFailures.isEmpty() && mMessages.isEmpty()) << (mFailures + mMessages).join("; ").toStdString();
    }

    void PlayRandomly(int actions)
    {
        std::mt19937 random(kSeed);
        for (int a = 0; a < actions; ++a) {
            RandomAction(random);
            ASSERT_NO_FATAL_FAILURE(CheckTableRules(a));
        }
    }
};

TEST_F(RandomMouse, TenThousandRandomPressesDragsAndReleasesKeepTheTableSound)
{
    StartShown();
    ASSERT_NO_FATAL_FAILURE(PlayRandomly(kActions));
    // Still a game: the store answers and the window is the play window.
    EXPECT_EQ(Window().Title(), TitleFor(Puzzle().mPuzzleNumber));
    EXPECT_EQ(Count("Puzzles"), 30);
}

// A resource fork without some of the game's pictures.
struct ForkWithout : platform::ResourceFork {
    explicit ForkWithout(QSet<std::int32_t> missing) : mMissing(std::move(missing)) {}
    platform::PicturePtr GetPicture(std::int32_t id) override
    {
        return mMissing.contains(id) ? nullptr : platform::ResourceFork::GetPicture(id);
    }
    QSet<std::int32_t> mMissing;
};

TEST_F(RandomMouse, MissingPicturesNeitherStopTheStartNorPlay)
{
    // Every picture of the catalogue but the table's pieces (without those
    // the figure could not be built at all), and one piece's mask too.
    const QRegularExpression piece(QStringLiteral("^((large|medium|small)triangle|rhombus|square)\\d(mask)?$"));
    QSet<std::int32_t> missing;
#define KOLMIRA_PICTURE_ID(name, id, ...) \
    if (!piece.match(QStringLiteral(#name)).hasMatch() || QStringLiteral(#name) == "square2mask") \
        missing.insert(id);
    KOLMIRA_PICTURE_CATALOGUE(KOLMIRA_PICTURE_ID, KOLMIRA_PICTURE_ID)
#undef KOLMIRA_PICTURE_ID
    ASSERT_GT(missing.size(), 60);
    platform::SetAppResourceFork(std::make_shared<ForkWithout>(missing));
    ResetPictureCatalogue();

    StartShown();
    ClickCanvas("SidebarPanel2PlayButtonCanvas"); // from the first run's Help page
    ClickCanvas("GetHintButtonCanvas");
    EXPECT_EQ(Puzzle().mHintCount, 1);
    ASSERT_NO_FATAL_FAILURE(SolveWithTheMouse());
    EXPECT_EQ(std::pair(Puzzle().mIsWon, Stats().mNumSolved), std::pair(true, 1));
    platform::Deref(Window().mNewPuzzleBlinkTimer).Fire();
    platform::Deref(Table().mWinNoteTimer).Fire();
    ClickCanvas("NewPuzzleButtonCanvas");
    EXPECT_FALSE(Puzzle().mIsWon);
    constexpr int kShortRun = 500;
    ASSERT_NO_FATAL_FAILURE(PlayRandomly(kShortRun));

    StopGame();
    platform::SetAppResourceFork(nullptr);
    ResetPictureCatalogue();
}
