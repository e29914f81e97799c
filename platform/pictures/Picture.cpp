#include "platform/pictures/Picture.h"

#include "platform/pictures/BundleReader.h"
#include "platform/pictures/Graphics.h"
#include "platform/pictures/PictureRowWriter.h"
#include "platform/pictures/PixelMath.h"

#include <algorithm>

namespace platform {

namespace {

constexpr QRgb kFreshPictureColor = 0xFFFFFFFF; // a new picture is white
constexpr QRgb kFreshMaskColor = 0xFF000000;    // a new mask shows everything
constexpr QRgb kOpaque = 0xFF000000;
constexpr std::size_t kGreys = 256;

} // namespace

Picture::Picture(int width, int height, int /*depth*/)
    : Picture(QSize(width, height), OneColour{kFreshPictureColor})
{
    FillIfPending();
}

Picture::Picture(const QSize& size, const PixelSource& pixels)
    : mPlane(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32)
    , mPixels(pixels)
{
}

Picture::Picture(const QImage& image)
    : mPlane(image.format() == QImage::Format_Grayscale8 ? image
                                                         : image.convertToFormat(QImage::Format_RGB32))
{
}

std::shared_ptr<Picture> Picture::Filled(int width, int height, QRgb colour)
{
    // Not make_shared: the constructor is private.
    return std::shared_ptr<Picture>(new Picture(QSize(width, height), OneColour{kOpaque | colour}));
}

std::shared_ptr<Picture> Picture::FromTiles(const TiledPixels& tiles)
{
    return std::shared_ptr<Picture>(new Picture(QSize(tiles.width, tiles.height), tiles));
}

std::shared_ptr<Picture> Picture::Masked(const MaskedPixels& pixels)
{
    auto picture = std::make_shared<Picture>(pixels.colour);
    picture->Attach(new Picture(pixels.mask));
    picture->mDrawing = pixels.composite;
    return picture;
}

Picture::~Picture()
{
    // A mask may outlive its picture when a caller still holds it.
    if (mMask) {
        mMask->mMaskOf = nullptr;
    }
}

void Picture::Attach(Picture* mask)
{
    mMask.reset(mask);
    mMask->mMaskOf = this;
}

void Picture::OwnerRedraws() const
{
    if (mMaskOf && *mMaskOf) {
        (*mMaskOf)->mDrawing = std::monostate{};
    }
}

void Picture::FillIfPending() const
{
    if (std::holds_alternative<InPlane>(mPixels)) {
        return;
    }
    if (const auto* one = std::get_if<OneColour>(&mPixels)) {
        mPlane.fill(one->colour);
    } else {
        PictureRowWriter writer(mPlane, 0, 0);
        ReadRows(std::get<TiledPixels>(mPixels), mPlane.rect(), writer);
    }
    mPixels = InPlane{};
    // A mask made now starts to count: what drew its picture did not see it.
    OwnerRedraws();
}

int Picture::Width() const
{
    return mPlane.width();
}

int Picture::Height() const
{
    return mPlane.height();
}

const QImage& Picture::Image() const
{
    FillIfPending();
    return mPlane;
}

platform::Graphics& Picture::Graphics()
{
    if (!mGraphics) {
        // A mask shares the mask picture drawn over it, grey as it came.
        mGraphics = std::make_unique<platform::Graphics>(
            &mPlane, [this](const QRect&) { Changed(); }, mMaskOf.has_value(),
            [this] { FillIfPending(); });
    }
    return *mGraphics;
}

std::shared_ptr<Picture> Picture::Mask()
{
    if (!mMask) {
        // Not make_shared: the constructor is private. Its black is made
        // only when something reads it or draws into part of it: a mask
        // picture drawn over all of it, as a masked picture's loading does,
        // simply takes its place. An all-black mask leaves the picture as it was.
        Attach(new Picture(mPlane.size(), OneColour{kFreshMaskColor}));
    }
    return mMask;
}

QImage& Picture::ImageForWriting()
{
    QImage& plane = Graphics().Plane();
    Changed();
    return plane;
}

void Picture::Changed()
{
    // Whatever changed the plane has either made it first or replaced it.
    mPixels = InPlane{};
    mDrawing = std::monostate{};
    OwnerRedraws();
}

bool Picture::ShowsEveryPixel() const
{
    // A mask still waiting for its black shows everything; one that lost its
    // size (its picture's plane was replaced) is ignored rather than read
    // out of bounds.
    return !mMask || !std::holds_alternative<InPlane>(mMask->mPixels) || mMask->Width() != Width()
        || mMask->Height() != Height();
}

const QImage& Picture::Composited() const
{
    if (ShowsEveryPixel() && mPlane.format() == QImage::Format_RGB32) {
        return Image();
    }
    if (!std::holds_alternative<BuiltComposite>(mDrawing)) {
        mDrawing = MakeComposite();
    }
    return std::get<BuiltComposite>(mDrawing).image;
}

PictureRows Picture::Rows() const
{
    if (!ShowsEveryPixel()) {
        return MaskedRows();
    }
    if (const auto* tiles = std::get_if<TiledPixels>(&mPixels)) {
        return *tiles;
    }
    return PlaneRows{&Image()};
}

PictureRows Picture::MaskedRows() const
{
    if (std::holds_alternative<std::monostate>(mDrawing)) {
        const auto* one = std::get_if<OneColour>(&mPixels);
        if (one != nullptr && mMask->mPlane.format() == QImage::Format_Grayscale8) {
            mDrawing = MakeShadedFill(one->colour);
        } else {
            mDrawing = MakeComposite();
        }
    }
    if (const auto* madeAhead = std::get_if<PackedComposite>(&mDrawing)) {
        return madeAhead->Rows();
    }
    if (const auto* fill = std::get_if<ShadedFill>(&mDrawing)) {
        return ShadedRows{fill->runs.Table(), &fill->greys, fill->colourRow.data(), fill->shades.data()};
    }
    const auto& built = std::get<BuiltComposite>(mDrawing);
    return CompositeRows{built.runs.Table(), reinterpret_cast<const std::uint32_t*>(built.image.constBits())};
}

Picture::BuiltComposite Picture::MakeComposite() const
{
    BuiltComposite built;
    if (const auto* one = std::get_if<OneColour>(&mPixels)) {
        // One colour: the composite starts from it, the plane stays unmade.
        built.image = QImage(mPlane.size(), QImage::Format_ARGB32_Premultiplied);
        built.image.fill(one->colour);
    } else {
        built.image = Image().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    if (!ShowsEveryPixel()) {
        built.runs = ReadMask(mMask->mPlane, &built.image);
    }
    return built;
}

Picture::ShadedFill Picture::MakeShadedFill(QRgb colour) const
{
    ShadedFill fill{ReadMask(mMask->mPlane, nullptr), mMask->mPlane,
                    std::vector<std::uint32_t>(std::size_t(Width()), colour), std::vector<std::uint32_t>(kGreys)};
    for (std::size_t grey = 0; grey < kGreys; ++grey) {
        fill.shades[grey] = MaskedPixel(colour, static_cast<std::uint32_t>(grey));
    }
    return fill;
}

Picture::MaskRuns Picture::ReadMask(const QImage& mask, QImage* composite)
{
    const int width = mask.width();
    const int height = mask.height();
    MaskRuns found;
    found.rowRuns.reserve(static_cast<std::size_t>(height) + 1);
    // A mask is 32-bit or, as it came from a mask picture, one grey byte a
    // pixel; qGray of a grey pixel is that grey.
    const bool greyMask = mask.format() == QImage::Format_Grayscale8;
    for (int y = 0; y < height; ++y) {
        found.rowRuns.push_back(static_cast<std::uint32_t>(found.runs.size()));
        const std::size_t rowFirstRun = found.runs.size();
        auto* row = composite != nullptr ? reinterpret_cast<std::uint32_t*>(composite->scanLine(y)) : nullptr;
        const uchar* maskLine = mask.constScanLine(y);
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
            // A stretch that shows joins the row's last run when that one
            // ends here and matches it.
            BundleRun* last = found.runs.size() > rowFirstRun ? &found.runs.back() : nullptr;
            if (alpha == 0) {
                // Nothing of it shows.
            } else if (last != nullptr && (last->opaque != 0) == opaque && last->start + last->length == x) {
                last->length += end - x;
            } else {
                // Its pixels in the composite, the rows lying one after another.
                const auto pixel = static_cast<std::uint32_t>(std::size_t(y) * std::size_t(width) + std::size_t(x));
                found.runs.push_back(BundleRun{x, end - x, opaque ? 1u : 0u, pixel});
            }
            x = end;
        }
    }
    found.rowRuns.push_back(static_cast<std::uint32_t>(found.runs.size()));
    return found;
}

} // namespace platform
