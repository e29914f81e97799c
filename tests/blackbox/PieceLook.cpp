#include "tests/blackbox/PieceLook.h"

#include "platform/pictures/Picture.h"

#include <algorithm>

namespace {

// The screen holds 24 bits a pixel; the byte above them means nothing.
constexpr QRgb kColourBits = 0xFFFFFF;
// The mask grey that lets the picture through whole.
constexpr int kMaskShows = 0;

} // namespace

PieceLook::PieceLook(platform::Picture& picture, QPoint at, const QRect& within, const std::vector<QRect>& hidden)
{
    const QImage& art = picture.Image();
    const auto mask = picture.Mask();
    const QImage shape = mask ? mask->Image() : QImage();
    const QRect box = QRect(at, art.size()) & within;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QPoint p(x, y);
            const bool noted = std::any_of(hidden.begin(), hidden.end(), [&](const QRect& r) { return r.contains(p); });
            if (!noted && (shape.isNull() || qGray(shape.pixel(p - at)) == kMaskShows)) {
                mArea |= QRect(p, QSize(1, 1));
                mPixels.push_back({p, art.pixel(p - at) & kColourBits});
            }
        }
    }
    for (Pixel& pixel : mPixels) {
        pixel.at -= mArea.topLeft();
    }
}

bool PieceLook::IsShownIn(const QImage& shot) const
{
    return shot.size() == mArea.size() && !mPixels.empty()
        && std::all_of(mPixels.begin(), mPixels.end(),
                       [&](const Pixel& p) { return (shot.pixel(p.at) & kColourBits) == p.colour; });
}
