#include "tests/blackbox/XServer.h"

#include "app/Globals.h"
#include "model/PieceClass.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "resources/PictureCatalogue.h"
#include "table/TableClass.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <optional>

// The real game on a display of its own, played only through synthetic X
// input as a new player plays it: the sidebar tabs, every menu, the first
// puzzle built with the mouse, Ctrl+Q; then the store it leaves behind.
class PlayerSession : public ::testing::Test {
protected:
    // The play window as a player sees it: a 200-pixel sidebar whose pages
    // start at y 298 above a strip of three tabs, and an 800 x 650 table.
    static constexpr int kWindowHeight = 650;
    static constexpr int kSidebarWidth = 200;
    static constexpr int kPageTop = 298;
    static constexpr int kTabTop = 600;
    static constexpr int kTabHeight = 50;
    static constexpr std::array<int, 4> kTabEdges{0, 67, 133, 200};
    static constexpr int kTableWidth = 800;
    static constexpr int kTableHeight = kWindowHeight;
    static constexpr int kCell = 10;
    // Page rows that no button and no figure covers: above New Puzzle and
    // below Get Hint.
    static constexpr int kBandTopEnd = 319;
    static constexpr int kBandBottomStart = 545;

    enum Page { kPlay, kStats, kHelp, kNoPage = -1 };
    static constexpr int kFirstRunPuzzle = 2;
    static constexpr int kWaitMs = 5000;
    static constexpr int kPageWaitMs = 2000;
    static constexpr double kSameShare = 0.98;
    static constexpr int kChannelSlack = 8;
    static constexpr int kSampleStep = 2;

