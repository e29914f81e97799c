#include "platform/controls/Canvas.h"

#include "platform/EventGuard.h"
#include "platform/pictures/Graphics.h"
#include "platform/Keyboard.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace platform {

Canvas::Canvas(QWidget* parent)
    : QWidget(parent)
    , mSurface(size(), QImage::Format_RGB32)
{
    // Sharing: a backdrop or a picture that covers the canvas is shown
    // without a copy of its own.
    mGraphics = std::make_unique<platform::Graphics>(
        &mSurface, [this](const QRect& rect) { SurfaceChanged(rect); }, true,
        [this] { FillIfPending(); });
    setMouseTracking(true);
    // The surface covers every pixel, so Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

Canvas::~Canvas()
{
    // A deleted canvas tells no handler; it only stops watching.
    SetPress(Press::None);
}

platform::Graphics& Canvas::Graphics()
{
    MatchSurfaceToSize();
    return *mGraphics;
}

QImage Canvas::Surface() const
{
    MatchSurfaceToSize();
    if (mPixels != Pixels::Picture) {
        FillIfPending();
        return mSurface;
    }
    // The window's backing store holds what was last painted; an unshown
    // canvas would show its picture as it stands.
    QBackingStore* store = isVisible() ? backingStore() : nullptr;
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (device && device->devType() == QInternal::Image) {
        const auto* painted = static_cast<const QImage*>(device);
        if (painted->devicePixelRatio() == 1.0) {
            return painted->copy(QRect(mapTo(window(), QPoint(0, 0)), size()))
                .convertToFormat(QImage::Format_RGB32);
        }
    }
    return PictureAtCanvasSize();
}

QImage Canvas::PictureAtCanvasSize() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, mShown->Image());
    return image;
}

void Canvas::FillIfPending() const
{
    if (mPixels == Pixels::Own) {
        return;
    }
    if (mPixels == Pixels::Picture) {
        mSurface = PictureAtCanvasSize();
    } else {
        mSurface.fill(Qt::white);
    }
    mPixels = Pixels::Own;
}

