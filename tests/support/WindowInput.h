#pragma once

// Mouse and keys as the window system delivers them: every event goes to the
// top-level window (its QWindow) at window coordinates, so Qt picks the
// widget under the pointer, grabs the mouse for a press, and applies
// modality and keyboard focus, as it does for a player. A point is given in
// the coordinates of a widget of that window, for readability only: the
// widget never receives the event directly.

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace WindowInput {

void Press(const QWidget& at, QPoint local, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A pointer move, with whatever buttons are held.
void Move(const QWidget& at, QPoint local);
void Release(const QWidget& at, QPoint local, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The button let go where no window of the game hears of it (over another
// program that took the pointer, say): later input carries it as up.
void LoseRelease(Qt::MouseButton button = Qt::LeftButton);
void Click(const QWidget& at, QPoint local, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A click in the middle of the widget.
void Click(const QWidget& at);

// Two left clicks quickly enough to make a double click.
void DoubleClick(const QWidget& at, QPoint local);
// Turns the wheel by the given angle in eighths of a degree (120: one notch).
void Wheel(const QWidget& at, QPoint local, int angleDelta);

// The window system asks the widget's window to show all of itself again,
// as when another window that covered it goes away.
void Expose(const QWidget& widget);

// The window manager minimises the widget's window (its minimise button, a
// pager) or restores it, and the window system tells the window so.
void Minimize(const QWidget& widget);
void Restore(const QWidget& widget);

// A key press and release (with modifiers) to the window of the widget,
// which hands it to its focus widget; Type sends one key per character.
void Key(const QWidget& in, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void Type(const QWidget& in, const QString& text);
// A key held down: its press, the given number of repeats the keyboard
// sends while it is held, then its release.
void Hold(const QWidget& in, Qt::Key key, Qt::KeyboardModifiers modifiers, int repeats);

} // namespace WindowInput
