#include "tests/blackbox/XServer.h"

#include <QTest>

#include <algorithm>

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int kStartMs = 10000;
constexpr int kStopMs = 3000;
constexpr int kMinPopupSide = 8;
constexpr unsigned kLeftButton = 1;
constexpr long kMaxClients = 64;
// The side of the window that shows the window manager at work.
constexpr unsigned kProbeSide = 1;
// An activation asked for on the player's behalf, as by a pager or task bar.
constexpr long kSourcePager = 2;

constexpr std::size_t kFrameSides = 4;

// The 32-bit items of a window's property (Xlib hands them over as longs),
// at most the given number; none when the window lacks it.
std::vector<unsigned long> Property(Display* display, Window w, const char* name, Atom type, long most)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, w, XInternAtom(display, name, False), 0, most, False, type, &actualType, &format,
                           &count, &after, &data)
            == Success
        && data != nullptr) {
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
        XFree(data);
    }
    return items;
}

} // namespace

XServer::~XServer()
{
    if (mDisplay != nullptr) {
        XCloseDisplay(mDisplay);
    }
    // Asked to stop first, so that Xvfb takes its lock file away.
    for (QProcess* process : {&mWindowManager, &mServer}) {
        process->terminate();
        process->waitForFinished(kStopMs);
    }
}

QString XServer::Start(QSize screen)
{
    mScreen = QRect(QPoint(0, 0), screen);
    // Xvfb picks a free display number itself and writes it to the given
    // descriptor (here its standard output) once it takes connections.
    const QString depth = QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height());
    mServer.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", depth, "-nolisten", "tcp"});
    QByteArray number;
    while (!number.contains('\n') && mServer.waitForReadyRead(kStartMs)) {
        number += mServer.readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        return QStringLiteral("Xvfb gave no display number (%1): is the xvfb package installed?")
            .arg(mServer.errorString());
    }
    qputenv("DISPLAY", ':' + number.trimmed());
    // Windows come and go while they are read; a request on one just gone
    // fails with BadWindow, which must not end the test program.
    XSetErrorHandler([](Display* /*display*/, XErrorEvent* /*error*/) { return 0; });
    mDisplay = XOpenDisplay(nullptr);
    if (mDisplay == nullptr) {
        return QStringLiteral("display %1 cannot be opened").arg(QString::fromLocal8Bit(qgetenv("DISPLAY")));
    }
    mWindowManager.start(QStringLiteral("openbox"), {});
    // A window manager that runs owns the screen's WM_S0 selection.
    const Atom wm = XInternAtom(mDisplay, "WM_S0", False);
    if (!QTest::qWaitFor([&] { return XGetSelectionOwner(mDisplay, wm) != None; }, kStartMs)) {
        return QStringLiteral("openbox did not take over the display (%1): is the openbox package installed?")
            .arg(mWindowManager.errorString());
    }
    return ServesWindows() ? QString() : QStringLiteral("openbox took over the display but framed no window");
}

bool XServer::ServesWindows()
{
    // Openbox takes the selection well before it handles a window's
    // requests, and a window that a program maps in between can stay
    // unmapped and unframed for good: no frame, no keyboard focus, while the
    // same map asked for again is framed at once. So a window of the test's
    // own, framed and then gone, shows that openbox handles requests, and its
    // map is asked for again at each look while waiting.
    const Window root = DefaultRootWindow(mDisplay);
    const Window probe = XCreateSimpleWindow(mDisplay, root, 0, 0, kProbeSide, kProbeSide, 0, 0, 0);
    const auto listed = [&] {
        const auto clients = Property(mDisplay, root, "_NET_CLIENT_LIST", XA_WINDOW, kMaxClients);
        return std::find(clients.begin(), clients.end(), probe) != clients.end();
    };
    const bool framed = QTest::qWaitFor(
        [&] {
            XMapWindow(mDisplay, probe);
            XSync(mDisplay, False);
            return listed();
        },
        kStartMs);
    XDestroyWindow(mDisplay, probe);
    XSync(mDisplay, False);
    return framed && QTest::qWaitFor([&] { return !listed(); }, kStartMs);
}

