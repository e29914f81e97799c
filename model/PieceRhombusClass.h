#pragma once

#include "model/PieceClass.h"

// The rhombus: a parallelogram looks the same after a half turn, so four
// orientations cover it; 210 x 210 pixel pictures. It is never flipped.
class PieceRhombusClass : public PieceClass {
public:
    static constexpr std::int32_t kOrientationCount = 4;
    // Pixels the picture may hang past a table edge: its widest empty border.
    static constexpr std::int32_t kMaxOffset = 70;

    PieceRhombusClass();

    void RotateClockwise() override;
    std::shared_ptr<SolutionGridClass> GetSolutionGrid() const override;
    void RotateCounterClockwise() override;
    void SetPictureFromOrientation() override;
};
