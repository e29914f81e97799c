#pragma once

// A display of the test's own: Xvfb on a free display number with the
// openbox window manager on it, input sent through the XTest extension as a
// player's mouse and keyboard would send it, and reads of the screen's
// pixels, its windows and the keyboard focus.

#include <QEvent>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <vector>

struct _XDisplay;

class XServer {
public:
    ~XServer();

    // Starts the server, makes it this process's DISPLAY (and so that of the
    // programs it starts), and starts the window manager; empty on success,
    // otherwise what failed.
    QString Start();
    // The whole screen, large enough that the game sees no small-screen warning.
    static QRect Screen() { return {0, 0, 1280, 1024}; }

    // Moves the pointer to p, and then presses or releases the left button
    // for a press or release.
    void Mouse(QEvent::Type type, QPoint p);
    void Click(QPoint p);
    // Presses the keys in turn, then releases them (X keysym names:
    // "Escape", "Control_L", "q").
    void Keys(std::initializer_list<const char*> keys);

    // The screen's pixels inside the rectangle (root coordinates).
    QImage Grab(const QRect& rect) const;
    // The title of the window that has the keyboard focus, and its area in
    // root coordinates.
    QString FocusTitle(QRect* client = nullptr) const;
    // Viewable windows that bypass the window manager (menus, tool tips).
    std::vector<QRect> Popups() const;

private:
    QProcess mServer;
    QProcess mWindowManager;
    _XDisplay* mDisplay = nullptr;
};
