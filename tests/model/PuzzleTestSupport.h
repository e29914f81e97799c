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
#include "platform/Random.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Every puzzle test plays on a fresh store file in its own preferences
// folder, with the globals set up as the game's start does.
class PuzzleStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        mSavedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        gRandom = std::make_shared<platform::Random>(1u);
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        gStats = std::make_shared<StatsClass>();
    }
    void TearDown() override
    {
        ResetGlobals();
        qputenv("XDG_CONFIG_HOME", mSavedConfig);
    }

    // One committed write, as an edited or damaged store file presents it.
    static void Execute(const QString& sql)
    {
        gPrefsDatabase->mDB->SQLExecute(sql);
        ASSERT_TRUE(gPrefsDatabase->mDB->Commit()) << sql.toStdString();
    }
    // Records a solve of every built-in puzzle but the ones given and
    // brings the statistics up to date.
    static void SolveAllBut(std::initializer_list<int> unsolved)
    {
        Execute(QStringLiteral("DELETE FROM SolvedPuzzles"));
        for (int n = 1; n <= kBuiltInPuzzles; ++n) {
            if (std::find(unsolved.begin(), unsolved.end(), n) == unsolved.end()) {
                Execute(QStringLiteral("INSERT INTO SolvedPuzzles VALUES(%1, 0)").arg(n));
            }
        }
        gStats->LoadStats();
    }

    static constexpr int kBuiltInPuzzles = 30;

private:
    QTemporaryDir mConfig;
    QByteArray mSavedConfig;
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
        const std::array<PieceClass*, 7> pieces{&l1, &l2, &m, &s1, &s2, &rh, &sq};
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            pieces[i]->SetPosition(values[i][0] + dx, values[i][1] + dy);
            pieces[i]->SetOrientation(values[i][2]);
            pieces[i]->SetPictureFromOrientation();
        }
    }
    void ComposeInto(PuzzleClass& puzzle) const { puzzle.SetFromPieces(l1, l2, m, s1, s2, rh, sq); }
};

// Built-in puzzle 1 as stored: a solid block of 20 x 40 cells.
inline constexpr std::array<std::array<int, 3>, 7> kFirstPuzzle{{{-80, -80, 4}, {0, 0, 8},
    {0, 140, 1}, {100, 200, 8}, {-40, 300, 2}, {-50, 200, 1}, {80, 280, 1}}};
