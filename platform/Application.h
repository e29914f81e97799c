#pragma once

#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace platform {

class MenuBar;

// The application object: the game's one instance receives Open once the
// event loop runs and EnableMenuItems whenever menu states are needed, and
// holds the menu handlers that work without any window.
class Application {
public:
    using MenuHandlerFn = std::function<bool()>;

    Application();
    virtual ~Application();

    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The one application object, or null before it exists.
    static Application* Instance();

    virtual void Event_Open() {}
    virtual void Event_EnableMenuItems() {}

    const std::shared_ptr<platform::MenuBar>& MenuBar() const { return mMenuBar; }
    void SetMenuBar(const std::shared_ptr<platform::MenuBar>& bar) { mMenuBar = bar; }

    // Handlers bound by menu item name (the name keeps any "…").
    void AddMenuHandler(const QString& itemName, MenuHandlerFn handler);
    const MenuHandlerFn* MenuHandler(const QString& itemName) const;

    // When true, closing the last visible window of the game quits.
    bool AutoQuit() const { return mAutoQuit; }
    void SetAutoQuit(bool autoQuit) { mAutoQuit = autoQuit; }

    // Runs the Open event (once; later calls do nothing).
    void Open();
    // Runs Open from the event loop, then the loop until a quit, then closes
    // the windows still open; answers the exit status.
    int Run();

private:
    std::shared_ptr<platform::MenuBar> mMenuBar;
    std::map<QString, MenuHandlerFn> mMenuHandlers;
    bool mAutoQuit = false;
    bool mOpened = false;
};

} // namespace platform
