#include "model/PieceSmallTriangleClass.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"

namespace {

constexpr PieceShape kShape = PieceShape::SmallTriangle;

} // namespace

PieceSmallTriangleClass::PieceSmallTriangleClass()
{
    ConstructAs(kShape, kMaxOffset);
}

void PieceSmallTriangleClass::RotateClockwise()
{
    StepClockwise(kOrientationCount);
}

std::shared_ptr<SolutionGridClass> PieceSmallTriangleClass::GetSolutionGrid() const
{
    return MakeCellPattern(kShape, mOrientation);
}

void PieceSmallTriangleClass::RotateCounterClockwise()
{
    StepCounterClockwise(kOrientationCount);
}

void PieceSmallTriangleClass::SetPictureFromOrientation()
{
    static constexpr PictureAccessor kPictures[kOrientationCount] = {smalltriangle1, smalltriangle2, smalltriangle3, smalltriangle4, smalltriangle5, smalltriangle6, smalltriangle7, smalltriangle8};
    PictureFromOrientation(kPictures, kOrientationCount);
}
