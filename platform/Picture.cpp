#include "platform/Picture.h"

#include "platform/Graphics.h"
#include "platform/PixelMath.h"

#include <algorithm>

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

void Picture::FillIfPending() const
{
    if (mFillPending) {
        mFillPending = false;
        if (!mImage.isNull()) {
            mImage.fill(mFill);
        }
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
    mCompositedValid = false;
    mRunsPending = false;
    mFillRunsValid = false;
    if (mOwner) {
        mOwner->mCompositedValid = false;
        mOwner->mFillRunsValid = false;
    }
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
    } else if (mRunsPending) {
        BuildRunsFromAlpha();
    }
    return mComposited;
}

void Picture::AdoptComposite(const QImage& composite)
{
    if (composite.format() != QImage::Format_ARGB32_Premultiplied
        || composite.size() != mImage.size() || ShowsEveryPixel()) {
        return;
    }
    mComposited = composite;
    mCompositedValid = true;
    mRunsPending = true;
}

void Picture::AddRun(std::size_t rowFirstRun, int start, int end, bool opaque) const
{
    Run* last = mRuns.size() > rowFirstRun ? &mRuns.back() : nullptr;
    if (last != nullptr && last->opaque == opaque && last->start + last->length == start) {
        last->length += end - start;
    } else {
        mRuns.push_back(Run{start, end - start, opaque});
    }
}

void Picture::BuildRunsFromAlpha() const
{
    mRunsPending = false;
    const int width = Width();
    const int height = Height();
    mRuns.clear();
    mRowRuns.assign(static_cast<std::size_t>(height) + 1, 0);
    constexpr int kAlphaShift = 24;
    for (int y = 0; y < height; ++y) {
        mRowRuns[static_cast<std::size_t>(y)] = static_cast<int>(mRuns.size());
        const auto* row = reinterpret_cast<const std::uint32_t*>(mComposited.constScanLine(y));
        const std::size_t rowFirstRun = mRuns.size();
        // Stretches of clear, opaque or partly covered pixels, each added at once.
        // Each pixel's class is read with one unsigned comparison of it.
        constexpr std::uint32_t kLeastOpaque = kFullAlpha << kAlphaShift;
        constexpr std::uint32_t kLeastShown = 1u << kAlphaShift;
        constexpr std::uint32_t kPartlyShownSpan = kLeastOpaque - kLeastShown;
        for (int x = 0; x < width;) {
            const std::uint32_t alpha = row[x] >> kAlphaShift;
            int end = x + 1;
            if (alpha == 0) {
                while (end < width && row[end] < kLeastShown) {
                    ++end;
                }
            } else if (alpha == kFullAlpha) {
                while (end < width && row[end] >= kLeastOpaque) {
                    ++end;
                }
            } else {
                while (end < width && row[end] - kLeastShown < kPartlyShownSpan) {
                    ++end;
                }
            }
            if (alpha != 0) {
                AddRun(rowFirstRun, x, end, alpha == kFullAlpha);
            }
            x = end;
        }
    }
    mRowRuns[static_cast<std::size_t>(height)] = static_cast<int>(mRuns.size());
}

bool Picture::IsMaskedFill() const
{
    return mFillPending && !ShowsEveryPixel()
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
    } else {
        Composited();
    }
}

void Picture::BuildComposite() const
{
    mRunsPending = false;
    if (mFillPending) {
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
        mRowRuns[static_cast<std::size_t>(y)] = static_cast<int>(mRuns.size());
        if (!masked) {
            if (width > 0) {
                mRuns.push_back(Run{0, width, true});
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
                while (end < width && maskLine[end] == value) {
                    ++end;
                }
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
    mRowRuns[static_cast<std::size_t>(height)] = static_cast<int>(mRuns.size());
}

} // namespace platform
