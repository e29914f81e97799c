#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A figure as a rectangle of 10 x 10 pixel cells. Each cell holds a code
// saying which part of it is covered: 0 empty, 1 to 4 a half cut along a
// diagonal (top-left, top-right, bottom-left, bottom-right), 5 full.
// Composed grids hold the sum of the codes added into each cell, so two
// complementary halves of different pieces read as one full cell.
class SolutionGridClass {
public:
    static constexpr std::int32_t kEmpty = 0;
    static constexpr std::int32_t kTopLeftHalf = 1;
    static constexpr std::int32_t kTopRightHalf = 2;
    static constexpr std::int32_t kBottomLeftHalf = 3;
    static constexpr std::int32_t kBottomRightHalf = 4;
    static constexpr std::int32_t kFull = 5;
    // What GetCell answers for a cell outside the grid.
    static constexpr std::int32_t kOutside = -1;

    // Gives the grid width columns and height rows, all empty. A size of 0
    // (or below) in either direction leaves no cells.
    void SetGridSize(std::int32_t width, std::int32_t height);
    // Stores code in cell (x, y); ignored outside the grid.
    void SetCell(std::int32_t x, std::int32_t y, std::int32_t code);
    // The code of cell (x, y), or kOutside.
    std::int32_t GetCell(std::int32_t x, std::int32_t y) const;
    // Adds other into this grid with other's top-left cell at (offsetX,
    // offsetY). An offset outside the grid drops other whole; what hangs
    // past the right or bottom edge is clipped. Sets mHasOverlap where a
    // covered part of a cell meets another covered part.
    void AddGrid(std::int32_t offsetX, std::int32_t offsetY, const SolutionGridClass& other);
    // As above; a missing grid raises platform::NilObjectException.
    void AddGrid(std::int32_t offsetX, std::int32_t offsetY,
                 const std::shared_ptr<SolutionGridClass>& other);
    // Cuts away the empty rows and columns along the four borders and
    // records how many went on each side. A grid without any covered cell
    // holds no figure and is left as it is.
    void TrimEmptyCells();
    // True when both grids have the same size and equal codes everywhere.
    bool DoesMatch(const SolutionGridClass& other) const;
    // As above; a missing grid raises platform::NilObjectException.
    bool DoesMatch(const std::shared_ptr<SolutionGridClass>& other) const;
    std::int32_t GetWidth() const { return mWidth; }
    std::int32_t GetHeight() const { return mHeight; }

    // Read directly by the puzzle, its silhouette and the play table.
    std::int32_t mNumTrimmedRight = 0;
    std::int32_t mNumTrimmedBottom = 0;
    std::int32_t mNumTrimmedTop = 0;
    std::int32_t mNumTrimmedLeft = 0;
    bool mHasOverlap = false;

private:
    bool IsInside(std::int32_t x, std::int32_t y) const
    {
        return x >= 0 && y >= 0 && x < mWidth && y < mHeight;
    }
    std::int32_t& At(std::int32_t x, std::int32_t y) { return mGrid[Index(x, y)]; }
    std::int32_t At(std::int32_t x, std::int32_t y) const { return mGrid[Index(x, y)]; }
    std::size_t Index(std::int32_t x, std::int32_t y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth)
            + static_cast<std::size_t>(x);
    }
    bool IsRowEmpty(std::int32_t y) const;
    bool IsColumnEmpty(std::int32_t x) const;

    // The cell codes, row by row: cell (x, y) at y * mWidth + x.
    std::vector<std::int32_t> mGrid;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
};

using SolutionGridPtr = std::shared_ptr<SolutionGridClass>;
