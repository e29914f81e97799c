#pragma once

#include "app/Globals.h"
#include "model/PrefsDatabaseClass.h"
#include "model/StatsClass.h"
#include "platform/Database.h"
#include "platform/Random.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// Every puzzle test plays on a fresh store file in its own preferences
// folder, with the globals set up as the game's start does.
class PuzzleStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGlobals();
        mSavedConfig = qgetenv("XDG_CONFIG_HOME");
        ASSERT_TRUE(mConfig.isValid());
        qputenv("XDG_CONFIG_HOME", mConfig.path().toUtf8());
        gRandom = std::make_shared<platform::Random>(kSeed);
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
        gStats = std::make_shared<StatsClass>();
    }

    void TearDown() override
    {
        ResetGlobals();
        qputenv("XDG_CONFIG_HOME", mSavedConfig);
    }

    static platform::Database& Store() { return *gPrefsDatabase->mDB; }

    // Runs one write on the store and commits it, as a damaged or edited
    // file would present itself.
    static void Execute(const QString& sql)
    {
        Store().SQLExecute(sql);
        ASSERT_TRUE(Store().Commit()) << sql.toStdString();
    }

    // Records a solve of each number and brings the statistics up to date.
    static void Solve(std::initializer_list<int> numbers)
    {
        for (int n : numbers) {
            Execute(QStringLiteral("INSERT INTO SolvedPuzzles VALUES(%1, 0)").arg(n));
        }
        gStats->LoadStats();
    }

    // Solves every built-in puzzle except the ones given.
    static void SolveAllBut(std::initializer_list<int> unsolved)
    {
        for (int n = 1; n <= kBuiltInPuzzles; ++n) {
            if (std::find(unsolved.begin(), unsolved.end(), n) == unsolved.end()) {
                Execute(QStringLiteral("INSERT INTO SolvedPuzzles VALUES(%1, 0)").arg(n));
            }
        }
        gStats->LoadStats();
    }

    static constexpr int kBuiltInPuzzles = 30;
    static constexpr std::uint32_t kSeed = 12345;

private:
    QTemporaryDir mConfig;
    QByteArray mSavedConfig;
};
