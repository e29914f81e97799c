#include "platform/Picture.h"

#include "platform/Graphics.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr QRgb kFreshPictureColor = 0xFFFFFFFF; // a new picture is white
constexpr QRgb kFreshMaskColor = 0xFF000000;    // a new mask shows everything
constexpr QRgb kOpaque = 0xFF000000;

} // namespace

Picture::Picture(int width, int height, int /*depth*/)
    : Picture(QSize(width, height), kFreshPictureColor)
{
}

Picture::Picture(const QSize& size, QRgb fill, bool deferFill)
    : mImage(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32)
    , mFillPending(true)
    , mFill(fill)
{
    if (!deferFill) {
        FillIfPending();
    }
}

std::shared_ptr<Picture> Picture::Filled(int width, int height, QRgb colour)
{
    // Not make_shared: the constructor is private.
    return std::shared_ptr<Picture>(
        new Picture(QSize(width, height), kOpaque | colour, true));
}

std::shared_ptr<Picture> Picture::FromTiles(int width, int height, const TiledPixels& tiles)
{
    // Not make_shared: the constructor is private. The plane's memory is
    // set aside but stays untouched until the plane is made.
    std::shared_ptr<Picture> picture(new Picture(QSize(width, height), kOpaque, true));
    picture->mTiles = tiles;
    return picture;
}

void Picture::FillIfPending() const
{
    if (!mFillPending) {
        return;
    }
    mFillPending = false;
    if (mImage.isNull()) {
        return;
    }
    if (mTiles.tiles == nullptr) {
        mImage.fill(mFill);
        return;
    }
    for (int y = 0; y < mImage.height(); ++y) {
        CopyTiledRow(y, 0, mImage.width(), reinterpret_cast<std::uint32_t*>(mImage.scanLine(y)));
    }
}

void Picture::CopyTiledRow(int y, int left, int count, std::uint32_t* out) const
{
    constexpr int kTile = kBundleTileWidth;
    constexpr std::size_t kTileBytes = sizeof(std::uint32_t) * kTile;
    const std::uint16_t* cell =
        mTiles.tileOfCell + static_cast<std::size_t>(y) * static_cast<std::size_t>(mTiles.tilesPerRow)
        + left / kTile;
    const auto tile = [this](std::uint16_t n) { return mTiles.tiles + static_cast<std::size_t>(n) * kTile; };
    // A first tile entered part way, then whole tiles, then part of the last.
    const int within = left % kTile;
    if (within != 0) {
        const int n = std::min(kTile - within, count);
        std::memcpy(out, tile(*cell++) + within, sizeof(std::uint32_t) * static_cast<std::size_t>(n));
        out += n;
        count -= n;
    }
    for (; count >= kTile; count -= kTile, out += kTile) {
        std::memcpy(out, tile(*cell++), kTileBytes);
    }
    if (count > 0) {
        std::memcpy(out, tile(*cell), sizeof(std::uint32_t) * static_cast<std::size_t>(count));
    }
}

const QImage& Picture::Image() const
{
    FillIfPending();
    return mImage;
}

Picture::Picture(const QImage& image)
    : mImage(image.format() == QImage::Format_Grayscale8 ? image
                                                         : image.convertToFormat(QImage::Format_RGB32))
{
}

Picture::~Picture()
{
    // A mask may outlive its picture when a caller still holds it.
    if (mMask) {
        mMask->mOwner = nullptr;
    }
}

int Picture::Width() const
{
    return mImage.width();
}

int Picture::Height() const
{
    return mImage.height();
}

platform::Graphics& Picture::Graphics()
{
    if (!mGraphics) {
        // A mask shares the mask picture drawn over it, grey as it came.
        mGraphics = std::make_unique<platform::Graphics>(
            &mImage, [this](const QRect&) { PlaneChanged(); }, mOwner != nullptr,
            [this] { FillIfPending(); });
    }
    return *mGraphics;
}

