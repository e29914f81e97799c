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
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Random.h"
#include "platform/RecordSet.h"

#include <QTemporaryDir>
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

// The seven pieces of a layout, as the play table holds them.
struct PieceLayout {
    PieceLargeTriangleClass l1, l2;
    PieceMediumTriangleClass m;
    PieceSmallTriangleClass s1, s2;
    PieceRhombusClass rh;
    PieceSquareClass sq;

    // (x, y, orientation) per piece in the store's order, shifted by (dx, dy).
    explicit PieceLayout(const std::array<std::array<int, 3>, 7>& values, int dx = 0, int dy = 0)
    {
        for (std::size_t i = 0; i < values.size(); ++i) {
            Pieces()[i]->SetPosition(values[i][0] + dx, values[i][1] + dy);
            Pieces()[i]->SetOrientation(values[i][2]);
            Pieces()[i]->SetPictureFromOrientation();
        }
    }
    std::array<PieceClass*, 7> Pieces() { return {&l1, &l2, &m, &s1, &s2, &rh, &sq}; }
    void ComposeInto(PuzzleClass& puzzle) const { puzzle.SetFromPieces(l1, l2, m, s1, s2, rh, sq); }
};

// Built-in puzzle 1 as stored: a solid block of 20 x 40 cells.
inline constexpr std::array<std::array<int, 3>, 7> kFirstPuzzle{{{-80, -80, 4}, {0, 0, 8},
    {0, 140, 1}, {100, 200, 8}, {-40, 300, 2}, {-50, 200, 1}, {80, 280, 1}}};
