#include "platform/Canvas.h"

#include "platform/EventGuard.h"
#include "platform/Graphics.h"
#include "platform/Keyboard.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace platform {

Canvas::Canvas(QWidget* parent)
    : QWidget(parent)
    , mSurface(size(), QImage::Format_RGB32)
{
    mSurface.fill(Qt::white);
    // Sharing: a backdrop or a picture that covers the canvas is shown
    // without a copy of its own.
    mGraphics = std::make_unique<platform::Graphics>(
        &mSurface, [this](const QRect& rect) { SurfaceChanged(rect); }, true);
    setMouseTracking(true);
    // The surface covers every pixel, so Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Canvas::~Canvas() = default;

platform::Graphics& Canvas::Graphics()
{
    MatchSurfaceToSize();
    return *mGraphics;
}

const QImage& Canvas::Surface() const
{
    MatchSurfaceToSize();
    return mSurface;
}

void Canvas::MatchSurfaceToSize() const
{
    if (mSurface.size() == size()) {
        return;
    }
    QImage resized(size(), QImage::Format_RGB32);
    resized.fill(Qt::white);
    {
        QPainter painter(&resized);
        painter.drawImage(0, 0, mSurface);
    }
    // Assigned in place: the Graphics keeps a pointer to this image.
    mSurface = resized;
    mPaintRequested = true;
}

void Canvas::SetBackdrop(const PicturePtr& picture)
{
    mBackdrop = picture;
    Refresh();
}

void Canvas::Refresh()
{
    mPaintRequested = true;
    update();
}

void Canvas::UpdateNow()
{
    // Inside a paint event the pending area is shown by that event itself.
    if (mInPaint || mPending.isEmpty()) {
        return;
    }
    const QRegion region = mPending;
    mPending = QRegion();
    repaint(region);
}

void Canvas::DispatchOpen()
{
    RunGuarded([this] { Event_Open(); });
}

void Canvas::DispatchClose()
{
    RunGuarded([this] { Event_Close(); });
}

void Canvas::Event_Open()
{
    if (OnOpen) {
        OnOpen();
    }
}

void Canvas::Event_Close()
{
    if (OnClose) {
        OnClose();
    }
}

void Canvas::Event_Paint(platform::Graphics& g)
{
    if (OnPaint) {
        OnPaint(g);
    }
}

bool Canvas::Event_MouseDown(int x, int y)
{
    return OnMouseDown ? OnMouseDown(x, y) : false;
}

void Canvas::Event_MouseDrag(int x, int y)
{
    if (OnMouseDrag) {
        OnMouseDrag(x, y);
    }
}

void Canvas::Event_MouseUp(int x, int y)
{
    if (OnMouseUp) {
        OnMouseUp(x, y);
    }
}

void Canvas::Event_MouseEnter()
{
    if (OnMouseEnter) {
        OnMouseEnter();
    }
}

void Canvas::Event_MouseExit()
{
    if (OnMouseExit) {
        OnMouseExit();
    }
}

void Canvas::Event_MouseMove(int x, int y)
{
    if (OnMouseMove) {
        OnMouseMove(x, y);
    }
}

void Canvas::SurfaceChanged(const QRect& rect)
{
    const QRect visible = rect.intersected(mSurface.rect());
    if (visible.isEmpty()) {
        return;
    }
    mPending += visible;
    if (!mInPaint) {
        update(visible);
    }
}

void Canvas::paintEvent(QPaintEvent* event)
{
    MatchSurfaceToSize();
    QRegion region = event->region();
    if (mPaintRequested) {
        mPaintRequested = false;
        mInPaint = true;
        RunGuarded([this] {
            if (mBackdrop) {
                mGraphics->DrawPicture(mBackdrop.get(), 0, 0);
            }
            Event_Paint(*mGraphics);
        });
        mInPaint = false;
    }
    // What the paint handler drew outside this event's region is shown by a
    // follow-up update.
    const QRegion rest = mPending - region;
    mPending = QRegion();
    if (!rest.isEmpty()) {
        mPending = rest;
        update(rest);
    }
    QPainter painter(this);
    for (const QRect& r : region) {
        painter.drawImage(r.topLeft(), mSurface, r);
    }
}

void Canvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (mSurface.size() != size()) {
        MatchSurfaceToSize();
        mPending = QRegion();
        Refresh();
    }
}

void Canvas::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
}

void Canvas::RememberPointer(const QPointF& position)
{
    const QPoint p = position.toPoint();
    mMouseX = p.x();
    mMouseY = p.y();
}

void Canvas::mousePressEvent(QMouseEvent* event)
{
    RememberPointer(event->position());
    const bool firstButton = event->buttons() == event->button();
    if (mPressTaken && !firstButton) {
        // A second button during a taken press belongs to that press.
        event->accept();
        return;
    }
    Keyboard::RecordPress(event->modifiers(), event->button());
    bool taken = false;
    const QPointer<Canvas> alive(this);
    RunGuarded([&] { taken = Event_MouseDown(mMouseX, mMouseY); });
    if (!alive) {
        event->accept();
        return;
    }
    // A handler that hid or disabled its own canvas gets no release.
    mPressTaken = taken && isVisible() && isEnabled();
    if (taken) {
        event->accept();
    } else {
        event->ignore();
    }
}

void Canvas::mouseMoveEvent(QMouseEvent* event)
{
    RememberPointer(event->position());
    if (mPressTaken) {
        RunGuarded([&] { Event_MouseDrag(mMouseX, mMouseY); });
    } else if (event->buttons() == Qt::NoButton) {
        RunGuarded([&] { Event_MouseMove(mMouseX, mMouseY); });
    }
}

void Canvas::mouseReleaseEvent(QMouseEvent* event)
{
    RememberPointer(event->position());
    if (!mPressTaken || event->buttons() != Qt::NoButton) {
        return;
    }
    mPressTaken = false;
    RunGuarded([&] { Event_MouseUp(mMouseX, mMouseY); });
}

void Canvas::enterEvent(QEnterEvent* event)
{
    RememberPointer(event->position());
    RunGuarded([this] { Event_MouseEnter(); });
}

void Canvas::leaveEvent(QEvent* /*event*/)
{
    RunGuarded([this] { Event_MouseExit(); });
}

void Canvas::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    CancelPress();
}

void Canvas::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    const bool lostInput = (event->type() == QEvent::EnabledChange && !isEnabled())
        || event->type() == QEvent::ParentChange;
    if (lostInput) {
        CancelPress();
    }
}

} // namespace platform
