#include "platform/pictures/Graphics.h"

#include "platform/NilObjectException.h"
#include "platform/pictures/Picture.h"
#include "platform/pictures/PictureRowWriter.h"
#include "platform/pictures/PixelMath.h"

#include <QPainter>
#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t kOpaqueAlpha = 0xFF000000u;
constexpr std::uint32_t kRgbBits = 0x00FFFFFFu;

// Planes our own loops write: 32-bit pixels whose blend with a premultiplied
// source is the same formula on every channel.
bool IsDirectPlane(const QImage& plane)
{
    return plane.format() == QImage::Format_RGB32
        || plane.format() == QImage::Format_ARGB32_Premultiplied;
}

// The part of [start, start + length) inside [0, limit), in 64 bits so that
// far-off positions cannot overflow.
std::pair<qint64, qint64> ClipSpan(qint64 start, qint64 length, qint64 limit)
{
    return {std::max<qint64>(start, 0), std::min<qint64>(start + length, limit)};
}

// Source index for each destination index when length units of the source
// are stretched over destLength units; sampled at pixel centres.
std::vector<int> SampleMap(qint64 first, qint64 last, qint64 destStart, qint64 destLength,
                           qint64 srcStart, qint64 srcLength, qint64 srcLimit)
{
    std::vector<int> map;
    map.reserve(static_cast<std::size_t>(last - first));
    for (qint64 d = first; d < last; ++d) {
        const qint64 s = srcStart + ((2 * (d - destStart) + 1) * srcLength) / (2 * destLength);
        map.push_back(s >= 0 && s < srcLimit ? static_cast<int>(s) : -1);
    }
    return map;
}

} // namespace

Graphics::Graphics(QImage* plane, std::function<void(const QRect&)> changed, bool sharing,
                   std::function<void()> prepare)
    : mPlane(plane)
    , mChanged(std::move(changed))
    , mSharing(sharing)
    , mPrepare(std::move(prepare))
{
}

QImage& Graphics::Plane()
{
    QImage& plane = Deref(mPlane);
    if (mPrepare) {
        mPrepare();
    }
    // A grey plane is widened before anything writes 32-bit pixels into it:
    // exact, since grey g reads as 0xFFgggggg either way.
    if (plane.format() == QImage::Format_Grayscale8) {
        plane = plane.convertToFormat(QImage::Format_RGB32);
    }
    return plane;
}

int Graphics::Width() const
{
    return mPlane ? mPlane->width() : 0;
}

int Graphics::Height() const
{
    return mPlane ? mPlane->height() : 0;
}

void Graphics::FillRect(int left, int top, int width, int height)
{
    QImage& plane = Plane();
    if (width <= 0 || height <= 0) {
        return;
    }
    const auto [x0, x1] = ClipSpan(left, width, plane.width());
    const auto [y0, y1] = ClipSpan(top, height, plane.height());
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const QRect area(static_cast<int>(x0), static_cast<int>(y0),
                     static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
    const std::uint32_t pixel = kOpaqueAlpha | (mForeColor & kRgbBits);
    if (IsDirectPlane(plane)) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<std::uint32_t*>(plane.scanLine(y));
            std::fill(row + area.left(), row + area.left() + area.width(), pixel);
        }
    } else {
        QPainter painter(&plane);
        painter.fillRect(area, QColor::fromRgb(pixel));
    }
    Touched(area);
}

