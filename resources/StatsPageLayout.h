#pragma once

// Where the Stats page's figures stand, shared by the page's backdrop, which
// writes a label before each figure, and the play window, which writes the
// figures: x of each figure's left edge and the baselines of its rows.
namespace statspage {

inline constexpr int kFigureX = 123;
inline constexpr int kSolvedBaseline = 68;
// The "no hints" row; the rows for one to seven hints follow it.
inline constexpr int kFirstHintBaseline = 93;
inline constexpr int kHintRowStep = 18;
inline constexpr int kHintRows = 8;
inline constexpr int kUnsolvedBaseline = 243;

} // namespace statspage
