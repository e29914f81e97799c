#include "tests/support/WindowInput.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace WindowInput {

namespace {

// Buttons held down between a press and its release.
Qt::MouseButtons gHeld;
// The window the pointer is in.
QPointer<QWindow> gPointerWindow;

QWindow* WindowOf(const QWidget& widget, bool mayBeClosed = false)
{
    QWindow* window = widget.window()->windowHandle();
    // A press that closed its window leaves its release and moves nowhere
    // to go in this window.
    if (mayBeClosed && (window == nullptr || !window->isVisible())) {
        return nullptr;
    }
    if (window == nullptr || !QTest::qWaitForWindowExposed(window)) {
        ADD_FAILURE() << "input needs the widget's window shown and exposed";
        return nullptr;
    }
    return window;
}

// The point of a widget in the coordinates of its top-level window.
QPoint ToWindow(const QWidget& widget, QPoint local) { return widget.mapTo(widget.window(), local); }

// Far enough apart that two clicks never make a double click.
void NextClickTime() { QTest::lastMouseTimestamp += 2 * QTest::mouseDoubleClickInterval; }

void SendTo(QWindow* window, QPoint point, Qt::MouseButton button, QEvent::Type type,
            Qt::KeyboardModifiers modifiers)
{
    // The pointer coming into a window: the window system says so first,
    // and the window passes it on to the widget under the pointer.
    if (window != gPointerWindow) {
        if (gPointerWindow) {
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(gPointerWindow, &leave);
        }
        QEnterEvent enter(point, point, window->mapToGlobal(point));
        QApplication::sendEvent(window, &enter);
        gPointerWindow = window;
    }
    ++QTest::lastMouseTimestamp;
    qt_handleMouseEvent(window, point, window->mapToGlobal(point), gHeld, button, type, modifiers,
                        QTest::lastMouseTimestamp);
    QApplication::processEvents();
}

void Send(const QWidget& at, QPoint local, Qt::MouseButton button, QEvent::Type type,
          Qt::KeyboardModifiers modifiers)
{
    QWindow* window = WindowOf(at, type == QEvent::MouseButtonRelease || (type == QEvent::MouseMove && gHeld));
    if (window != nullptr) {
        SendTo(window, ToWindow(at, local), button, type, modifiers);
    }
}

void SetWindowState(const QWidget& widget, Qt::WindowState state)
{
    // Asked of the window-system window, whose platform reports the new
    // state back to the window as a window manager's change would be.
    if (QWindow* window = widget.window()->windowHandle()) {
        window->setWindowStates(state);
        QApplication::processEvents();
    }
}

} // namespace

void Press(const QWidget& at, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    gHeld |= button;
    Send(at, local, button, QEvent::MouseButtonPress, modifiers);
}

void Move(const QWidget& at, QPoint local) { Send(at, local, Qt::NoButton, QEvent::MouseMove, Qt::NoModifier); }

void Release(const QWidget& at, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    gHeld &= ~Qt::MouseButtons(button);
    Send(at, local, button, QEvent::MouseButtonRelease, modifiers);
    NextClickTime();
}

void LoseRelease(Qt::MouseButton button)
{
    gHeld &= ~Qt::MouseButtons(button);
    NextClickTime();
}

void Click(const QWidget& at, QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    // The press may close the widget's window and delete the widget: the
    // release goes to the window that took the press, while it is still there.
    const QPoint point = ToWindow(at, local);
    const QPointer<QWindow> window = at.window()->windowHandle();
    Press(at, local, button, modifiers);
    gHeld &= ~Qt::MouseButtons(button);
    if (window != nullptr && window->isVisible()) {
        SendTo(window, point, button, QEvent::MouseButtonRelease, modifiers);
    }
    NextClickTime();
}

void Click(const QWidget& at) { Click(at, at.rect().center()); }

void DoubleClick(const QWidget& at, QPoint local)
{
    // Two clicks within the double-click time: Qt makes the second press a
    // double click, as it does for a player.
    for (int i = 0; i < 2; ++i) {
        Press(at, local);
        gHeld &= ~Qt::MouseButtons(Qt::LeftButton);
        Send(at, local, Qt::LeftButton, QEvent::MouseButtonRelease, Qt::NoModifier);
    }
    NextClickTime();
}

void Wheel(const QWidget& at, QPoint local, int angleDelta)
{
    if (QWindow* window = WindowOf(at)) {
        const QPoint point = ToWindow(at, local);
        QWheelEvent wheel(point, window->mapToGlobal(point), QPoint(), QPoint(0, angleDelta), gHeld,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &wheel);
        QApplication::processEvents();
    }
}

void Expose(const QWidget& widget)
{
    if (QWindow* window = WindowOf(widget)) {
        QExposeEvent expose(QRect(QPoint(0, 0), window->size()));
        QApplication::sendEvent(window, &expose);
        QApplication::processEvents();
    }
}

void Minimize(const QWidget& widget) { SetWindowState(widget, Qt::WindowMinimized); }

void Restore(const QWidget& widget) { SetWindowState(widget, Qt::WindowNoState); }

void Key(const QWidget& in, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (QWindow* window = WindowOf(in)) {
        QTest::keyClick(window, key, modifiers);
    }
}

void Type(const QWidget& in, const QString& text)
{
    QWindow* window = WindowOf(in);
    for (int i = 0; window != nullptr && i < text.size(); ++i) {
        QTest::keyClick(window, text[i].toLatin1());
    }
}

void Hold(const QWidget& in, Qt::Key key, Qt::KeyboardModifiers modifiers, int repeats)
{
    if (QWindow* window = WindowOf(in)) {
        for (int i = 0; i <= repeats; ++i) {
            QTest::simulateEvent(window, true, key, modifiers, QString(), i > 0);
        }
        QTest::simulateEvent(window, false, key, modifiers, QString(), false);
        QApplication::processEvents();
    }
}

} // namespace WindowInput
