#include "StoreTestSupport.h"

#include "model/PrefsDatabaseClass.h"
#include "model/StatsClass.h"
#include "platform/NilObjectException.h"

#include <array>
#include <memory>

namespace {

class StatsTest : public FreshPreferencesTest {
protected:
    void SetUp() override
    {
        FreshPreferencesTest::SetUp();
        gPrefsDatabase = std::make_shared<PrefsDatabaseClass>();
    }

    // Records a win the way the game does: one row, committed.
    static void RecordWin(int number, int hints)
    {
        platform::DatabaseRecord record;
        record.IntegerColumn("Number", number);
        record.IntegerColumn("NumHintsUsed", hints);
        gPrefsDatabase->mDB->InsertRecord("SolvedPuzzles", record);
        ASSERT_TRUE(gPrefsDatabase->mDB->Commit());
    }

    static void Execute(const QString& sql)
    {
        gPrefsDatabase->mDB->SQLExecute(sql);
        ASSERT_TRUE(gPrefsDatabase->mDB->Commit()) << sql.toStdString();
    }

    // The counters by number of hints, 0 to 7.
    static std::array<int, 8> HintCounts(const StatsClass& s)
    {
        return {s.mNum0Hints, s.mNum1Hints, s.mNum2Hints, s.mNum3Hints,
                s.mNum4Hints, s.mNum5Hints, s.mNum6Hints, s.mNum7Hints};
    }
};

} // namespace

TEST_F(StatsTest, ANewStoreHasTheCatalogueAndNoSolves)
{
    StatsClass stats;
    EXPECT_EQ(stats.mNumTotal, 30);
    EXPECT_EQ(stats.mNumSolved, 0);
    EXPECT_EQ(HintCounts(stats), (std::array<int, 8>{}));
}

TEST_F(StatsTest, EachWinCountsOnceUnderItsHintCount)
{
    StatsClass stats;
    std::array<int, 8> expected{};
    for (int hints = 0; hints <= 7; ++hints) {
        RecordWin(hints + 1, hints);
        EXPECT_EQ(stats.mNumSolved, hints) << "counts change only when loaded";
        stats.LoadStats();
        ++expected[static_cast<std::size_t>(hints)];
        EXPECT_EQ(stats.mNumSolved, hints + 1);
        EXPECT_EQ(HintCounts(stats), expected) << "after a win with " << hints << " hints";
        EXPECT_EQ(stats.mNumTotal, 30);
    }

    // The same puzzle solved again counts again.
    RecordWin(1, 3);
    stats.LoadStats();
    EXPECT_EQ(stats.mNumSolved, 9);
    EXPECT_EQ(stats.mNum3Hints, 2);

    // Records with no or an impossible hint count are solves in no hint column;
    // a record without a number is no solve at all.
    Execute("INSERT INTO SolvedPuzzles VALUES(12, 9)");
    Execute("INSERT INTO SolvedPuzzles VALUES(13, NULL)");
    Execute("INSERT INTO SolvedPuzzles VALUES(NULL, 0)");
    stats.LoadStats();
    EXPECT_EQ(stats.mNumSolved, 11);
    EXPECT_EQ(stats.mNum0Hints, 2);
    int hintTotal = 0;
    for (const int n : HintCounts(stats)) {
        hintTotal += n;
    }
    EXPECT_EQ(hintTotal, 10);
}

TEST_F(StatsTest, DeletedRecordsAndAddedPuzzlesShowAfterTheNextLoad)
{
    for (int number = 1; number <= 30; ++number) {
        RecordWin(number, number % 2 == 0 ? 2 : 5);
    }
    StatsClass stats;
    EXPECT_EQ(stats.mNumSolved, stats.mNumTotal);
    EXPECT_EQ(stats.mNum2Hints, 15);
    EXPECT_EQ(stats.mNum5Hints, 15);

    Execute("DELETE FROM SolvedPuzzles WHERE Number = 4");
    stats.LoadStats();
    EXPECT_EQ(stats.mNumSolved, 29);
    EXPECT_EQ(stats.mNum2Hints, 14);
    EXPECT_EQ(stats.mNum5Hints, 15);

    Execute("INSERT INTO Puzzles (Number) VALUES (31)");
    Execute("DELETE FROM SolvedPuzzles");
    stats.LoadStats();
    EXPECT_EQ(stats.mNumTotal, 31);
    EXPECT_EQ(stats.mNumSolved, 0);
    EXPECT_EQ(HintCounts(stats), (std::array<int, 8>{}));
}

TEST_F(StatsTest, AMissingStoreRaisesAndAnUnansweredCountKeepsItsValue)
{
    StatsClass stats;
    RecordWin(3, 1);
    gPrefsDatabase->mDB->SQLExecute("ALTER TABLE SolvedPuzzles RENAME TO Gone");
    stats.LoadStats();
    EXPECT_EQ(stats.mNumTotal, 30);
    EXPECT_EQ(stats.mNumSolved, 0) << "a table the store cannot read keeps the last known count";

    gPrefsDatabase.reset();
    EXPECT_THROW(stats.LoadStats(), platform::NilObjectException);
    EXPECT_THROW(StatsClass{}, platform::NilObjectException);
}
