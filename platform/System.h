#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>

namespace platform {

// The main screen as the game sees it: size in pixels and colour depth.
struct ScreenInfo {
    int Width = 0;
    int Height = 0;
    int Depth = 32;
    // The part of the desktop left to windows (panels taken off), in desktop
    // coordinates; empty stands for the whole screen at the origin.
    QRect Available;

    QRect AvailableArea() const { return Available.isEmpty() ? QRect(0, 0, Width, Height) : Available; }
};

// Small services of the desktop. Each one runs through a replaceable hook so
// tests can record a beep, a web address or a quit request, or pretend to run
// on another screen, without a person, a browser or a real exit.
void Beep();
void ShowURL(const QString& url);
// Asks the event loop to end with the given status (takes effect once the
// loop runs; nothing ends at once).
void Quit(int status = 0);
ScreenInfo Screen(int index);
// The system-information query by four-letter selector. There is no such
// service on Linux, so the default answers false (the query failed) and
// callers skip whatever check depended on it.
bool SystemGestalt(const QString& selector, std::int32_t& result);

struct SystemHooks {
    std::function<void()> beep;
    std::function<void(const QString&)> showURL;
    std::function<void(int)> quit;
    std::function<ScreenInfo(int)> screen;
    std::function<bool(const QString&, std::int32_t&)> gestalt;
};

// The hooks in force; a member left empty uses the desktop's own service.
SystemHooks& Hooks();
void ResetSystemHooks();

} // namespace platform
