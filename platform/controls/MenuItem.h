#pragma once

#include <QString>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace platform {

class MenuBar;

// One entry of the menu tree: a menu (a child of the bar) or an item of a
// menu. Name is the key that binds handlers and finds the item; Text is the
// caption ("-" makes a separator). Each item drives one QAction (a menu, one
// QMenu), shared by every window that shows the bar.
class MenuItem : public std::enable_shared_from_this<MenuItem> {
public:
    MenuItem();
    virtual ~MenuItem();

    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const QString& Name() const { return mName; }
    void SetName(const QString& name) { mName = name; }
    const QString& Text() const { return mText; }
    void SetText(const QString& text);
    bool AutoEnable() const { return mAutoEnable; }
    void SetAutoEnable(bool autoEnable) { mAutoEnable = autoEnable; }
    // "Cmd+" and a character, or empty; on Linux "Cmd" is the Ctrl key.
    const QString& KeyboardShortcut() const { return mShortcut; }
    void SetKeyboardShortcut(const QString& shortcut);
    bool HasShortcutSet() const { return mShortcutSet; }
    bool Enabled() const { return mEnabled; }
    void SetEnabled(bool enabled);
    bool Checked() const { return mChecked; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return mText == QStringLiteral("-"); }

    // The tree.
    void Append(const std::shared_ptr<MenuItem>& child);
    void Remove(const std::shared_ptr<MenuItem>& child);
    // The direct child of that name, or null.
    std::shared_ptr<MenuItem> Child(const QString& name) const;
    int Count() const { return static_cast<int>(mChildren.size()); }
    std::shared_ptr<MenuItem> Item(int index) const;
    MenuItem* Parent() const { return mParent; }

    // The item's own Action; true means it handled the command, so no
    // handler bound to its name runs. The default handles nothing.
    virtual bool Event_Action() { return false; }

    // The Qt side (created on first use).
    QAction* QtAction();
    QMenu* QtMenu();
    // The caption as Qt shows it: the text, then the shortcut after a tab;
    // nothing for a separator.
    QString DisplayText() const;

private:
    void Triggered();
    MenuBar* Root();

    QString mName;
    QString mText;
    QString mShortcut;
    bool mShortcutSet = false;
    bool mAutoEnable = true;
    bool mEnabled = true;
    bool mChecked = false;
    std::vector<std::shared_ptr<MenuItem>> mChildren;
    MenuItem* mParent = nullptr;
    std::unique_ptr<QAction> mAction;
    std::unique_ptr<QMenu> mMenu;

    friend class MenuBar;
};

// The item that quits the application when chosen.
class QuitMenuItem : public MenuItem {
public:
    bool Event_Action() override;
};

// Marks the about item; it behaves as any other item.
class AppleMenuItem : public MenuItem {
};

} // namespace platform
