#pragma once

#include "app/Globals.h"
#include "model/PieceLargeTriangleClass.h"
#include "model/PieceMediumTriangleClass.h"
#include "model/PieceRhombusClass.h"
#include "model/PieceSmallTriangleClass.h"
#include "model/PieceSquareClass.h"
#include "model/PrefsDatabaseClass.h"
#include "model/PuzzleClass.h"
#include "model/SolutionGridClass.h"
#include "model/StatsClass.h"
#include "platform/EventGuard.h"
#include "platform/Random.h"
#include "table/PuzzleCardClass.h"
#include "table/TableClass.h"
#include "tests/support/WindowInput.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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
    static constexpr int kTableWidth = 800;
    static constexpr int kTableHeight = 650;

    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        platform::SetFailureReporter([this](const QString& what) { mFailures << what; });
        StartGame();
    }
    void TearDown() override
    {
        CloseWindow();
        ResetGlobals();
        platform::SetFailureReporter({});
        EXPECT_TRUE(mFailures.isEmpty()) << mFailures.join("; ").toStdString();
    }

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
        mWindow->resize(200 + kTableWidth, kTableHeight);
        mCard = new PuzzleCardClass(mWindow.get());
        mCard->setGeometry(20, 20, 160, 160);
        mTable = new CountingTable(mWindow.get());
        mTable->setGeometry(200, 0, kTableWidth, kTableHeight);
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
        }
    }

    // A press, optional moves, and a release at the last point.
    void Gesture(std::initializer_list<QPoint> points, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        WindowInput::Press(*mTable, *points.begin(), button, mods);
        for (auto p = points.begin() + 1; p != points.end(); ++p) {
            WindowInput::Move(*mTable, *p);
        }
        WindowInput::Release(*mTable, *(points.end() - 1), button);
    }

    // A point that the piece's shape covers, scanning from its picture's middle.
    static QPoint PointOn(const PieceClass& piece)
    {
        for (int i = 0; i < piece.mWidth * piece.mHeight / 4; ++i) {
            const int x = piece.mPosX + piece.mWidth / 2 + i % (piece.mWidth / 2);
            const int y = piece.mPosY + piece.mHeight / 2 + i / (piece.mWidth / 2);
            if (piece.IsPointInside(x, y) && x >= 0 && y >= 0 && x < kTableWidth && y < kTableHeight) {
                return {x, y};
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
