#pragma once

#include "model/PieceClass.h"

// A large triangle: eight orientations, 280 x 280 pixel pictures.
class PieceLargeTriangleClass : public PieceClass {
public:
    static constexpr std::int32_t kOrientationCount = 8;
    // Pixels the picture may hang past a table edge: its widest empty border.
    static constexpr std::int32_t kMaxOffset = 80;

    PieceLargeTriangleClass();

    void RotateClockwise() override;
    std::shared_ptr<SolutionGridClass> GetSolutionGrid() const override;
    void RotateCounterClockwise() override;
    void SetPictureFromOrientation() override;
};
