#pragma once

#include "model/PieceClass.h"

// A small triangle: eight orientations, 140 x 140 pixel pictures.
class PieceSmallTriangleClass : public PieceClass {
public:
    static constexpr std::int32_t kOrientationCount = 8;
    // Pixels the picture may hang past a table edge: its widest empty border.
    static constexpr std::int32_t kMaxOffset = 40;

    PieceSmallTriangleClass();

    void RotateClockwise() override;
    std::shared_ptr<SolutionGridClass> GetSolutionGrid() const override;
    void RotateCounterClockwise() override;
    void SetPictureFromOrientation() override;
};
