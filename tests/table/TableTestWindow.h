#pragma once

#include "app/Globals.h"
#include "model/PieceClass.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/SolutionGridClass.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/StatsClass.h"
#include "platform/EventGuard.h"
#include "platform/Random.h"
#include "table/PuzzleCardClass.h"
#include "table/TableClass.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// A table that counts its win checks instead of running them.
class CountingTable : public TableClass {
public:
    using TableClass::TableClass;
    void CheckForWin() override { ++mWinChecks; }
    int mWinChecks = 0;
};

// A plain window of the play window's size hosting the table and the card,
// over a fresh store in its own preferences folder, with the shared objects
// made as the game makes them at start-up.
class TableTest : public ::testing::Test {
protected:
    static constexpr int kTableLeft = 200;
    static constexpr int kTableWidth = 800;
    static constexpr int kTableHeight = 650;
    static constexpr int kCardSize = 160;

    void SetUp() override
    {
        ASSERT_TRUE(mConfig.isValid());
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        platform::SetFailureReporter([this](const QString& what) { mFailures << what; });
        StartGame();
    }

    void TearDown() override
    {
        CloseWindow();
        ResetGlobals();
        platform::SetFailureReporter({});
        EXPECT_TRUE(mFailures.isEmpty()) << mFailures.join(QStringLiteral("; ")).toStdString();
    }

    // The shared objects as start-up makes them, over the current store.
    void StartGame(bool firstRun = true)
    {
        ResetGlobals();
        gRandom = std::make_shared<platform::Random>(1u);
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        gStats = std::make_shared<StatsClass>();
        gPuzzle = std::make_shared<PuzzleClass>();
        gFirstRun = firstRun;
    }

    void OpenWindow()
    {
        mWindow = std::make_unique<QWidget>();
        mWindow->resize(kTableLeft + kTableWidth, kTableHeight);
        mCard = new PuzzleCardClass(mWindow.get());
        mCard->setObjectName(QStringLiteral("PuzzleCard"));
        mCard->setGeometry(20, 20, kCardSize, kCardSize);
        mTable = new CountingTable(mWindow.get());
        mTable->setObjectName(QStringLiteral("Table"));
        mTable->setGeometry(kTableLeft, 0, kTableWidth, kTableHeight);
        mCard->DispatchOpen();
        mTable->DispatchOpen();
        mWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mWindow.get()));
    }

    void CloseWindow()
    {
        if (mWindow) {
            mTable->DispatchClose();
            mCard->DispatchClose();
            mWindow.reset();
            mTable = nullptr;
            mCard = nullptr;
        }
    }

    void Press(QPoint p, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mousePress(mTable, button, mods, p);
    }
    void Move(QPoint p) { QTest::mouseMove(mTable, p); }
    void Release(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(mTable, button, Qt::NoModifier, p);
    }

    // A point that the piece's shape covers, scanning from its picture's middle.
    static QPoint PointOn(const PieceClass& piece)
    {
        for (int dy = 0; dy < piece.mHeight / 2; ++dy) {
            for (int dx = 0; dx < piece.mWidth / 2; ++dx) {
                const int x = piece.mPosX + piece.mWidth / 2 + dx;
                const int y = piece.mPosY + piece.mHeight / 2 + dy;
                if (piece.IsPointInside(x, y) && x >= 0 && y >= 0 && x < kTableWidth
                    && y < kTableHeight) {
                    return {x, y};
                }
            }
        }
        ADD_FAILURE() << "no point on the piece";
        return {};
    }

    QTemporaryDir mConfig;
    QStringList mFailures;
    std::unique_ptr<QWidget> mWindow;
    CountingTable* mTable = nullptr;
    PuzzleCardClass* mCard = nullptr;
};