    void SetUp() override
    {
        const QString error = mX.Start();
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_TRUE(mConfig.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("QT_QPA_FONTDIR"));
        env.insert(QStringLiteral("DISPLAY"), mX.Name());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), mConfig.path());
        mGame.setProcessEnvironment(env);
        mGame.setProcessChannelMode(QProcess::ForwardedChannels);
        mGame.start(QStringLiteral(KOLMIRA_EXECUTABLE), {});
        ASSERT_TRUE(mGame.waitForStarted(kWaitMs)) << mGame.errorString().toStdString();
        // Placed and given the focus by the window manager.
        ASSERT_TRUE(QTest::qWaitFor([&] { return mX.ActiveTitle() == Title(); }, kWaitMs))
            << "no active window titled " << Title().toStdString();
        const QRect client = mX.WindowTitled(Title());
        mMenuBar = QRect(client.topLeft(), QSize(client.width(), client.height() - kWindowHeight));
        mContent = client.bottomLeft() - QPoint(0, kWindowHeight - 1);
    }

    void TearDown() override
    {
        if (HasFailure()) {
            const QString shot = QDir::current().absoluteFilePath(QStringLiteral("blackbox-failure.png"));
            mX.Grab(XServer::Screen()).save(shot);
            std::cerr << "screen at the failure: " << shot.toStdString() << '\n';
        }
        if (mGame.state() != QProcess::NotRunning) {
            mGame.kill();
            mGame.waitForFinished(kWaitMs);
        }
    }

    static QString Title() { return QStringLiteral("Kolmira - Puzzle #%1").arg(kFirstRunPuzzle); }
    static const char* Name(int page)
    {
        static constexpr std::array<const char*, 3> kNames{"play", "stats", "help"};
        return page == kNoPage ? "none" : kNames.at(static_cast<std::size_t>(page));
    }

    QPoint TabCentre(int page) const
    {
        const auto i = static_cast<std::size_t>(page);
        return mContent + QPoint((kTabEdges[i] + kTabEdges[i + 1]) / 2, kTabTop + kTabHeight / 2);
    }

    // The share of sampled pixels of the shot's area that show the picture
    // placed with its top-left corner at origin.
    static double SameShare(const QImage& shot, const QRect& area, const QImage& picture, QPoint origin)
    {
        int same = 0;
        int all = 0;
        const QRect common = area.intersected(QRect(origin, picture.size()));
        for (int y = common.top(); y <= common.bottom(); y += kSampleStep) {
            for (int x = common.left(); x <= common.right(); x += kSampleStep) {
                const QRgb a = shot.pixel(x, y);
                const QRgb b = picture.pixel(x - origin.x(), y - origin.y());
                ++all;
                same += std::abs(qRed(a) - qRed(b)) <= kChannelSlack && std::abs(qGreen(a) - qGreen(b)) <= kChannelSlack
                    && std::abs(qBlue(a) - qBlue(b)) <= kChannelSlack;
            }
        }
        return all == 0 ? 0.0 : double(same) / all;
    }

    // The sidebar page on show: its tab drawn selected in the strip and its
    // backdrop where nothing covers it, or kNoPage when these disagree.
    int ShownPage() const
    {
        const QImage shot = mX.Grab(QRect(mContent, QSize(kSidebarWidth, kWindowHeight)));
        const std::array backdrops{playtabbackground(), statstabbackground(), helptabbackground()};
        const std::array selectedTabs{sidebartab1(), sidebartab2(), sidebartab3()};
        const QRect above(0, kPageTop, kSidebarWidth, kBandTopEnd - kPageTop);
        const QRect below(0, kBandBottomStart, kSidebarWidth, kTabTop - kBandBottomStart);
        std::array<double, 3> backdropShare{};
        std::array<double, 3> tabShare{};
        for (std::size_t p = 0; p < backdrops.size(); ++p) {
            const QImage& backdrop = backdrops[p]->Image();
            backdropShare[p] = (SameShare(shot, above, backdrop, above.topLeft())
                                + SameShare(shot, below, backdrop, above.topLeft())) / 2;
            const QRect tab(kTabEdges[p], kTabTop, kTabEdges[p + 1] - kTabEdges[p], kTabHeight);
            tabShare[p] = SameShare(shot, tab, selectedTabs[p]->Image(), tab.topLeft());
        }
        const auto best = [](const std::array<double, 3>& share) {
            const auto top = std::max_element(share.begin(), share.end());
            return *top >= kSameShare ? static_cast<int>(top - share.begin()) : kNoPage;
        };
        const int page = best(backdropShare);
        return page == best(tabShare) ? page : kNoPage;
    }

    // Waits for the page and answers the one on show then.
    int WaitForPage(int page) const
    {
        return QTest::qWaitFor([&] { return ShownPage() == page; }, kPageWaitMs) ? page : ShownPage();
    }

    // The menu titles' left and right ends in the bar, from the ink of their
    // captions: columns of dark pixels, split where the gap is wide.
    std::vector<std::pair<int, int>> MenuTitles() const
    {
        constexpr int kInk = 100;
        constexpr int kWordGap = 6;
        const QImage bar = mX.Grab(mMenuBar);
        std::vector<std::pair<int, int>> titles;
        for (int x = 0; x < bar.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < bar.height() && !ink; ++y) {
                ink = qGray(bar.pixel(x, y)) < kInk;
            }
            if (!ink) {
                continue;
            }
            if (titles.empty() || x - titles.back().second > kWordGap) {
                titles.emplace_back(x, x);
            }
            titles.back().second = x;
        }
        return titles;
    }

    // The first line of the answer to the query on the game's store, as
    // text; empty while the store cannot be read.
    QString Stored(const char* sql) const
    {
        const QByteArray file = QDir(mConfig.path()).filePath(QStringLiteral("Kolmira/Kolmira.dat")).toLocal8Bit();
        sqlite3* db = nullptr;
        QString value;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
                value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            }
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
        return value;
    }

    // The figure of a stored puzzle, read from the game's own store.
    std::unique_ptr<PuzzleClass> StoredPuzzle(int number) const
    {
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        auto puzzle = std::make_unique<PuzzleClass>();
        puzzle->LoadFromDatabase(number);
        gPrefsDatabase.reset();
        return puzzle;
    }

    XServer mX;
    QTemporaryDir mConfig;
    QProcess mGame;
    QRect mMenuBar;
    QPoint mContent; // the play window's top-left below its menu bar
};

// Builds the figure with the mouse on the table: turns each piece by clicks
// and drags it into place, keeping its own copy of where the pieces lie (a
// fresh table's layout, moved as the game moves them) to know where to
// take hold of a piece the player can see.
class FigureBuilder {
public:
    static constexpr int kSearchStep = 3;
    static constexpr int kFirmMargin = 4;
    static constexpr int kActionMs = 3000;

    FigureBuilder(XServer& x, QPoint tableOrigin, int tableWidth, int tableHeight)
        : mX(x), mOrigin(tableOrigin), mWidth(tableWidth), mHeight(tableHeight)
    {
        mTable.InitializeTable();
        mOrder.assign(mTable.mPieceZOrder.begin(), mTable.mPieceZOrder.end());
    }

