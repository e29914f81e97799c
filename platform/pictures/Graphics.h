#pragma once

#include <QImage>
#include <cstdint>
#include <functional>

namespace platform {

class Picture;

// A drawing surface on one image plane: a picture's colour plane, a
// picture's mask, or a canvas's surface. Every change calls the plane's
// change hook (so cached composites are refreshed and canvases repaint).
class Graphics {
public:
    // DrawPicture's stand-in for "the source picture's own width/height".
    static constexpr int kNaturalSize = -10000;

    // sharing: a picture drawn over all of the plane becomes the plane's
    // pixels, shared until either is written (a mask taking its mask
    // picture's grey art, a canvas showing its backdrop). Planes that are
    // drawn over again and again, like buffers, copy instead and so keep
    // their own memory.
    // prepare runs before the plane is read or partly written (its owner
    // may fill it late).
    Graphics(QImage* plane, std::function<void(const QRect&)> changed, bool sharing = false,
             std::function<void()> prepare = {});

    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    int Width() const;
    int Height() const;

    // Colour of later fills and strokes, 0xRRGGBB.
    std::uint32_t ForeColor() const { return mForeColor; }
    void SetForeColor(std::uint32_t rgb) { mForeColor = rgb; }

    void FillRect(int left, int top, int width, int height);

    // Draws the source rectangle of picture scaled onto the destination
    // rectangle, through the picture's mask. A width or height of
    // kNaturalSize stands for the source picture's own. A null picture raises
    // NilObjectException.
    void DrawPicture(const Picture* picture, int destLeft, int destTop,
                     int destWidth = kNaturalSize, int destHeight = kNaturalSize,
                     int srcLeft = 0, int srcTop = 0,
                     int srcWidth = kNaturalSize, int srcHeight = kNaturalSize);

    // The plane for direct writing: always 32-bit.
    QImage& Plane();
    // Tells the plane's owner that a region was drawn into directly.
    void Touched(const QRect& rect);

private:
    QImage* mPlane;
    std::function<void(const QRect&)> mChanged;
    std::uint32_t mForeColor = 0x000000;
    bool mSharing = false;
    std::function<void()> mPrepare;
};

} // namespace platform
