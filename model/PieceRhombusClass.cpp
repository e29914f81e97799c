#include "model/PieceRhombusClass.h"

#include "model/PiecePattern.h"
#include "model/SolutionGridClass.h"
#include "resources/PictureCatalogue.h"

namespace {

constexpr PieceShape kShape = PieceShape::Rhombus;

} // namespace

PieceRhombusClass::PieceRhombusClass()
{
    ConstructAs(kShape, kMaxOffset);
}

void PieceRhombusClass::RotateClockwise()
{
    StepClockwise(kOrientationCount);
}

std::shared_ptr<SolutionGridClass> PieceRhombusClass::GetSolutionGrid() const
{
    return MakeCellPattern(kShape, mOrientation);
}

void PieceRhombusClass::RotateCounterClockwise()
{
    StepCounterClockwise(kOrientationCount);
}

void PieceRhombusClass::SetPictureFromOrientation()
{
    static constexpr PictureAccessor kPictures[kOrientationCount] = {rhombus1, rhombus2, rhombus3, rhombus4};
    PictureFromOrientation(kPictures, kOrientationCount);
}
