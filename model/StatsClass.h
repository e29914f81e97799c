#pragma once

#include <cstdint>

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
