#include "model/PieceMediumTriangleClass.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"

namespace {

constexpr PieceShape kShape = PieceShape::MediumTriangle;

} // namespace

PieceMediumTriangleClass::PieceMediumTriangleClass()
{
    ConstructAs(kShape, kMaxOffset);
}

void PieceMediumTriangleClass::RotateClockwise()
{
    StepClockwise(kOrientationCount);
}

std::shared_ptr<SolutionGridClass> PieceMediumTriangleClass::GetSolutionGrid() const
{
    return MakeCellPattern(kShape, mOrientation);
}

void PieceMediumTriangleClass::RotateCounterClockwise()
{
    StepCounterClockwise(kOrientationCount);
}

void PieceMediumTriangleClass::SetPictureFromOrientation()
{
    static constexpr PictureAccessor kPictures[kOrientationCount] = {mediumtriangle1, mediumtriangle2, mediumtriangle3, mediumtriangle4, mediumtriangle5, mediumtriangle6, mediumtriangle7, mediumtriangle8};
    PictureFromOrientation(kPictures, kOrientationCount);
}
