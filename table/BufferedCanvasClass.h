#pragma once

#include "platform/controls/Canvas.h"
#include "platform/pictures/Picture.h"

#include <cstdint>
#include <memory>

class RectClass;

// A canvas that never draws straight on the screen: everything goes into an
// off-screen buffer of the control's size, and FlipBuffer shows the area drawn
// since the last flip (the whole buffer when nothing was drawn).
class BufferedCanvasClass : public platform::Canvas {
public:
    explicit BufferedCanvasClass(QWidget* parent = nullptr);
    ~BufferedCanvasClass() override;

    // Grows the recorded area to hold the rectangle; never clipped, so parts
    // past an edge stay recorded.
    virtual void AddDirtyRect(int x, int y, int w, int h);
    // Draws the picture at natural size, through its mask, into the buffer.
    // A null picture raises NilObjectException.
    virtual void DrawPicture(const platform::PicturePtr& picture, int x, int y);
    virtual void EraseRect(const std::shared_ptr<RectClass>& rect);
    // Shows the recorded area (or the whole buffer) on the screen at once.
    virtual void FlipBuffer();
    // A new blank buffer of the control's current size.
    virtual void InitializeBuffer();
    virtual void EraseRect(int x, int y, int w, int h);
    virtual void SetBackgroundColor(std::uint32_t rgb);
    // Draws the rect part of the picture at (x, y), same size.
    virtual void DrawPictureRect(const platform::PicturePtr& picture, int x, int y,
                                 const std::shared_ptr<RectClass>& rect);
    // Copies the buffer's area rect into picture at (0, 0); nothing when
    // either is null.
    virtual void CopyBufferToPicture(const platform::PicturePtr& picture,
                                     const std::shared_ptr<RectClass>& rect);
    // Tiles the picture over the whole control.
    virtual void FillWithPattern(const platform::PicturePtr& picture);

    const platform::PicturePtr& Buffer() const { return mBuffer; }
    const std::shared_ptr<RectClass>& DirtyRect() const { return mDirtyRect; }

protected:
    platform::PicturePtr mBuffer;
    std::shared_ptr<RectClass> mDirtyRect;
    std::uint32_t mBackgroundColor = 0x000000;
    // The buffer's drawing context, owned by mBuffer.
    platform::Graphics* mBufferGraphics = nullptr;
};
