#pragma once

#include <cstdint>

class PuzzleClass;

// The solve statistics, counted afresh from the store on every load: the
// puzzles in the catalogue that the game plays, how many of them are solved,
// and how many were solved with each number of hints from 0 to 7 (a puzzle
// solved more than once counts once, with its fewest hints in that range).
class StatsClass {
public:
    // Counts at once from the store in gPrefsDatabase.
    StatsClass();

    // Sets every counter from the store's current contents. Raises
    // NilObjectException when there is no store; a count the store cannot
    // answer keeps its previous value.
    void LoadStats();
    // Whether no puzzle of the catalogue is left unsolved.
    bool AllSolved() const { return mNumTotal <= mNumSolved; }
    // Whether the game is over: every puzzle solved and none in play on the
    // table (it was won, or none is loaded). A puzzle still in play, which
    // another copy of the game may have recorded meanwhile, stays playable
    // to its end.
    bool IsGameOver(const PuzzleClass& onTable) const;

    std::int32_t mNumSolved = 0;
    std::int32_t mNum0Hints = 0;
    std::int32_t mNum7Hints = 0;
    std::int32_t mNum2Hints = 0;
    std::int32_t mNum3Hints = 0;
    std::int32_t mNum6Hints = 0;
    std::int32_t mNum4Hints = 0;
    std::int32_t mNum5Hints = 0;
    std::int32_t mNum1Hints = 0;
    std::int32_t mNumTotal = 0;
};