std::shared_ptr<Picture> Picture::Mask()
{
    if (!mMask) {
        // Not make_shared: the constructor is private.
        // Its plane is made black only when something reads it or draws
        // into part of it: a mask picture drawn over all of it, as a masked
        // picture's loading does, simply takes its place.
        mMask.reset(new Picture(mImage.size(), kFreshMaskColor, true));
        mMask->mOwner = this;
        // An all-black mask leaves the composite as it was.
    }
    return mMask;
}

QImage& Picture::ImageForWriting()
{
    QImage& plane = Graphics().Plane();
    PlaneChanged();
    return plane;
}

void Picture::Changed()
{
    PlaneChanged();
}

void Picture::PlaneChanged()
{
    // Whatever changed the plane has either filled it first or replaced it.
    mFillPending = false;
    ForgetComposite();
    if (mOwner) {
        mOwner->ForgetComposite();
    }
}

void Picture::ForgetComposite() const
{
    mCompositedValid = false;
    mFillRunsValid = false;
    mPacked = {};
    mPackedPixels = nullptr;
}

void Picture::UseBuiltRuns() const
{
    mRunBase = mRuns.data();
    mRowRunBase = mRowRuns.data();
    mPacked = {};
    mPackedPixels = nullptr;
}

bool Picture::ShowsEveryPixel() const
{
    // A mask that lost its size (its picture's plane was replaced) is ignored
    // rather than read out of bounds.
    // A mask still waiting for its black fill shows everything.
    return !mMask || mMask->mFillPending || mMask->Width() != Width()
        || mMask->Height() != Height();
}

const QImage& Picture::Composited() const
{
    if (ShowsEveryPixel() && mImage.format() == QImage::Format_RGB32) {
        mComposited = QImage();
        return Image();
    }
    if (!mCompositedValid) {
        BuildComposite();
        mCompositedValid = true;
    }
    return mComposited;
}

void Picture::AdoptComposite(const PackedComposite& composite)
{
    if (composite.data == nullptr || composite.width != static_cast<std::uint32_t>(Width())
        || composite.height != static_cast<std::uint32_t>(Height()) || ShowsEveryPixel()) {
        return;
    }
    ForgetComposite();
    mComposited = QImage();
    mPacked = composite;
}

bool Picture::UsesPackedComposite() const
{
    if (mPackedPixels != nullptr) {
        return true;
    }
    if (mPacked.data == nullptr) {
        return false;
    }
    const PackedComposite packed = mPacked;
    mPacked = {};
    // The layout of kBundleRuns: a header, each row's first run and then the
    // end, the runs, their pixels.
    const std::uint64_t runsAt = BundleRunsOffset(packed.height);
    if (packed.size < runsAt) {
        return false;
    }
    BundleRunsHeader header{};
    std::memcpy(&header, packed.data, sizeof header);
    const std::uint64_t pixelsAt = runsAt + std::uint64_t{header.runCount} * sizeof(BundleRun);
    if (packed.size != pixelsAt + std::uint64_t{header.pixelCount} * sizeof(std::uint32_t)) {
        return false;
    }
    const auto* rowRuns = reinterpret_cast<const std::uint32_t*>(packed.data + sizeof header);
    const auto* runs = reinterpret_cast<const Run*>(packed.data + runsAt);
    if (rowRuns[0] != 0 || rowRuns[packed.height] != header.runCount
        || !std::is_sorted(rowRuns, rowRuns + packed.height + 1)) {
        return false;
    }
    const bool sound = std::all_of(runs, runs + header.runCount, [&](const Run& run) {
        return run.start >= 0 && run.length > 0
            && std::uint64_t(run.start) + std::uint64_t(run.length) <= packed.width
            && std::uint64_t{run.pixel} + std::uint64_t(run.length) <= header.pixelCount;
    });
    if (sound) {
        mRunBase = runs;
        mRowRunBase = rowRuns;
        mPackedPixels = reinterpret_cast<const std::uint32_t*>(packed.data + pixelsAt);
    }
    return sound;
}