    // Places every piece at corner + its place in the figure; false with the
    // piece that could not be taken hold of.
    bool Build(const PuzzleClass& figure, QPoint corner, QString& stuck)
    {
        const std::array<std::pair<PieceClass*, PieceClass*>, TableClass::kPieceCount> pairs{{
            {mTable.mPieceLargeTriangle2.get(), figure.mPieceLargeTriangle2.get()},
            {mTable.mPieceLargeTriangle1.get(), figure.mPieceLargeTriangle1.get()},
            {mTable.mPieceSmallTriangle2.get(), figure.mPieceSmallTriangle2.get()},
            {mTable.mPieceSmallTriangle1.get(), figure.mPieceSmallTriangle1.get()},
            {mTable.mPieceMediumTriangle.get(), figure.mPieceMediumTriangle.get()},
            {mTable.mPieceRhombus.get(), figure.mPieceRhombus.get()},
            {mTable.mPieceSquare.get(), figure.mPieceSquare.get()},
        }};
        for (const auto& [piece, target] : pairs) {
            stuck = QStringLiteral("the piece bound for (%1, %2)").arg(target->mPosX).arg(target->mPosY);
            while (piece->mOrientation != target->mOrientation) {
                const auto at = HoldPoint(*piece);
                if (!at) {
                    stuck += QStringLiteral(" (no point of it in sight)");
                    return false;
                }
                if (!Shown([&] { mX.Click(mOrigin + *at); })) {
                    stuck += QStringLiteral(" (a click changed nothing)");
                    return false;
                }
                piece->RotateClockwise();
                Raise(piece);
            }
            const auto from = HoldPoint(*piece);
            if (!from) {
                stuck += QStringLiteral(" (no point of it in sight)");
                return false;
            }
            const QPoint goal = corner + QPoint(target->mPosX, target->mPosY);
            const QPoint move = goal - QPoint(piece->mPosX, piece->mPosY);
            if (!move.isNull() && !Shown([&] { mX.Drag(mOrigin + *from, mOrigin + *from + move); })) {
                stuck += QStringLiteral(" (a drag changed nothing)");
                return false;
            }
            piece->SetPosition(goal.x(), goal.y());
            Raise(piece);
        }
        return true;
    }

private:
    // Runs the input and waits until the table shows its effect. Qt folds
    // a queued pointer move into a later one even across a press or release,
    // so input sent faster than the game takes it would lose drags: each
    // action waits for the one before it, as a player's eye would.
    template <typename Input>
    bool Shown(Input input)
    {
        const QRect table(mOrigin, QSize(mWidth, mHeight));
        const QImage before = mX.Grab(table);
        input();
        return QTest::qWaitFor([&] { return mX.Grab(table) != before; }, kActionMs);
    }

    const PieceClass* TopAt(int x, int y) const
    {
        for (auto it = mOrder.rbegin(); it != mOrder.rend(); ++it) {
            if ((*it)->IsPointInside(x, y)) {
                return it->get();
            }
        }
        return nullptr;
    }

    // A table point on the piece, on top, with its neighbours on it too, so
    // that a press there takes this piece and no other.
    std::optional<QPoint> HoldPoint(const PieceClass& piece) const
    {
        const auto firm = [&](int x, int y) {
            for (const int dy : {-kFirmMargin, 0, kFirmMargin}) {
                for (const int dx : {-kFirmMargin, 0, kFirmMargin}) {
                    if (TopAt(x + dx, y + dy) != &piece) {
                        return false;
                    }
                }
            }
            return true;
        };
        for (int y = std::max(kFirmMargin, piece.mPosY); y < std::min(mHeight - kFirmMargin, piece.mPosY + piece.mHeight); y += kSearchStep) {
            for (int x = std::max(kFirmMargin, piece.mPosX); x < std::min(mWidth - kFirmMargin, piece.mPosX + piece.mWidth); x += kSearchStep) {
                if (firm(x, y)) {
                    return QPoint(x, y);
                }
            }
        }
        return std::nullopt;
    }

    void Raise(PieceClass* piece)
    {
        const auto it = std::find_if(mOrder.begin(), mOrder.end(), [&](const auto& p) { return p.get() == piece; });
        std::rotate(it, it + 1, mOrder.end());
    }

    XServer& mX;
    QPoint mOrigin;
    int mWidth;
    int mHeight;
    TableClass mTable;
    std::vector<std::shared_ptr<PieceClass>> mOrder; // bottom first
};

