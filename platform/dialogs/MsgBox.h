#pragma once

#include <QString>
#include <functional>

namespace platform {

// A one-line message the player acknowledges with OK.
void MsgBox(const QString& message);

// Who shows the messages. Tests install a handler that records them; an empty
// handler brings back the default, a message box when a QApplication runs and
// a line on stderr otherwise.
void SetMsgBoxHandler(std::function<void(const QString&)> handler);

} // namespace platform
