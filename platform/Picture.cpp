#include "platform/Picture.h"

#include "platform/Graphics.h"
#include "platform/PixelMath.h"

#include <algorithm>

namespace platform {

namespace {

constexpr QRgb kFreshPictureColor = 0xFFFFFFFF; // a new picture is white
constexpr QRgb kFreshMaskColor = 0xFF000000;    // a new mask shows everything

} // namespace

Picture::Picture(int width, int height, int /*depth*/)
    : mImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32)
{
    if (!mImage.isNull()) {
        mImage.fill(kFreshPictureColor);
    }
}

Picture::Picture(const QImage& image)
    : mImage(image.convertToFormat(QImage::Format_RGB32))
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
        mGraphics = std::make_unique<platform::Graphics>(
            &mImage, [this](const QRect&) { PlaneChanged(); });
    }
    return *mGraphics;
}

std::shared_ptr<Picture> Picture::Mask()
{
    if (!mMask) {
        mMask = std::make_shared<Picture>(Width(), Height());
        if (!mMask->mImage.isNull()) {
            mMask->mImage.fill(kFreshMaskColor);
        }
        mMask->mOwner = this;
        // An all-black mask leaves the composite as it was.
    }
    return mMask;
}

QImage& Picture::ImageForWriting()
{
    PlaneChanged();
    return mImage;
}

void Picture::Changed()
{
    PlaneChanged();
}

void Picture::PlaneChanged()
{
    mCompositedValid = false;
    if (mOwner) {
        mOwner->mCompositedValid = false;
    }
}

bool Picture::ShowsEveryPixel() const
{
    // A mask that lost its size (its picture's plane was replaced) is ignored
    // rather than read out of bounds.
    return !mMask || mMask->Width() != Width() || mMask->Height() != Height();
}

const QImage& Picture::Composited() const
{
    if (ShowsEveryPixel() && mImage.format() == QImage::Format_RGB32) {
        mComposited = QImage();
        return mImage;
    }
    if (!mCompositedValid) {
        BuildComposite();
        mCompositedValid = true;
    }
    return mComposited;
}

void Picture::BuildComposite() const
{
    const int width = Width();
    const int height = Height();
    mComposited = mImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    mRuns.clear();
    mRowRuns.assign(static_cast<std::size_t>(height) + 1, 0);

    const bool masked = !ShowsEveryPixel();
    for (int y = 0; y < height; ++y) {
        mRowRuns[static_cast<std::size_t>(y)] = static_cast<int>(mRuns.size());
        if (!masked) {
            if (width > 0) {
                mRuns.push_back(Run{0, width, true});
            }
            continue;
        }
        auto* row = reinterpret_cast<std::uint32_t*>(mComposited.scanLine(y));
        const auto* maskRow = reinterpret_cast<const QRgb*>(mMask->mImage.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto alpha = static_cast<std::uint32_t>(kFullAlpha - qGray(maskRow[x]));
            row[x] = alpha == kFullAlpha ? row[x] : ScaleChannels(row[x] | 0xFF000000u, alpha);
            if (alpha == 0) {
                continue;
            }
            const bool opaque = alpha == kFullAlpha;
            if (!mRuns.empty() && mRuns.size() > static_cast<std::size_t>(mRowRuns[static_cast<std::size_t>(y)])) {
                Run& last = mRuns.back();
                if (last.opaque == opaque && last.start + last.length == x) {
                    ++last.length;
                    continue;
                }
            }
            mRuns.push_back(Run{x, 1, opaque});
        }
    }
    mRowRuns[static_cast<std::size_t>(height)] = static_cast<int>(mRuns.size());
}

} // namespace platform
