#pragma once

#include "platform/pictures/Picture.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <memory>

namespace platform {

class Graphics;

// The canvas control: a widget with a persistent surface image of its own
// size. Drawing through Graphics() writes the surface and schedules an update
// of the touched area; UpdateNow() shows pending changes at once. A paint
// request (Refresh(), first show, resize) draws the backdrop onto the surface
// and runs Event_Paint on it before the surface reaches the screen.
//
// The surface is white until drawn into, and takes memory only then: a
// backdrop that covers the canvas becomes its surface without a copy, and a
// canvas that shows another picture (ShowPicture, a buffered canvas showing
// its buffer) needs no surface of its own at all.
//
// Events are virtual methods; their default behaviour calls the matching
// bound handler, if any. Every event coming from Qt runs through
// RunGuarded, so no exception leaves the canvas.
//
// A taken press ends with the release of the button that made it, or is cut
// short whenever that release can no longer come here: the canvas hidden
// (its window minimised too), disabled, moved to another parent or closed,
// its window blocked by a modal window (a sheet, a message box), or a menu
// opened that takes the pointer. Then MouseCancel comes instead of MouseUp,
// at the pointer's last place, so the handler can end the press as cleanly
// as a release would. A pointer move without the press's button held means
// the release went astray: the press is cut there. A cut that comes while
// the MouseDown handler still runs (a handler that switches the page away
// from its own canvas, say) reaches the handler once it has returned, and
// only when it took the press. The owner may also end a taken press itself,
// when what lay under it has changed (EndPress): then no handler is told,
// and the moves and the release of that press go nowhere. A deleted canvas
// tells no handler: its owner goes with it, or deleted it itself. Other
// buttons pressed and let go during a press belong to it and change
// nothing. A press of the first button always starts afresh, cutting one
// whose release went elsewhere, so no press is ever left swallowed.
class Canvas : public QWidget {
public:
    explicit Canvas(QWidget* parent = nullptr);
    ~Canvas() override;

    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing context of the surface (never null).
    platform::Graphics& Graphics();

    // Drawn at (0, 0), natural size, under everything at each paint request.
    const PicturePtr& Backdrop() const { return mBackdrop; }
    void SetBackdrop(const PicturePtr& picture);

    // Asks for a paint event: backdrop, then Event_Paint, then the screen.
    void Refresh();
    // True when something was drawn on the screen outside a paint event (a
    // hover picture, a blink) since the paint handler last ran: only then
    // does the screen differ from what a paint would draw.
    bool DrawnSincePaint() const { return mDrawnSincePaint; }
    // Shows every pending change of the surface now (QWidget::repaint).
    void UpdateNow();

    // From now on the screen shows this picture's pixels (white past its
    // edges) instead of a surface: Present(rect) shows that area of it at
    // once, and a paint shows it as it stands. Drawing into Graphics() still
    // works; the surface then starts as the picture and areas presented are
    // copied onto it, until an area covering the whole canvas is presented.
    void ShowPicture(const PicturePtr& picture);
    void Present(const QRect& rect);

    int Width() const { return width(); }
    int Height() const { return height(); }
    // Pointer position of the latest mouse event, in canvas pixels.
    int MouseX() const { return mMouseX; }
    int MouseY() const { return mMouseY; }

    // Ends a taken press without telling any handler: the rest of it, up to
    // its release, is no one's. (A MouseDown handler that wants no press
    // answers false instead.)
    void EndPress();

    // Sends Open and Close through the event guard; the window calls these
    // when it opens and closes its controls.
    void DispatchOpen();
    void DispatchClose();

    // Bound handlers, called by the default events.
    std::function<void()> OnOpen;
    std::function<void()> OnClose;
    std::function<void(platform::Graphics&)> OnPaint;
    std::function<bool(int, int)> OnMouseDown;
    std::function<void(int, int)> OnMouseDrag;
    std::function<void(int, int)> OnMouseUp;
    std::function<void(int, int)> OnMouseCancel;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;
    std::function<void(int, int)> OnMouseMove;

    virtual void Event_Open();
    virtual void Event_Close();
    // Runs on the surface after the backdrop has been drawn.
    virtual void Event_Paint(platform::Graphics& g);
    // True takes the press: drag and up events then follow for it.
    virtual bool Event_MouseDown(int x, int y);
    virtual void Event_MouseDrag(int x, int y);
    virtual void Event_MouseUp(int x, int y);
    // A taken press cut short with no release to come.
    virtual void Event_MouseCancel(int x, int y);
    virtual void Event_MouseEnter();
    virtual void Event_MouseExit();
    virtual void Event_MouseMove(int x, int y);

    // What the screen shows once updated: the surface as it stands or, for a
    // canvas showing a picture, what its window last painted of it.
    QImage Surface() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Watches the whole application while a press is held, for whatever
    // keeps its release from coming here.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SurfaceChanged(const QRect& rect);
    // Qt delivers the resize of a hidden widget only when it is shown; the
    // surface follows the widget's size whenever it is asked for.
    void MatchSurfaceToSize() const;
    // Gives the surface pixels of its own (the white or the picture it
    // stood for) before anything reads it or draws into part of it.
    void FillIfPending() const;
    // White at the canvas's size with the shown picture over it.
    QImage PictureAtCanvasSize() const;
    void RememberPointer(const QPointF& position);
    // Ends a taken press whose release can no longer come here.
    void CancelPress();

    // Where the press of the first button stands. Asking: its MouseDown
    // handler runs; a cut meanwhile is kept until the handler has answered.
    enum class Press { None, Asking, CutWhileAsking, Taken };
    // Moves the press on, watching the application while one is held.
    void SetPress(Press press);
    // Whether the event, on its way to the receiver, leaves the press held
    // here with no release to come.
    bool TakesTheRelease(const QObject& receiver, const QEvent& event) const;

    // Where the pixels the screen shows come from. Only Own spends memory
    // on them; the other two stand for pixels not yet made.
    enum class Pixels {
        White,   // nothing drawn yet
        Picture, // the shown picture, straight from it
        Own,     // the surface image
    };

    mutable QImage mSurface;
    std::unique_ptr<platform::Graphics> mGraphics;
    mutable Pixels mPixels = Pixels::White;
    PicturePtr mBackdrop;
    PicturePtr mShown;            // the picture of ShowPicture, if any
    QRegion mPending;             // drawn on the surface, not yet shown
    mutable bool mPaintRequested = true; // the next paint runs backdrop and Event_Paint
    bool mInPaint = false;
    bool mDrawnSincePaint = false;
    Press mPress = Press::None;   // drag and up go only to a taken press
    Qt::MouseButton mPressButton = Qt::NoButton; // its release ends the press
    int mMouseX = 0;
    int mMouseY = 0;
};

} // namespace platform
