#include "platform/controls/Window.h"

#include "platform/Application.h"
#include "platform/controls/Canvas.h"
#include "platform/EventGuard.h"
#include "platform/controls/MenuBar.h"
#include "platform/controls/PagePanel.h"
#include "platform/System.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace platform {

namespace {

// Open windows, front first.
std::vector<Window*>& OpenWindows()
{
    static std::vector<Window*> windows;
    return windows;
}

} // namespace

Window::Window(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    mLayout = new QVBoxLayout(this);
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setSpacing(0);
    mContent = new QWidget(this);
    mLayout->addWidget(mContent);
    OpenWindows().push_back(this);
}

Window::~Window()
{
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void Window::ApplyRecord(const WindowRecord& record)
{
    setWindowTitle(record.title);
    mContent->setFixedSize(record.width, record.height);
    // A resizable window is held to the limits its content sets, so that the
    // window system's frame and size grip offer nothing the controls do not
    // follow.
    mLayout->setSizeConstraint(record.resizable ? QLayout::SetMinAndMaxSize : QLayout::SetFixedSize);
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (record.closeButton) {
        flags |= Qt::WindowCloseButtonHint;
    }
    if (record.minimizeButton) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (record.maximizeButton) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    setWindowFlags(flags);
    mCentred = record.centred;
    adjustSize();
    if (mCentred) {
        CentreOn(Screen(0).AvailableArea());
    }
}

void Window::CentreOn(const QRect& area)
{
    const QSize size = sizeHint().expandedTo(this->size());
    const QPoint centred
        = area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    // A window larger than the screen keeps its title bar and menus on it:
    // the corner that a move places, the frame's, stays in the area that the
    // desktop leaves to windows.
    const QRect available = Screen(0).AvailableArea();
    move(std::max(centred.x(), available.left()), std::max(centred.y(), available.top()));
}

void Window::SetMenuBar(const std::shared_ptr<platform::MenuBar>& bar)
{
    mMenuBar = bar;
    if (bar) {
        mLayout->setMenuBar(bar->CreateQtMenuBar(this));
    }
}

void Window::AddMenuHandler(const QString& itemName, MenuHandlerFn handler)
{
    mMenuHandlers[itemName] = std::move(handler);
}

const Window::MenuHandlerFn* Window::MenuHandler(const QString& itemName) const
{
    const auto it = mMenuHandlers.find(itemName);
    return it == mMenuHandlers.end() ? nullptr : &it->second;
}

void Window::PlaceControl(QWidget* control, const ControlRecord& record)
{
    QWidget* parent = record.parent != nullptr ? record.parent : mContent;
    control->setParent(parent);
    control->setObjectName(record.name);
    // Records speak in window coordinates; Qt places a child relative to
    // its parent, so the parent's own place is taken off once, here.
    const QRect parentBounds = ControlBounds(parent);
    control->setGeometry(record.left - parentBounds.left(), record.top - parentBounds.top(),
                         record.width, record.height);
    if (auto* panel = dynamic_cast<PagePanel*>(record.parent); panel != nullptr && record.page >= 0) {
        panel->AddToPage(control, record.page);
    } else {
        control->show();
    }
    mControls.emplace_back(control);
    mControlsByName[record.name] = control;
}

QWidget* Window::Control(const QString& name) const
{
    const auto it = mControlsByName.find(name);
    return it == mControlsByName.end() ? nullptr : it->second.data();
}

QRect Window::ControlBounds(const QWidget* control) const
{
    if (control == nullptr || control == mContent) {
        return QRect(QPoint(0, 0), mContent->size());
    }
    return QRect(control->mapTo(mContent, QPoint(0, 0)), control->size());
}

void Window::SendOpen()
{
    if (mOpened) {
        return;
    }
    mOpened = true;
    for (const auto& control : mControls) {
        if (auto* canvas = dynamic_cast<Canvas*>(control.data())) {
            canvas->DispatchOpen();
        }
    }
    RunGuarded([this] { Event_Open(); });
}

void Window::Show()
{
    SendOpen();
    if (isMinimized()) {
        showNormal();
    }
    show();
    // The offscreen platform has no stacking order and says so on each call.
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        raise();
    }
    activateWindow();
    BringToFrontOfList();
}

void Window::ShowModalWithin(Window* parent)
{
    if (parent != nullptr) {
        const Qt::WindowFlags flags = windowFlags();
        setParent(parent);
        setWindowFlags(flags | Qt::Sheet | Qt::Dialog);
        setWindowModality(Qt::WindowModal);
        if (mCentred) {
            CentreOn(parent->frameGeometry());
        }
    }
    Show();
}

void Window::Minimize()
{
    showMinimized();
}

void Window::UpdateNow()
{
    for (const auto& control : mControls) {
        if (auto* canvas = dynamic_cast<Canvas*>(control.data())) {
            canvas->UpdateNow();
        }
    }
}

void Window::BringToFrontOfList()
{
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    windows.insert(windows.begin(), this);
}

void Window::showEvent(QShowEvent* event)
{
    SendOpen();
    QWidget::showEvent(event);
    // A window made again (as a sheet, say) has a new window-system window.
    if (windowHandle() != mExposedWindow) {
        mExposedWindow = windowHandle();
        if (mExposedWindow) {
            mExposedWindow->installEventFilter(this);
        }
    }
}

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mExposedWindow && event->type() == QEvent::Expose) {
        for (const auto& control : mControls) {
            auto* canvas = dynamic_cast<Canvas*>(control.data());
            if (canvas != nullptr && canvas->DrawnSincePaint()) {
                canvas->Refresh();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Window::closeEvent(QCloseEvent* event)
{
    if (mClosed) {
        event->accept();
        return;
    }
    mClosed = true;
    for (const auto& control : mControls) {
        if (auto* canvas = dynamic_cast<Canvas*>(control.data())) {
            canvas->DispatchClose();
        }
    }
    RunGuarded([this] { Event_Close(); });
    event->accept();
    auto& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    Application* app = Application::Instance();
    if (app != nullptr && app->AutoQuit()) {
        const bool anotherVisible = std::any_of(windows.begin(), windows.end(),
                                                [](const Window* w) { return w->isVisible(); });
        if (!anotherVisible) {
            Quit(0);
        }
    }
}

void Window::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const bool minimized = isMinimized();
        if (minimized && !mWasMinimized) {
            mWasMinimized = true;
            RunGuarded([this] { Event_Minimize(); });
        } else if (!minimized && mWasMinimized) {
            mWasMinimized = false;
            RunGuarded([this] { Event_Restore(); });
        }
    } else if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            BringToFrontOfList();
            RunGuarded([this] { Event_Activate(); });
        } else {
            RunGuarded([this] { Event_Deactivate(); });
        }
    }
}

int Window::WindowCount()
{
    return static_cast<int>(OpenWindows().size());
}

Window* Window::WindowAt(int index)
{
    const auto& windows = OpenWindows();
    if (index < 0 || index >= static_cast<int>(windows.size())) {
        return nullptr;
    }
    return windows[static_cast<std::size_t>(index)];
}

Window* Window::Front()
{
    if (auto* active = dynamic_cast<Window*>(QApplication::activeWindow())) {
        return active;
    }
    for (Window* w : OpenWindows()) {
        if (w->isVisible() && !w->isMinimized()) {
            return w;
        }
    }
    return nullptr;
}

} // namespace platform
