#pragma once

#include <QString>
#include <functional>

namespace platform {

// A one-line message the player acknowledges with OK.
void MsgBox(const QString& message);

// The text with places marked (by a zero-width space) where a message box may
// break a line: after each slash, and inside any long run without a blank.
// A box breaks lines only at such places, so a long path, which has none,
// would run past its right edge and be cut off.
QString BreakableText(const QString& text);

// Who shows the messages. Tests install a handler that records them; an empty
// handler brings back the default, a message box when a QApplication runs and
// a line on stderr otherwise.
void SetMsgBoxHandler(std::function<void(const QString&)> handler);

} // namespace platform
