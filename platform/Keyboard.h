#pragma once

#include <Qt>

namespace platform {

// The keyboard and button state as it was at the latest mouse press on a
// canvas. Only the state at the press counts for a move, so modifiers pressed
// or released afterwards change nothing.
//
// On Linux the Alt key stands for Option, Ctrl for Control and the Super
// (Windows) key for Command; a press with the right button counts as well,
// since that is the usual way to ask for the other direction there.
namespace Keyboard {

// Called by the canvas on every press; tests may call it to set the state.
void RecordPress(Qt::KeyboardModifiers modifiers, Qt::MouseButton button);
// Forgets the recorded press (no modifier, left button).
void Clear();

bool AltKey();
bool ControlKey();
bool OSKey();
bool RightButton();

// Any of Alt, Control, OS held, or the right button used, at the press.
bool CounterClockwiseRequested();

} // namespace Keyboard

} // namespace platform
