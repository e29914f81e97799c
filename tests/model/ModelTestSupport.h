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
#include "platform/store/Database.h"
#include "platform/dialogs/MsgBox.h"
#include "platform/Random.h"

#include <QTemporaryDir>
#include <array>
#include <optional>
#include <gtest/gtest.h>

// Every store test gets its own empty preferences folder and records the
// messages instead of showing them.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        mSavedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        platform::SetMsgBoxHandler([this](const QString& message) { mMessages << message; });
    }
    void TearDown() override
    {
        ResetGlobals();
        platform::SetMsgBoxHandler({});
        platform::Database::Options() = {};
        qputenv("XDG_CONFIG_HOME", mSavedConfig);
    }

    // One committed write, as an edited or damaged store file presents it.
    static void Execute(const QString& sql)
    {
        gPrefsDatabase->mDB->SQLExecute(sql);
        ASSERT_TRUE(gPrefsDatabase->mDB->Commit()) << sql.toStdString();
    }
    static int Count(platform::Database& db, const QString& from)
    {
        const platform::RecordSetPtr rs = db.SQLSelect("SELECT COUNT(*) AS n FROM " + from);
        return rs && !rs->EOF() ? rs->Field("n").Value().IntegerValue() : -1;
    }
    // A connection to the store file that is not the game's.
    static std::unique_ptr<platform::Database> OpenFile()
    {
        auto db = std::make_unique<platform::Database>();
        db->DatabaseFile = PrefsDatabaseClass::StoreFilePath();
        EXPECT_TRUE(db->Connect());
        return db;
    }

    QTemporaryDir mConfig;
    QStringList mMessages;
    QByteArray mSavedConfig;
};

// A fresh store with the shared objects made as the game's start makes them.
class PuzzleStoreTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        gRandom = std::make_shared<platform::Random>(1u);
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        gStats = std::make_shared<StatsClass>();
    }
};

// The puzzle's seven pieces in the store's order.
inline std::array<PieceClass*, 7> PiecesOf(const PuzzleClass& p)
{
    return {p.mPieceLargeTriangle1.get(), p.mPieceLargeTriangle2.get(), p.mPieceMediumTriangle.get(),
            p.mPieceSmallTriangle1.get(), p.mPieceSmallTriangle2.get(), p.mPieceRhombus.get(), p.mPieceSquare.get()};
}

// How many cells of the grid hold a code and the area they cover in half
// cells; every code must be one a cell can hold.
inline std::pair<int, int> Coverage(const SolutionGridClass& grid)
{
    std::pair<int, int> covered{0, 0};
    for (int i = 0; i < grid.GetWidth() * grid.GetHeight(); ++i) {
        const int code = grid.GetCell(i % grid.GetWidth(), i / grid.GetWidth());
        EXPECT_TRUE(code >= 0 && code <= SolutionGridClass::kFull) << i;
        covered.first += code != 0;
        covered.second += code == SolutionGridClass::kFull ? 2 : code == 0 ? 0 : 1;
    }
    return covered;
}

// Composes the puzzle afresh from its own pieces laid out as on the table:
// each moved by (dx, dy) and, if given, turned to the orientation.
inline void Recompose(PuzzleClass& p, int dx, int dy, std::optional<int> orientation = std::nullopt)
{
    for (PieceClass* piece : PiecesOf(p)) {
        piece->SetPosition(piece->mPosX + dx, piece->mPosY + dy);
        piece->mOrientation = orientation.value_or(piece->mOrientation);
    }
    p.SetFromPieces(*p.mPieceLargeTriangle1, *p.mPieceLargeTriangle2, *p.mPieceMediumTriangle,
                    *p.mPieceSmallTriangle1, *p.mPieceSmallTriangle2, *p.mPieceRhombus, *p.mPieceSquare);
}
