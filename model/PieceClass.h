#pragma once

#include "platform/pictures/Picture.h"

#include <cstdint>
#include <memory>

class SolutionGridClass;
enum class PieceShape;

// What every tangram piece has: an orientation (1 to the shape's count of
// 45-degree turns), the position of its picture's top-left corner, the
// picture of the current orientation and its size, and how far the picture
// may hang past a table edge while dragged. Only the five shape classes are
// ever made; owners hold them as PieceClass.
class PieceClass {
public:
    virtual ~PieceClass() = default;

    PieceClass(const PieceClass&) = delete;
    PieceClass& operator=(const PieceClass&) = delete;

    // Whether (x, y), in the same pixels as mPosX and mPosY, lies on the
    // piece as its cell pattern draws it: the picture box's right and bottom
    // edges are outside, and a half cell owns the pixels of its diagonal
    // when it is a top half.
    virtual bool IsPointInside(std::int32_t x, std::int32_t y) const;
    // One 45-degree turn clockwise on screen.
    virtual void RotateClockwise() = 0;
    // Draws the picture at the piece's position into the play table's buffer.
    // Before the table exists this raises platform::NilObjectException.
    virtual void Draw() const;
    virtual void SetPosition(std::int32_t x, std::int32_t y);
    // Stores the number only; callers then call SetPictureFromOrientation.
    virtual void SetOrientation(std::int32_t orientation);
    // A new, untrimmed grid of the piece's cells in its current orientation;
    // empty when the orientation is out of range.
    virtual std::shared_ptr<SolutionGridClass> GetSolutionGrid() const = 0;
    // One 45-degree turn counter-clockwise on screen.
    virtual void RotateCounterClockwise() = 0;
    // Shows the picture of the current orientation; an orientation out of
    // range keeps the picture there was. Declared here so that owners holding
    // a piece as PieceClass can call it after writing mOrientation.
    virtual void SetPictureFromOrientation() = 0;

    std::int32_t mOrientation = 1;
    std::int32_t mPosX = 0;
    std::int32_t mPosY = 0;
    platform::PicturePtr mPicture;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::int32_t mMaxOffset = 0;

protected:
    PieceClass() = default;

    using PictureAccessor = platform::PicturePtr (*)();

    // The steps every shape's constructor takes, in order: orientation 1 and
    // its picture, the picture's size, position (0, 0), the drag margin. A
    // missing picture leaves the size of the shape's pattern instead.
    void ConstructAs(PieceShape shape, std::int32_t maxOffset);
    // Orientation steps that wrap within 1 to count.
    void StepClockwise(std::int32_t count);
    void StepCounterClockwise(std::int32_t count);
    // Sets mPicture from pictures[mOrientation - 1] when the orientation is
    // within 1 to count.
    void PictureFromOrientation(const PictureAccessor* pictures, std::int32_t count);
};

using PiecePtr = std::shared_ptr<PieceClass>;
