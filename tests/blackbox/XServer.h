#pragma once

// A display of the test's own: Xvfb on a free display number with the
// openbox window manager on it, input sent through the XTest extension as a
// player's mouse and keyboard would send it, and reads of the screen's
// pixels, its windows and the keyboard focus.

#include <QEvent>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <initializer_list>
#include <vector>

struct _XDisplay;

class XServer {
public:
    ~XServer();

    // Starts the server with a screen of that size, makes it this process's
    // DISPLAY (and so that of the programs it starts), and starts the window
    // manager; empty on success, otherwise what failed.
    QString Start(QSize screen);
    // The whole screen.
    QRect Screen() const { return mScreen; }

    // Moves the pointer to p, and then presses or releases the left button
    // for a press or release.
    void Mouse(QEvent::Type type, QPoint p);
    void Click(QPoint p) { Mouse(QEvent::MouseButtonPress, p); Mouse(QEvent::MouseButtonRelease, p); }
    // Presses the keys in turn, then releases them (X keysym names:
    // "Escape", "Control_L", "q").
    void Keys(std::initializer_list<const char*> keys);

    // The screen's pixels inside the rectangle (root coordinates).
    QImage Grab(const QRect& rect) const;
    // The title of the window that has the keyboard focus, and its area in
    // root coordinates, without and with the window manager's frame.
    QString FocusTitle(QRect* client = nullptr, QRect* frame = nullptr) const;
    // Whether the window of that title is on the screen (not minimised).
    bool IsShown(const QString& title) const;
    // Asks the window manager to bring the window of that title to the front
    // with the keyboard focus, restoring it when minimised, as a task bar or
    // a pager does.
    void Activate(const QString& title);
    // Viewable windows that bypass the window manager (menus, tool tips).
    std::vector<QRect> Popups() const;

private:
    // Whether the window manager frames a window that is mapped, as it does
    // once it has started up; waits for it.
    bool ServesWindows();
    // The managed window of that title, or none.
    unsigned long ClientNamed(const QString& title) const;

    QRect mScreen;
    QProcess mServer;
    QProcess mWindowManager;
    _XDisplay* mDisplay = nullptr;
};
