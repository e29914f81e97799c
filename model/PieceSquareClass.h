#pragma once

#include "model/PieceClass.h"

// The square: upright or turned into a diamond, the two looks a quarter turn
// allows; 140 x 140 pixel pictures.
class PieceSquareClass : public PieceClass {
public:
    static constexpr std::int32_t kOrientationCount = 2;
    // Pixels the picture may hang past a table edge: its widest empty border.
    static constexpr std::int32_t kMaxOffset = 20;

    PieceSquareClass();

    void RotateClockwise() override;
    std::shared_ptr<SolutionGridClass> GetSolutionGrid() const override;
    void RotateCounterClockwise() override;
    void SetPictureFromOrientation() override;
};
