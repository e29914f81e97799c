#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace platform {
class Database;
}

// The game in progress as one row of the store's SavedPuzzle table: the
// puzzle, the hints taken and where the player's seven pieces lie.
class SavedGameRecord {
public:
    // The pieces in the order their columns are written and read.
    enum Piece : std::size_t {
        LargeTriangle1,
        LargeTriangle2,
        SmallTriangle1,
        SmallTriangle2,
        MediumTriangle,
        Rhombus,
        Square,
        PieceCount
    };

    struct Place {
        std::int32_t posX = 0;
        std::int32_t posY = 0;
        std::int32_t orientation = 1;
    };

    // Appends the row and commits it; rows already there stay.
    void AppendTo(platform::Database& db) const;

    // Reads the first saved row, then deletes every saved row (a row that
    // cannot be resumed must not block every later start). Nothing when the
    // store holds no saved game.
    static std::optional<SavedGameRecord> TakeFirst(platform::Database& db);

    // Whether every orientation lies in its shape's range, the hint count
    // in 0 to the number of pieces, and a puzzle is named; the play table
    // never writes anything else, so a row failing this is damaged.
    bool IsSound() const;

    std::int32_t mNumber = 0;
    std::int32_t mHintCount = 0;
    std::array<Place, PieceCount> mPieces{};
};
