#include "model/PieceSquareClass.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"

namespace {

constexpr PieceShape kShape = PieceShape::Square;

} // namespace

PieceSquareClass::PieceSquareClass()
{
    ConstructAs(kShape, kMaxOffset);
}

void PieceSquareClass::RotateClockwise()
{
    StepClockwise(kOrientationCount);
}

std::shared_ptr<SolutionGridClass> PieceSquareClass::GetSolutionGrid() const
{
    return MakeCellPattern(kShape, mOrientation);
}

void PieceSquareClass::RotateCounterClockwise()
{
    StepCounterClockwise(kOrientationCount);
}

void PieceSquareClass::SetPictureFromOrientation()
{
    static constexpr PictureAccessor kPictures[kOrientationCount] = {square1, square2};
    PictureFromOrientation(kPictures, kOrientationCount);
}
