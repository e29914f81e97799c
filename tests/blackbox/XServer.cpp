#include "tests/blackbox/XServer.h"

#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

constexpr int kStartMs = 10000;
constexpr int kStopMs = 3000;
constexpr int kMinPopupSide = 8;
constexpr unsigned kLeftButton = 1;

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

QString XServer::Start()
{
    // Xvfb picks a free display number itself and writes it to the given
    // descriptor (here its standard output) once it takes connections.
    const QString screen = QStringLiteral("%1x%2x24").arg(Screen().width()).arg(Screen().height());
    mServer.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
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
    const bool managed = QTest::qWaitFor([&] { return XGetSelectionOwner(mDisplay, wm) != None; }, kStartMs);
    return managed ? QString()
                   : QStringLiteral("openbox did not take over the display (%1): is the openbox package installed?")
                         .arg(mWindowManager.errorString());
}

void XServer::Mouse(QEvent::Type type, QPoint p)
{
    XTestFakeMotionEvent(mDisplay, -1, p.x(), p.y(), CurrentTime);
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
        XTestFakeButtonEvent(mDisplay, kLeftButton, type == QEvent::MouseButtonPress ? True : False, CurrentTime);
    }
    XSync(mDisplay, False);
}

void XServer::Click(QPoint p)
{
    Mouse(QEvent::MouseButtonPress, p);
    Mouse(QEvent::MouseButtonRelease, p);
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
    // Nothing to read before the server runs (a start that failed).
    XImage* image = mDisplay == nullptr ? nullptr
                                        : XGetImage(mDisplay, DefaultRootWindow(mDisplay), rect.x(), rect.y(),
                                                    static_cast<unsigned>(rect.width()),
                                                    static_cast<unsigned>(rect.height()), AllPlanes, ZPixmap);
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

QString XServer::FocusTitle(QRect* client) const
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
    int x = 0;
    int y = 0;
    if (client != nullptr && XGetWindowAttributes(mDisplay, w, &a)
        && XTranslateCoordinates(mDisplay, w, DefaultRootWindow(mDisplay), 0, 0, &x, &y, &child)) {
        *client = QRect(x, y, a.width, a.height);
    }
    return title;
}

std::vector<QRect> XServer::Popups() const
{
    Window root = None;
    Window parent = None;
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
