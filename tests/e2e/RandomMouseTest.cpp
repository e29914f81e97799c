#include "tests/support/MousePlayer.h"

#include "platform/ResourceFork.h"

#include <QRegularExpression>
#include <QSet>
#include <random>
#include <set>

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
        std::uniform_int_distribution<int> anyX(0, area.width() - 1);
        std::uniform_int_distribution<int> anyY(0, area.height() - 1);
        std::uniform_int_distribution<int> die(0, 9);
        const QPoint press(anyX(random), anyY(random));
        const Qt::MouseButton button = die(random) == 0 ? Qt::RightButton : Qt::LeftButton;
        const Qt::KeyboardModifiers modifiers = die(random) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        WindowInput::Press(area, press, button, modifiers);
        const int moves = std::uniform_int_distribution<int>(0, kMaxMoves)(random);
        QPoint at = press;
        for (int m = 0; m < moves; ++m) {
            switch (die(random) % 3) {
            case 0: // a tremble within the click allowance, or just past it
                at = press + QPoint(die(random) % 3 - 1, die(random) % 5 - 2);
                break;
            case 1:
                at = QPoint(anyX(random), anyY(random));
                break;
            default:
                at = press + QPoint(std::uniform_int_distribution<int>(-kFarOutside * 3, kFarOutside * 3)(random),
                                    std::uniform_int_distribution<int>(-kFarOutside, kFarOutside)(random));
                break;
            }
            WindowInput::Move(area, at);
        }
        WindowInput::Release(area, at, button, modifiers);
    }

    // What must hold between presses, whatever the player did.
    void CheckTableRules(int action) const
    {
        const TableClass& t = Table();
        SCOPED_TRACE(testing::Message() << "after action " << action);
        ASSERT_EQ(t.mSelectedPiece, nullptr);
        ASSERT_EQ(t.mDragPiece, nullptr);
        std::multiset<const PieceClass*> stacked, pieces;
        for (const auto& piece : t.mPieceZOrder) {
            stacked.insert(piece.get());
        }
        for (const auto& pair : PiecePairs()) {
            pieces.insert(pair.first);
        }
        ASSERT_EQ(stacked, pieces) << "the stacking order lost or doubled a piece";
        for (const PieceClass* p : pieces) {
            ASSERT_EQ(p->mPosX % kCell, 0);
            ASSERT_EQ(p->mPosY % kCell, 0);
            ASSERT_GE(p->mPosX, -p->mMaxOffset);
            ASSERT_GE(p->mPosY, -p->mMaxOffset);
            ASSERT_LE(p->mPosX, t.Width() - p->mWidth + p->mMaxOffset);
            ASSERT_LE(p->mPosY, t.Height() - p->mHeight + p->mMaxOffset);
        }
        ASSERT_TRUE(mFailures.isEmpty()) << mFailures.join("; ").toStdString();
        ASSERT_TRUE(mMessages.isEmpty()) << mMessages.join("; ").toStdString();
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
    EXPECT_EQ(Count("Puzzles"), PlayWindow::kLastPuzzle);
}

// A resource fork without some of the game's pictures.
class ForkWithout : public platform::ResourceFork {
public:
    explicit ForkWithout(QSet<std::int32_t> missing) : mMissing(std::move(missing)) {}
    platform::PicturePtr GetPicture(std::int32_t id) override
    {
        return mMissing.contains(id) ? nullptr : platform::ResourceFork::GetPicture(id);
    }

private:
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
    EXPECT_TRUE(Puzzle().mIsWon);
    EXPECT_EQ(Stats().mNumSolved, 1);
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
