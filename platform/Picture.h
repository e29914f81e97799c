#pragma once

#include "platform/ResourceBundle.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class Graphics;

// Colour art kept as tiles in the resource block (kBundleTiles): the tile of
// each stretch of kBundleTileWidth pixels, row by row, and the table of
// distinct tiles they name.
struct TiledPixels {
    const std::uint16_t* tileOfCell = nullptr;
    const std::uint32_t* tiles = nullptr;
    int tilesPerRow = 0;
};

// A composite made ahead as runs (kBundleRuns): the entry's data and the
// picture size it was made for. Nothing of it is read until the picture is
// first drawn, when it is checked.
struct PackedComposite {
    const unsigned char* data = nullptr;
    std::uint64_t size = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// A picture: a colour plane and, once asked for, a grey mask plane of the same
// size. In the mask, black shows the picture's pixel, white leaves what lies
// beneath, greys blend. Pictures are shared by reference (PicturePtr).
class Picture : public std::enable_shared_from_this<Picture> {
public:
    // depth is accepted for the callers' sake; every new picture is 32-bit RGB.
    Picture(int width, int height, int depth = 32);
    // A picture of one colour (0xRRGGBB) whose plane takes memory only when
    // something reads it or draws into part of it; its composite is made
    // from the colour alone.
    static std::shared_ptr<Picture> Filled(int width, int height, QRgb colour);
    // Colour art read from tiles. Its plane is made from them only when
    // something reads it or draws into it; drawing the picture somewhere
    // copies straight from the tiles.
    static std::shared_ptr<Picture> FromTiles(int width, int height, const TiledPixels& tiles);
    // Wraps an existing image without copying it: a grey one (mask art) as
    // it is, any other as RGB32. Used for loaded resources.
    explicit Picture(const QImage& image);
    ~Picture();

    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;

    // The drawing surface on the colour plane; never null.
    platform::Graphics& Graphics();

    // The mask, a grey picture of the same size with its own Graphics; never
    // null. Created on first use all black, so asking for it changes nothing
    // until something is drawn into it.
    std::shared_ptr<Picture> Mask();
    bool HasMask() const { return static_cast<bool>(mMask); }

    // The colour plane: RGB32, or one grey byte a pixel for mask art until
    // something draws into it. ImageForWriting always gives RGB32; callers
    // that write into it directly must call Changed() afterwards.
    const QImage& Image() const;
    // The colour plane's format, read without making a pending plane.
    QImage::Format Format() const { return mImage.format(); }
    QImage& ImageForWriting();
    void Changed();

    // Whether every pixel shows as it stands: no mask, a mask nothing has
    // been drawn into yet, or one that lost its size; drawing the picture is
    // then a plain copy.
    bool ShowsEveryPixel() const;

    // The picture composited through its mask as premultiplied ARGB (alpha is
    // 255 minus the mask's grey), cached until either plane changes. A picture
    // that shows every pixel is its own composite: its 0xFFRRGGBB pixels are
    // opaque premultiplied ones already, so nothing is copied.
    const QImage& Composited() const;
    // Takes a composite made ahead (the built-in art's) for drawing the
    // picture at its natural size: its runs and pixels must be what
    // Composited() would build from the planes as they stand, for a picture
    // whose mask is in place. One of another size is ignored, and one found
    // damaged when first drawn is set aside for a composite of the planes.
    // Dropped when either plane changes; Composited() itself still builds the
    // image when asked.
    void AdoptComposite(const PackedComposite& composite);
    // Readies the picture for drawing: a picture of one colour seen through a
    // grey mask needs only the mask's runs, as it is drawn from its colour
    // and mask with no composite made; any other needs its composite.
    void PrepareDrawing() const;

private:
    friend class Graphics;

    // A stretch of one composited row that is not fully transparent: either
    // fully opaque (copied as it stands) or partly covered (blended). Its
    // pixel is used only by a composite made ahead.
    using Run = BundleRun;

    // A picture of that size filled with one colour; a deferred fill is
    // made only when the plane is first read or partly drawn into, so a mask
    // that is wholly replaced at once never spends it.
    Picture(const QSize& size, QRgb fill, bool deferFill = false);
    void FillIfPending() const;
    // Whether the plane, still unmade, is to be one colour (not tiles).
    bool PendingOneColour() const { return mFillPending && mTiles.tiles == nullptr; }
    // Whether the plane, still unmade, is to come from tiles.
    bool PendingTiles() const { return mFillPending && mTiles.tiles != nullptr; }
    // Copies count pixels of row y from the tiles, from column left on.
    void CopyTiledRow(int y, int left, int count, std::uint32_t* out) const;
    // Forgets the composite and its runs, built or made ahead.
    void ForgetComposite() const;
    // Whether a composite made ahead is held and sound, its runs in use;
    // reads and checks it the first time.
    bool UsesPackedComposite() const;
    void PlaneChanged();
    void BuildComposite() const;
    // Whether the picture is one colour, still unmade, through a grey mask:
    // drawn from the colour and the mask's runs alone.
    bool IsMaskedFill() const;
    // The runs of a masked fill, read from its mask; no composite is made.
    void BuildFillRuns() const;
    // The runs of the grey or 32-bit mask, row by row; where composite rows
    // are given, what the mask hides or half-shows of them is written too.
    void BuildMaskRuns(bool writeComposite) const;
    // Adds the stretch [start, end) of the current row to the runs, joined
    // to the row's last run when that one ends there and matches.
    void AddRun(std::size_t rowFirstRun, int start, int end, bool opaque) const;
    // The runs of row y of the composite; valid after Composited() of a
    // picture that does not show every pixel, after BuildFillRuns(), or while
    // a composite made ahead is held (mPackedPixels).
    const Run* RowRunsBegin(int y) const { return mRunBase + mRowRunBase[y]; }
    const Run* RowRunsEnd(int y) const { return mRunBase + mRowRunBase[y + 1]; }
    // Points the run reads at the runs built into the vectors.
    void UseBuiltRuns() const;

    mutable QImage mImage;  // filled, or made from mTiles, on first use while mFillPending
    mutable bool mFillPending = false;
    QRgb mFill = 0;
    TiledPixels mTiles;
    std::shared_ptr<Picture> mMask;
    Picture* mOwner = nullptr; // for a mask: the picture it belongs to
    std::unique_ptr<platform::Graphics> mGraphics;
    mutable QImage mComposited;
    mutable std::vector<Run> mRuns;
    mutable std::vector<std::uint32_t> mRowRuns; // first run of each row, then the end
    mutable const Run* mRunBase = nullptr;            // mRuns, or a composite made ahead
    mutable const std::uint32_t* mRowRunBase = nullptr; // mRowRuns, or the same
    // A composite made ahead, not yet read; then, once read and found sound,
    // the pixels of its runs (null when none is held).
    mutable PackedComposite mPacked;
    mutable const std::uint32_t* mPackedPixels = nullptr;
    mutable bool mCompositedValid = false;
    mutable bool mFillRunsValid = false; // a masked fill's runs, made without its composite
    // For drawing a masked fill: one row of its colour, copied where the mask
    // shows it whole, and the colour seen through each grey of the mask.
    mutable std::vector<std::uint32_t> mFillRow;
    mutable std::vector<std::uint32_t> mFillShades;
};

using PicturePtr = std::shared_ptr<Picture>;

} // namespace platform