void XServer::Mouse(QEvent::Type type, QPoint p)
{
    XTestFakeMotionEvent(mDisplay, -1, p.x(), p.y(), CurrentTime);
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        XTestFakeButtonEvent(mDisplay, kLeftButton, type == QEvent::MouseButtonPress ? True : False, CurrentTime);
    }
    XSync(mDisplay, False);
}

void XServer::Keys(std::initializer_list<const char*> keys)
{
    for (const Bool down : {True, False}) {
        for (const char* key : keys) {
            XTestFakeKeyEvent(mDisplay, XKeysymToKeycode(mDisplay, XStringToKeysym(key)), down, CurrentTime);
        }
    }
    XSync(mDisplay, False);
}

QImage XServer::Grab(const QRect& rect) const
{
    XImage* image = XGetImage(mDisplay, DefaultRootWindow(mDisplay), rect.x(), rect.y(),
                              static_cast<unsigned>(rect.width()), static_cast<unsigned>(rect.height()), AllPlanes,
                              ZPixmap);
    if (image == nullptr) {
        return {};
    }
    // The 24-bit screen keeps a pixel as 0xRRGGBB in 32 bits of this host's
    // byte order, as QImage's RGB32 does.
    const QImage shot = QImage(reinterpret_cast<const uchar*>(image->data), rect.width(), rect.height(),
                               image->bytes_per_line, QImage::Format_RGB32)
                            .copy();
    XDestroyImage(image);
    return shot;
}

QString XServer::FocusTitle(QRect* client, QRect* frame) const
{
    Window w = None;
    int revert = 0;
    char* name = nullptr;
    XGetInputFocus(mDisplay, &w, &revert);
    if (w == None || w == PointerRoot || XFetchName(mDisplay, w, &name) == 0) {
        return {};
    }
    const QString title = QString::fromLocal8Bit(name);
    XFree(name);
    XWindowAttributes a{};
    Window child = None;
    int x = 0, y = 0;
    if (!XGetWindowAttributes(mDisplay, w, &a)
        || !XTranslateCoordinates(mDisplay, w, DefaultRootWindow(mDisplay), 0, 0, &x, &y, &child)) {
        return title;
    }
    const QRect area(x, y, a.width, a.height);
    if (client != nullptr) {
        *client = area;
    }
    if (frame != nullptr) {
        // The window manager says how far its frame reaches past the window
        // on each side: left, right, top, bottom.
        const auto e = Property(mDisplay, w, "_NET_FRAME_EXTENTS", XA_CARDINAL, kFrameSides);
        const auto side = [&](std::size_t i) { return e.size() == kFrameSides ? static_cast<int>(e[i]) : 0; };
        *frame = area.adjusted(-side(0), -side(2), side(1), side(3));
    }
    return title;
}

unsigned long XServer::ClientNamed(const QString& title) const
{
    // The window manager lists the windows it manages on the root window.
    const Window root = DefaultRootWindow(mDisplay);
    for (const Window client : Property(mDisplay, root, "_NET_CLIENT_LIST", XA_WINDOW, kMaxClients)) {
        char* name = nullptr;
        if (XFetchName(mDisplay, client, &name) != 0) {
            const bool named = QString::fromLocal8Bit(name) == title;
            XFree(name);
            if (named) {
                return client;
            }
        }
    }
    return None;
}

bool XServer::IsShown(const QString& title) const
{
    XWindowAttributes a{};
    const Window w = ClientNamed(title);
    return w != None && XGetWindowAttributes(mDisplay, w, &a) && a.map_state == IsViewable;
}

void XServer::Activate(const QString& title)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = ClientNamed(title);
    event.xclient.message_type = XInternAtom(mDisplay, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = kSourcePager;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(mDisplay, DefaultRootWindow(mDisplay), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XSync(mDisplay, False);
}

std::vector<QRect> XServer::Popups() const
{
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<QRect> popups;
    if (XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count) == 0) {
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
