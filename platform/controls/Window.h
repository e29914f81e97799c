#pragma once

#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QVBoxLayout;
class QWindow;

namespace platform {

class MenuBar;

// How a window looks when built.
struct WindowRecord {
    QString title;
    int width = 0;  // content size, without the menu bar
    int height = 0;
    bool resizable = false;
    bool closeButton = true;
    bool minimizeButton = true;
    bool maximizeButton = false;
    bool centred = true; // on the main screen (a sheet: on its parent)

    // A dialog: fixed size, centred, with a close button and neither
    // minimize nor maximize.
    static WindowRecord Dialog(const QString& title, int width, int height)
    {
        WindowRecord record;
        record.title = title;
        record.width = width;
        record.height = height;
        record.minimizeButton = false;
        return record;
    }
};

// Where a control goes: its name, its rectangle in window coordinates (also
// for a control inside another control), the control it lies in (null: the
// window) and, inside a page panel, its page.
struct ControlRecord {
    QString name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    QWidget* parent = nullptr;
    int page = -1;
};

// A top-level window of the game. It is built from a record and a list of
// controls; controls are found by name. Events:
// - Open, once, when the window is first shown: every canvas control's Open
//   in creation order, then the window's;
// - Close, when the window closes: every canvas's Close in creation order,
//   then the window's; the window is then deleted (a closed window is gone),
//   and the application quits if it asks to when its last window closes;
// - Activate/Deactivate, Minimize/Restore, EnableMenuItems.
// When the window system asks for the window to be shown again (an expose,
// as when a window that covered it goes away), every canvas gets a Paint.
// Menu handlers bound here apply while this window is in front.
class Window : public QWidget {
public:
    using MenuHandlerFn = std::function<bool()>;

    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void ApplyRecord(const WindowRecord& record);
    QString Title() const { return windowTitle(); }
    void SetTitle(const QString& title) { setWindowTitle(title); }

    // Shows the window in front (restoring it when minimized); the first
    // show sends Open.
    void Show();
    // Shows the window as a sheet of parent: on top of it and modal to it
    // (the parent takes no input until this closes). Returns at once.
    void ShowModalWithin(Window* parent);
    void Minimize();
    bool IsMinimized() const { return isMinimized(); }
    // Shows every pending drawing of the window's canvases now.
    void UpdateNow();
    // Sends Open now if it has not been sent (Show does this itself).
    void SendOpen();
    bool IsOpened() const { return mOpened; }

    // The window's menu bar (shown inside the window) and its handlers.
    void SetMenuBar(const std::shared_ptr<platform::MenuBar>& bar);
    const std::shared_ptr<platform::MenuBar>& MenuBar() const { return mMenuBar; }
    void AddMenuHandler(const QString& itemName, MenuHandlerFn handler);
    const MenuHandlerFn* MenuHandler(const QString& itemName) const;

    // Creates a control of class T (constructed from args) where the record
    // says.
    // T must be a QWidget; without arguments it is constructed with its
    // parent, so it never starts at a top-level window's default size.
    template <class T, class... Args>
    T* AddControl(const ControlRecord& record, Args&&... args)
    {
        T* control = nullptr;
        if constexpr (sizeof...(Args) == 0) {
            control = new T(record.parent != nullptr ? record.parent : mContent);
        } else {
            control = new T(std::forward<Args>(args)...);
        }
        PlaceControl(control, record);
        return control;
    }
    // Puts an existing widget in the window as a control.
    void PlaceControl(QWidget* control, const ControlRecord& record);

    // The control of that name, or null.
    QWidget* Control(const QString& name) const;
    template <class T>
    T* ControlAs(const QString& name) const
    {
        return dynamic_cast<T*>(Control(name));
    }
    const std::vector<QPointer<QWidget>>& Controls() const { return mControls; }
    // A control's rectangle in window coordinates.
    QRect ControlBounds(const QWidget* control) const;
    // The area the controls live in (below the menu bar).
    QWidget* Content() const { return mContent; }

    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Activate() {}
    virtual void Event_Deactivate() {}
    virtual void Event_Minimize() {}
    virtual void Event_Restore() {}
    virtual void Event_EnableMenuItems() {}

    // The open windows of the game, front first, and the one in front (the
    // active window, else the most recently active visible one).
    static int WindowCount();
    static Window* WindowAt(int index);
    static Window* Front();
    template <class T>
    static T* FindWindow()
    {
        for (int i = 0; i < WindowCount(); ++i) {
            if (auto* w = dynamic_cast<T*>(WindowAt(i))) {
                return w;
            }
        }
        return nullptr;
    }
    // The open window of class T, or a new one when none is open.
    template <class T>
    static T* FindOrCreate()
    {
        if (auto* open = FindWindow<T>()) {
            return open;
        }
        return new T;
    }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BringToFrontOfList();
    // Centres the window on the area, keeping its frame's top-left corner
    // on the screen.
    void CentreOn(const QRect& area);

    QVBoxLayout* mLayout = nullptr;
    QWidget* mContent = nullptr;
    std::shared_ptr<platform::MenuBar> mMenuBar;
    std::map<QString, MenuHandlerFn> mMenuHandlers;
    std::vector<QPointer<QWidget>> mControls;
    std::map<QString, QPointer<QWidget>> mControlsByName;
    bool mOpened = false;
    bool mClosed = false;
    bool mWasMinimized = false;
    bool mCentred = true;
    // The window-system window whose exposures repaint the controls that
    // were drawn on outside a paint event.
    QPointer<QWindow> mExposedWindow;
};

} // namespace platform
