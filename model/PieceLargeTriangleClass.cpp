#include "model/PieceLargeTriangleClass.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"

namespace {

constexpr PieceShape kShape = PieceShape::LargeTriangle;

} // namespace

PieceLargeTriangleClass::PieceLargeTriangleClass()
{
    ConstructAs(kShape, kMaxOffset);
}

void PieceLargeTriangleClass::RotateClockwise()
{
    StepClockwise(kOrientationCount);
}

std::shared_ptr<SolutionGridClass> PieceLargeTriangleClass::GetSolutionGrid() const
{
    return MakeCellPattern(kShape, mOrientation);
}

void PieceLargeTriangleClass::RotateCounterClockwise()
{
    StepCounterClockwise(kOrientationCount);
}

void PieceLargeTriangleClass::SetPictureFromOrientation()
{
    static constexpr PictureAccessor kPictures[kOrientationCount] = {largetriangle1, largetriangle2, largetriangle3, largetriangle4, largetriangle5, largetriangle6, largetriangle7, largetriangle8};
    PictureFromOrientation(kPictures, kOrientationCount);
}
