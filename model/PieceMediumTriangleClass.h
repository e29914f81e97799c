#pragma once

#include "model/PieceClass.h"

// The medium triangle: eight orientations, 200 x 200 pixel pictures.
class PieceMediumTriangleClass : public PieceClass {
public:
    static constexpr std::int32_t kOrientationCount = 8;
    // Pixels the picture may hang past a table edge: its widest empty border.
    static constexpr std::int32_t kMaxOffset = 60;

    PieceMediumTriangleClass();

    void RotateClockwise() override;
    std::shared_ptr<SolutionGridClass> GetSolutionGrid() const override;
    void RotateCounterClockwise() override;
    void SetPictureFromOrientation() override;
};