void Picture::AddRun(std::size_t rowFirstRun, int start, int end, bool opaque) const
{
    Run* last = mRuns.size() > rowFirstRun ? &mRuns.back() : nullptr;
    if (last != nullptr && last->opaque == opaque && last->start + last->length == start) {
        last->length += end - start;
    } else {
        mRuns.push_back(Run{start, end - start, opaque ? 1u : 0u, 0});
    }
}

bool Picture::IsMaskedFill() const
{
    return PendingOneColour() && !ShowsEveryPixel()
        && mMask->Image().format() == QImage::Format_Grayscale8;
}

void Picture::BuildFillRuns() const
{
    if (!mFillRunsValid) {
        BuildMaskRuns(false);
        mFillRow.assign(static_cast<std::size_t>(Width()), mFill);
        constexpr std::size_t kGreys = 256;
        mFillShades.resize(kGreys);
        for (std::size_t grey = 0; grey < kGreys; ++grey) {
            mFillShades[grey] = MaskedPixel(mFill, static_cast<std::uint32_t>(grey));
        }
        mFillRunsValid = true;
    }
}

void Picture::PrepareDrawing() const
{
    if (IsMaskedFill()) {
        BuildFillRuns();
    } else if (!UsesPackedComposite()) {
        Composited();
    }
}

void Picture::BuildComposite() const
{
    if (PendingOneColour()) {
        // One colour: the composite starts from it, the plane stays unmade.
        mComposited = QImage(mImage.size(), QImage::Format_ARGB32_Premultiplied);
        mComposited.fill(mFill);
    } else {
        mComposited = Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    BuildMaskRuns(true);
}

void Picture::BuildMaskRuns(bool writeComposite) const
{
    const int width = Width();
    const int height = Height();
    mRuns.clear();
    mRowRuns.assign(static_cast<std::size_t>(height) + 1, 0);

    const bool masked = !ShowsEveryPixel();
    // A mask is 32-bit or, as it came from a mask picture, one grey byte a
    // pixel; qGray of a grey pixel is that grey.
    const bool greyMask = masked && mMask->Image().format() == QImage::Format_Grayscale8;
    for (int y = 0; y < height; ++y) {
        mRowRuns[static_cast<std::size_t>(y)] = static_cast<std::uint32_t>(mRuns.size());
        if (!masked) {
            if (width > 0) {
                mRuns.push_back(Run{0, width, 1u, 0});
            }
            continue;
        }
        auto* row = writeComposite ? reinterpret_cast<std::uint32_t*>(mComposited.scanLine(y)) : nullptr;
        const uchar* maskLine = mMask->mImage.constScanLine(y);
        const std::size_t rowFirstRun = mRuns.size();
        // Masks are mostly long stretches of one grey: each stretch is
        // handled at once, and only greys between black and white scale
        // pixel by pixel.
        for (int x = 0; x < width;) {
            int end = x + 1;
            int grey = 0;
            if (greyMask) {
                const uchar value = maskLine[x];
                end = SameBytesEnd(maskLine, x + 1, width, value);
                grey = value;
            } else {
                const auto* maskRow = reinterpret_cast<const QRgb*>(maskLine);
                while (end < width && maskRow[end] == maskRow[x]) {
                    ++end;
                }
                grey = qGray(maskRow[x]);
            }
            const auto alpha = static_cast<std::uint32_t>(kFullAlpha) - static_cast<std::uint32_t>(grey);
            const bool opaque = alpha == kFullAlpha;
            if (row == nullptr) {
                // Only the runs are wanted.
            } else if (alpha == 0) {
                std::fill(row + x, row + end, 0u); // what MaskedPixel gives under white
            } else if (!opaque) {
                for (int i = x; i < end; ++i) {
                    row[i] = MaskedPixel(row[i], static_cast<std::uint32_t>(grey));
                }
            }
            if (alpha != 0) {
                AddRun(rowFirstRun, x, end, opaque);
            }
            x = end;
        }
    }
    mRowRuns[static_cast<std::size_t>(height)] = static_cast<std::uint32_t>(mRuns.size());
    UseBuiltRuns();
}

} // namespace platform