TEST_F(PlayerSession, TabsMenusAndTheFirstPuzzleWithTheMouseThenCtrlQKeepsTheWin)
{
    // A first run opens on the Help page.
    ASSERT_EQ(WaitForPage(kHelp), kHelp) << "the first run does not open on the Help page";

    // Every press on another tab shows its page at once, however often the
    // tabs have been used before.
    const std::array<int, 10> round{kStats, kPlay, kStats, kPlay, kHelp, kPlay, kHelp, kStats, kHelp, kStats};
    QStringList wanted;
    QStringList shown;
    for (const int page : round) {
        mX.Click(TabCentre(page));
        wanted << Name(page);
        shown << Name(WaitForPage(page));
    }
    EXPECT_EQ(shown.join(' ').toStdString(), wanted.join(' ').toStdString()) << "pages shown after each tab click";

    // Each menu opens under its title and closes on Escape.
    const auto titles = MenuTitles();
    const std::array<const char*, 4> menus{"Game", "Online", "Window", "Help"};
    ASSERT_GE(titles.size(), menus.size()) << "menu titles found in the bar";
    // The screen with no menu open, to tell a drawn menu by.
    const QImage before = mX.Grab(XServer::Screen());
    for (std::size_t i = 0; i < menus.size(); ++i) {
        SCOPED_TRACE(menus[i]);
        mX.Click(QPoint(mMenuBar.left() + (titles[i].first + titles[i].second) / 2, mMenuBar.center().y()));
        QRect popup;
        const bool opened = QTest::qWaitFor(
            [&] {
                const auto popups = mX.Popups();
                popup = popups.empty() ? QRect() : popups.front();
                // Drawn: most of it differs from what lay there before.
                return !popup.isEmpty()
                    && SameShare(mX.Grab(popup), QRect(QPoint(), popup.size()), before.copy(popup), QPoint()) < 0.5;
            },
            kWaitMs);
        ASSERT_TRUE(opened) << "no menu drawn";
        EXPECT_NEAR(popup.left(), mMenuBar.left() + titles[i].first, kSidebarWidth / 4) << "not under its title";
        mX.Key("Escape");
        ASSERT_TRUE(QTest::qWaitFor([&] { return mX.Popups().empty(); }, kWaitMs)) << "Escape left the menu open";
    }

    // The first puzzle, built with the mouse where the table shows its
    // silhouette.
    const auto figure = StoredPuzzle(kFirstRunPuzzle);
    ASSERT_EQ(figure->mPuzzleNumber, kFirstRunPuzzle);
    const QPoint corner((kTableWidth - figure->mPixelWidth) / 2 / kCell * kCell,
                        (kTableHeight - figure->mPixelHeight) / 2 / kCell * kCell);
    FigureBuilder builder(mX, mContent + QPoint(kSidebarWidth, 0), kTableWidth, kTableHeight);
    QString stuck;
    ASSERT_TRUE(builder.Build(*figure, corner, stuck)) << "the mouse could not place " << stuck.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Stored("SELECT COUNT(*) FROM SolvedPuzzles") == "1"; }, kWaitMs))
        << "the win was not recorded";
    EXPECT_EQ(WaitForPage(kPlay), kPlay) << "a win brings the Play page back";
    EXPECT_FALSE(mX.WindowTitled(Title()).isEmpty()) << "the title lost the puzzle number";

    // Ctrl+Q in the active play window quits the game normally.
    ASSERT_TRUE(QTest::qWaitFor([&] { return mX.ActiveTitle() == Title(); }, kWaitMs)) << "the play window is not active";
    mX.Key("q", "Control_L");
    ASSERT_TRUE(mGame.waitForFinished(kWaitMs)) << "Ctrl+Q did not quit";
    EXPECT_EQ(mGame.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(mGame.exitCode(), 0);

    // The store keeps the win and the first run, and no game to resume.
    EXPECT_EQ(Stored("SELECT group_concat(Number || ':' || NumHintsUsed) FROM SolvedPuzzles"), "2:0");
    EXPECT_EQ(Stored("SELECT group_concat(PrefName || '=' || PrefValue) FROM Prefs"), "RanOnce=Yes");
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM SavedPuzzle"), "0");
    EXPECT_EQ(Stored("SELECT COUNT(*) FROM Puzzles"), "30");
}