void Graphics::DrawPicture(const Picture* picture, int destLeft, int destTop,
                           int destWidth, int destHeight,
                           int srcLeft, int srcTop, int srcWidth, int srcHeight)
{
    const Picture& source = Deref(picture);
    QImage& plane = Deref(mPlane);
    const qint64 sw = srcWidth == kNaturalSize ? source.Width() : srcWidth;
    const qint64 sh = srcHeight == kNaturalSize ? source.Height() : srcHeight;
    const qint64 dw = destWidth == kNaturalSize ? source.Width() : destWidth;
    const qint64 dh = destHeight == kNaturalSize ? source.Height() : destHeight;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) {
        return;
    }
    const bool unscaled = sw == dw && sh == dh;
    auto [x0, x1] = ClipSpan(destLeft, dw, plane.width());
    auto [y0, y1] = ClipSpan(destTop, dh, plane.height());
    if (unscaled) {
        // Same size: the source's own bounds clip the destination as well.
        const auto [sx0, sx1] = ClipSpan(srcLeft, sw, source.Width());
        const auto [sy0, sy1] = ClipSpan(srcTop, sh, source.Height());
        x0 = std::max(x0, sx0 + destLeft - srcLeft);
        x1 = std::min(x1, sx1 + destLeft - srcLeft);
        y0 = std::max(y0, sy0 + destTop - srcTop);
        y1 = std::min(y1, sy1 + destTop - srcTop);
    }
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const QRect area(static_cast<int>(x0), static_cast<int>(y0),
                     static_cast<int>(x1 - x0), static_cast<int>(y1 - y0));
    const int offsetX = destLeft - srcLeft;
    const int offsetY = destTop - srcTop;
    if (unscaled && mSharing && offsetX == 0 && offsetY == 0 && area == plane.rect()) {
        const PictureRows rows = source.Rows();
        if (const auto* whole = std::get_if<PlaneRows>(&rows); whole && whole->plane->size() == plane.size()) {
            plane = *whole->plane;
            Touched(area);
            return;
        }
    }
    // 32-bit from here on, before the source is read: its rows may be this
    // very plane (a picture drawn into itself) or read it (one drawn into
    // its own mask).
    Plane();
    if (unscaled && IsDirectPlane(plane)) {
        // The picture hands out its rows; where they land is all this knows.
        // Drawn into itself lower down, it is read from the bottom up, each
        // row before it is written.
        const PictureRows rows = source.Rows();
        const QRect from = area.translated(-offsetX, -offsetY);
        const auto* self = std::get_if<PlaneRows>(&rows);
        PictureRowWriter writer(plane, offsetX, offsetY);
        if (self != nullptr && self->plane == &plane && offsetY > 0) {
            for (int y = from.bottom(); y >= from.top(); --y) {
                ReadRows(rows, QRect(from.left(), y, from.width(), 1), writer);
            }
        } else {
            ReadRows(rows, from, writer);
        }
        Touched(area);
        return;
    }
    // Held, not referred to: a picture drawn into itself is its own
    // composite, and the first row written then parts the plane from it.
    const QImage composite = source.Composited();
    if (!IsDirectPlane(plane)) {
        QPainter painter(&plane);
        painter.setClipRect(area);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRectF(destLeft, destTop, dw, dh), composite,
                          QRectF(srcLeft, srcTop, sw, sh));
    } else {
        const std::vector<int> columns =
            SampleMap(x0, x1, destLeft, dw, srcLeft, sw, source.Width());
        const std::vector<int> rows =
            SampleMap(y0, y1, destTop, dh, srcTop, sh, source.Height());
        for (qint64 y = y0; y < y1; ++y) {
            const int sy = rows[static_cast<std::size_t>(y - y0)];
            if (sy < 0) {
                continue;
            }
            const auto* srcRow = reinterpret_cast<const std::uint32_t*>(composite.constScanLine(sy));
            auto* dstRow = reinterpret_cast<std::uint32_t*>(plane.scanLine(static_cast<int>(y)));
            for (qint64 x = x0; x < x1; ++x) {
                const int sx = columns[static_cast<std::size_t>(x - x0)];
                if (sx >= 0) {
                    BlendOver(dstRow[x], srcRow[sx]);
                }
            }
        }
    }
    Touched(area);
}

void Graphics::Touched(const QRect& rect)
{
    if (mChanged) {
        mChanged(rect);
    }
}

} // namespace platform
