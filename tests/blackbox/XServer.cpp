#include "tests/blackbox/XServer.h"

#include <QTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int kStartMs = 10000;
constexpr int kStopMs = 3000;
constexpr int kMinPopupSide = 8;
constexpr unsigned kLeftButton = 1;
constexpr int kScreenDepth = 24;

// Windows come and go while they are read; a request on one just gone fails
// with BadWindow, which must not end the test program.
int IgnoreErrors(Display* /*display*/, XErrorEvent* /*error*/)
{
    return 0;
}

// The 32-bit items of a window property, as Xlib hands them (longs).
std::vector<unsigned long> Items(Display* d, Window w, const char* name, Atom type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, 1024, False, type, &actual, &format, &count,
                           &after, &data) == Success && data != nullptr) {
        if (format == 32) {
            const auto* values = reinterpret_cast<unsigned long*>(data);
            items.assign(values, values + count);
        }
        XFree(data);
    }
    return items;
}

QString Title(Display* d, Window w)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 1024, False,
                           XInternAtom(d, "UTF8_STRING", False), &actual, &format, &count, &after,
                           &data) == Success && data != nullptr) {
        title = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(count));
        XFree(data);
    }
    return title;
}

void Stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(kStopMs)) {
        process.kill();
        process.waitForFinished(kStopMs);
    }
}

} // namespace

XServer::~XServer()
{
    if (mDisplay != nullptr) {
        XCloseDisplay(mDisplay);
    }
    Stop(mWindowManager);
    Stop(mServer);
}

QString XServer::Start()
{
    // Xvfb picks a free display number itself and writes it to the given
    // descriptor (here its standard output) once it takes connections.
    const QString screen = QStringLiteral("%1x%2x%3").arg(Screen().width()).arg(Screen().height()).arg(kScreenDepth);
    mServer.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
    if (!mServer.waitForStarted(kStartMs)) {
        return QStringLiteral("Xvfb could not be started (%1): install the xvfb package").arg(mServer.errorString());
    }
    QByteArray number;
    while (!number.contains('\n') && mServer.waitForReadyRead(kStartMs)) {
        number += mServer.readAllStandardOutput();
    }
    bool ok = false;
    mNumber = number.trimmed().toInt(&ok);
    if (!ok) {
        return QStringLiteral("Xvfb gave no display number: %1").arg(QString::fromLocal8Bit(mServer.readAllStandardError()));
    }
    XSetErrorHandler(IgnoreErrors);
    mDisplay = XOpenDisplay(Name().toLocal8Bit().constData());
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (mDisplay == nullptr || !XTestQueryExtension(mDisplay, &event, &error, &major, &minor)) {
        return QStringLiteral("display %1 cannot be opened or has no XTEST extension").arg(Name());
    }

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), Name());
    mWindowManager.setProcessEnvironment(env);
    mWindowManager.start(QStringLiteral("openbox"), {});
    if (!mWindowManager.waitForStarted(kStartMs)) {
        return QStringLiteral("openbox could not be started (%1): install the openbox package").arg(mWindowManager.errorString());
    }
    // A window manager that runs announces itself on the root window.
    const Window root = DefaultRootWindow(mDisplay);
    if (!QTest::qWaitFor([&] { return !Items(mDisplay, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty(); },
                         kStartMs)) {
        return QStringLiteral("openbox did not take over display %1").arg(Name());
    }
    return {};
}

void XServer::Sync() const
{
    XSync(mDisplay, False);
}

void XServer::MoveTo(QPoint p)
{
    XTestFakeMotionEvent(mDisplay, -1, p.x(), p.y(), CurrentTime);
    Sync();
}

void XServer::Button(bool down)
{
    XTestFakeButtonEvent(mDisplay, kLeftButton, down ? True : False, CurrentTime);
    Sync();
}

void XServer::Click(QPoint p)
{
    MoveTo(p);
    Button(true);
    Button(false);
}

void XServer::Drag(QPoint from, QPoint to)
{
    MoveTo(from);
    Button(true);
    MoveTo((from + to) / 2);
    MoveTo(to);
    Button(false);
}

void XServer::Key(const char* key, const char* modifier)
{
    const auto code = [this](const char* name) { return XKeysymToKeycode(mDisplay, XStringToKeysym(name)); };
    if (modifier != nullptr) {
        XTestFakeKeyEvent(mDisplay, code(modifier), True, CurrentTime);
    }
    XTestFakeKeyEvent(mDisplay, code(key), True, CurrentTime);
    XTestFakeKeyEvent(mDisplay, code(key), False, CurrentTime);
    if (modifier != nullptr) {
        XTestFakeKeyEvent(mDisplay, code(modifier), False, CurrentTime);
    }
    Sync();
}

QImage XServer::Grab(const QRect& rect) const
{
    QImage shot(rect.size(), QImage::Format_RGB32);
    shot.fill(Qt::black);
    if (mDisplay == nullptr) {
        return shot;
    }
    XImage* image = XGetImage(mDisplay, DefaultRootWindow(mDisplay), rect.x(), rect.y(),
                              static_cast<unsigned>(rect.width()), static_cast<unsigned>(rect.height()), AllPlanes,
                              ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    // On the 24-bit TrueColor screen a pixel value is 0xRRGGBB.
    for (int y = 0; y < rect.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shot.scanLine(y));
        for (int x = 0; x < rect.width(); ++x) {
            line[x] = 0xFF000000U | static_cast<QRgb>(XGetPixel(image, x, y));
        }
    }
    XDestroyImage(image);
    return shot;
}

QRect XServer::WindowTitled(const QString& title) const
{
    const Window root = DefaultRootWindow(mDisplay);
    for (const unsigned long w : Items(mDisplay, root, "_NET_CLIENT_LIST", XA_WINDOW)) {
        XWindowAttributes a{};
        int x = 0;
        int y = 0;
        Window child = None;
        if (Title(mDisplay, w) == title && XGetWindowAttributes(mDisplay, w, &a) && a.map_state == IsViewable
            && XTranslateCoordinates(mDisplay, w, root, 0, 0, &x, &y, &child)) {
            return QRect(x, y, a.width, a.height);
        }
    }
    return {};
}

QString XServer::ActiveTitle() const
{
    const auto active = Items(mDisplay, DefaultRootWindow(mDisplay), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return active.empty() ? QString() : Title(mDisplay, active.front());
}

std::vector<QRect> XServer::Popups() const
{
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<QRect> popups;
    if (!XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count)) {
        return popups;
    }
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(mDisplay, children[i], &a) && a.override_redirect && a.map_state == IsViewable
            && a.width >= kMinPopupSide && a.height >= kMinPopupSide) {
            popups.emplace_back(a.x, a.y, a.width, a.height);
        }
    }
    XFree(children);
    return popups;
}
