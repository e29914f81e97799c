#include "table/BufferedCanvasClass.h"

#include "app/Globals.h"
#include "model/RectClass.h"
#include "platform/pictures/Graphics.h"
#include "platform/NilObjectException.h"

#include <algorithm>
#include <cstring>

namespace {

// The part of (x, y, w, h) that lies inside an image of the given size.
QRect ClipToImage(int x, int y, int w, int h, const QSize& size)
{
    if (w <= 0 || h <= 0) {
        return {};
    }
    return QRect(x, y, w, h).intersected(QRect(QPoint(0, 0), size));
}

// Copies the area of source whose top-left is (sx, sy) into dest at (dx, dy),
// one row at a time; both images are 32-bit and the area is inside both.
void CopyRows(const QImage& source, int sx, int sy, QImage& dest, int dx, int dy, int w, int h)
{
    const auto bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
    // Each image is detached and measured once, not on every row.
    const uchar* from = source.constBits() + sy * source.bytesPerLine() + sx * sizeof(std::uint32_t);
    uchar* to = dest.bits() + dy * dest.bytesPerLine() + dx * sizeof(std::uint32_t);
    for (int row = 0; row < h; ++row) {
        std::memcpy(to, from, bytes);
        from += source.bytesPerLine();
        to += dest.bytesPerLine();
    }
}

} // namespace

BufferedCanvasClass::BufferedCanvasClass(QWidget* parent)
    : platform::Canvas(parent)
{
}

BufferedCanvasClass::~BufferedCanvasClass() = default;

void BufferedCanvasClass::AddDirtyRect(int x, int y, int w, int h)
{
    if (!mDirtyRect) {
        mDirtyRect = std::make_shared<RectClass>(x, y, w, h);
        return;
    }
    RectClass& r = *mDirtyRect;
    const int oldRight = r.mPosX + r.mWidth;
    const int oldBottom = r.mPosY + r.mHeight;
    if (x < r.mPosX) {
        r.mPosX = x;
    }
    if (y < r.mPosY) {
        r.mPosY = y;
    }
    r.mWidth = (oldRight < x + w ? x + w : oldRight) - r.mPosX;
    r.mHeight = (oldBottom < y + h ? y + h : oldBottom) - r.mPosY;
}

void BufferedCanvasClass::DrawPicture(const platform::PicturePtr& picture, int x, int y)
{
    const platform::Picture& source = platform::Deref(picture);
    // A picture without a mask (the drag's saved background) is a plain
    // copy there, with no composite to rebuild at every step.
    platform::Deref(mBufferGraphics).DrawPicture(picture.get(), x, y);
    AddDirtyRect(x, y, source.Width(), source.Height());
}

void BufferedCanvasClass::EraseRect(const std::shared_ptr<RectClass>& rect)
{
    const RectClass& r = platform::Deref(rect);
    EraseRect(r.mPosX, r.mPosY, r.mWidth, r.mHeight);
}

void BufferedCanvasClass::FlipBuffer()
{
    const platform::Picture& buffer = platform::Deref(mBuffer);
    QRect area = buffer.Image().rect();
    if (mDirtyRect) {
        const RectClass& r = *mDirtyRect;
        area = ClipToImage(r.mPosX, r.mPosY, r.mWidth, r.mHeight, buffer.Image().size());
        mDirtyRect.reset();
    }
    Present(area);
}

void BufferedCanvasClass::InitializeBuffer()
{
    mBuffer = std::make_shared<platform::Picture>(Width(), Height(), gBitDepth);
    mBufferGraphics = &mBuffer->Graphics();
    // The screen shows the buffer itself: a flip needs no copy.
    ShowPicture(mBuffer);
}

void BufferedCanvasClass::EraseRect(int x, int y, int w, int h)
{
    platform::Graphics& g = platform::Deref(mBufferGraphics);
    g.SetForeColor(mBackgroundColor);
    g.FillRect(x, y, w, h);
    AddDirtyRect(x, y, w, h);
}

void BufferedCanvasClass::SetBackgroundColor(std::uint32_t rgb)
{
    mBackgroundColor = rgb;
}

void BufferedCanvasClass::DrawPictureRect(const platform::PicturePtr& picture, int x, int y,
                                          const std::shared_ptr<RectClass>& rect)
{
    const RectClass& r = platform::Deref(rect);
    platform::Deref(picture);
    platform::Deref(mBufferGraphics)
        .DrawPicture(picture.get(), x, y, r.mWidth, r.mHeight, r.mPosX, r.mPosY, r.mWidth,
                     r.mHeight);
    AddDirtyRect(x, y, r.mWidth, r.mHeight);
}

void BufferedCanvasClass::CopyBufferToPicture(const platform::PicturePtr& picture,
                                              const std::shared_ptr<RectClass>& rect)
{
    if (!picture || !rect) {
        return;
    }
    const platform::Picture& buffer = platform::Deref(mBuffer);
    const RectClass& r = *rect;
    // Only what lies inside both the buffer and the picture is copied; the
    // rest of the picture keeps what it held.
    QRect area = ClipToImage(r.mPosX, r.mPosY, r.mWidth, r.mHeight, buffer.Image().size());
    area = area.intersected(QRect(r.mPosX, r.mPosY, picture->Width(), picture->Height()));
    if (area.isEmpty()) {
        return;
    }
    QImage& dest = picture->ImageForWriting();
    CopyRows(buffer.Image(), area.left(), area.top(), dest, area.left() - r.mPosX,
             area.top() - r.mPosY, area.width(), area.height());
    picture->Changed();
}

void BufferedCanvasClass::FillWithPattern(const platform::PicturePtr& picture)
{
    const platform::Picture& tile = platform::Deref(picture);
    // A tile without area would never cover the control.
    if (tile.Width() > 0 && tile.Height() > 0) {
        platform::Graphics& g = platform::Deref(mBufferGraphics);
        for (int y = 0; y < Height(); y += tile.Height()) {
            for (int x = 0; x < Width(); x += tile.Width()) {
                g.DrawPicture(picture.get(), x, y);
            }
        }
    }
    AddDirtyRect(0, 0, Width(), Height());
}
