#include "platform/Keyboard.h"

namespace platform::Keyboard {

namespace {

struct PressState {
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    Qt::MouseButton button = Qt::LeftButton;
};

PressState& State()
{
    static PressState state;
    return state;
}

} // namespace

void RecordPress(Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    State() = PressState{modifiers, button};
}

void Clear()
{
    State() = PressState{};
}

bool AltKey()
{
    return State().modifiers.testFlag(Qt::AltModifier);
}

bool ControlKey()
{
    return State().modifiers.testFlag(Qt::ControlModifier);
}

bool OSKey()
{
    return State().modifiers.testFlag(Qt::MetaModifier);
}

bool RightButton()
{
    return State().button == Qt::RightButton;
}

bool CounterClockwiseRequested()
{
    return AltKey() || ControlKey() || OSKey() || RightButton();
}

} // namespace platform::Keyboard