void Canvas::MatchSurfaceToSize() const
{
    if (mSurface.size() == size()) {
        return;
    }
    mPaintRequested = true;
    if (mPixels != Pixels::Own) {
        // Nothing drawn yet: the new size costs no pixels either.
        mSurface = QImage(size(), QImage::Format_RGB32);
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

void Canvas::ShowPicture(const PicturePtr& picture)
{
    mShown = picture;
    if (mPixels != Pixels::Own) {
        mPixels = mShown ? Pixels::Picture : Pixels::White;
    }
}

void Canvas::Present(const QRect& rect)
{
    MatchSurfaceToSize();
    const QRect area = rect.intersected(QRect(QPoint(0, 0), size()));
    if (mShown && !area.isEmpty() && mPixels == Pixels::Own) {
        if (area.size() == size()) {
            // All of it shows the picture again: the surface's pixels can go.
            mSurface = QImage(size(), QImage::Format_RGB32);
            mPixels = Pixels::Picture;
        } else {
            QPainter painter(&mSurface);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(area.topLeft(), mShown->Image(), area);
        }
    }
    if (!area.isEmpty()) {
        mPending += area;
    }
    UpdateNow();
}

void Canvas::DispatchOpen()
{
    RunGuarded([this] { Event_Open(); });
}

void Canvas::DispatchClose()
{
    // A press still held ends before the control closes, not after.
    CancelPress();
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

void Canvas::Event_MouseCancel(int x, int y)
{
    if (OnMouseCancel) {
        OnMouseCancel(x, y);
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
    // Whatever drew has filled the surface first or replaced it whole.
    mPixels = Pixels::Own;
    const QRect visible = rect.intersected(mSurface.rect());
    if (visible.isEmpty()) {
        return;
    }
    mPending += visible;
    if (!mInPaint) {
        mDrawnSincePaint = true;
        update(visible);
    }
}

void Canvas::paintEvent(QPaintEvent* event)
{
    MatchSurfaceToSize();
    QRegion region = event->region();
    if (mPaintRequested) {
        mPaintRequested = false;
        mDrawnSincePaint = false;
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
    if (mPixels != Pixels::Picture) {
        FillIfPending();
        for (const QRect& r : region) {
            painter.drawImage(r.topLeft(), mSurface, r);
        }
        return;
    }
    const QImage& image = mShown->Image();
    for (const QRect& r : region) {
        const QRect inside = r.intersected(image.rect());
        if (!inside.isEmpty()) {
            painter.drawImage(inside.topLeft(), image, inside);
        }
        for (const QRect& past : QRegion(r) - inside) {
            painter.fillRect(past, Qt::white);
        }
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
    if (mPress != Press::None && !firstButton) {
        // A second button during a press belongs to that press.
        event->accept();
        return;
    }
    Keyboard::RecordPress(event->modifiers(), event->button());
    CancelPress();
    // Set before the handler runs, so that whatever the handler does to its
    // own canvas (hiding it, moving it elsewhere) is what counts.
    mPressButton = event->button();
    SetPress(Press::Asking);
    bool taken = false;
    const QPointer<Canvas> alive(this);
    RunGuarded([&] { taken = Event_MouseDown(mMouseX, mMouseY); });
    if (!alive) {
        event->accept();
        return;
    }
    const bool cut = mPress == Press::CutWhileAsking;
    SetPress(taken && !cut ? Press::Taken : Press::None);
    if (taken && cut) {
        RunGuarded([this] { Event_MouseCancel(mMouseX, mMouseY); });
    }
    event->setAccepted(taken);
}

void Canvas::mouseMoveEvent(QMouseEvent* event)
{
    RememberPointer(event->position());
    if (mPress == Press::Taken && !(event->buttons() & mPressButton)) {
        // The release went where this canvas could not hear it.
        CancelPress();
    }
    if (mPress == Press::Taken) {
        RunGuarded([&] { Event_MouseDrag(mMouseX, mMouseY); });
    } else if (event->buttons() == Qt::NoButton) {
        RunGuarded([&] { Event_MouseMove(mMouseX, mMouseY); });
    }
}

void Canvas::mouseReleaseEvent(QMouseEvent* event)
{
    RememberPointer(event->position());
    if (event->button() != mPressButton) {
        return;
    }
    if (mPress == Press::Asking) {
        // Let go while the handler still runs (a dialog of its own, say).
        mPress = Press::CutWhileAsking;
    }
    if (mPress != Press::Taken) {
        return;
    }
    SetPress(Press::None);
    RunGuarded([&] { Event_MouseUp(mMouseX, mMouseY); });
}

void Canvas::CancelPress()
{
    if (mPress == Press::Asking) {
        mPress = Press::CutWhileAsking;
    }
    if (mPress != Press::Taken) {
        return;
    }
    SetPress(Press::None);
    RunGuarded([this] { Event_MouseCancel(mMouseX, mMouseY); });
}

void Canvas::EndPress()
{
    if (mPress == Press::Taken) {
        SetPress(Press::None);
    }
}

void Canvas::SetPress(Press press)
{
    const bool held = press != Press::None;
    if (held != (mPress != Press::None)) {
        if (held) {
            QCoreApplication::instance()->installEventFilter(this);
        } else {
            QCoreApplication::instance()->removeEventFilter(this);
        }
    }
    mPress = press;
}

bool Canvas::TakesTheRelease(const QObject& receiver, const QEvent& event) const
{
    switch (event.type()) {
    case QEvent::Hide:          // the canvas, or its window minimised
    case QEvent::ParentChange:
    case QEvent::WindowBlocked: // a modal window over its window
        return &receiver == this;
    case QEvent::EnabledChange:
        return &receiver == this && !isEnabled();
    case QEvent::Show: {
        // A menu (any popup) takes the pointer, with every release, while open.
        const auto* widget = qobject_cast<const QWidget*>(&receiver);
        return widget != nullptr && widget->windowType() == Qt::Popup;
    }
    default:
        return false;
    }
}

bool Canvas::eventFilter(QObject* watched, QEvent* event)
{
    if (mPress != Press::None && TakesTheRelease(*watched, *event)) {
        CancelPress();
    }
    return QWidget::eventFilter(watched, event);
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

} // namespace platform
