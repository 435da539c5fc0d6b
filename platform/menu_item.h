#pragma once

#include "ref.h"
#include "types.h"

#include <memory>
#include <string>
#include <vector>

// A menu item, or a menu's title item (whose children are the menu's items),
// or the menu bar itself (whose children are the title items).
//
// Text "-" draws a separator. KeyboardShortcut "Cmd+Q" means the platform's
// primary modifier with Q (Ctrl+Q on Linux). Items are found by Name, which is
// unique across a bar.
class MenuItem {
public:
    MenuItem();
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool autoEnable) { autoEnable_ = autoEnable; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const std::string& shortcut);

    // Adds item as the last child.
    void Append(std::unique_ptr<MenuItem> item);
    // The direct child of that name, or nil.
    Ref<MenuItem> Child(const std::string& name) const;
    Integer Count() const { return static_cast<Integer>(children_.size()); }
    // OutOfBoundsException outside 0 to Count - 1.
    MenuItem& Item(Integer index) const;
    void Remove(Integer index);
    // The item of that name anywhere below this one, or nil.
    Ref<MenuItem> Lookup(const std::string& name) const;
    MenuItem* Parent() const { return parent_; }

    // Chooses the item as the user would: the Quit item quits, any other item
    // runs the application's handler bound to its name.
    virtual void Trigger();

protected:
    // Tells the bar that holds this item that the menus on screen must change.
    void Changed();

private:
    std::string name_;
    std::string text_;
    bool autoEnable_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    std::string shortcut_;
    std::vector<std::unique_ptr<MenuItem>> children_;
    MenuItem* parent_ = nullptr;
};

// Shown by macOS in the application menu. Linux has none, so it stays in the
// menu it was appended to.
class AppleMenuItem : public MenuItem { };

// Its own action quits the application.
class QuitMenuItem : public MenuItem {
public:
    void Trigger() override;
};

// The menu bar: its children are the title items. Every document window whose
// MenuBarVisible is set shows the application's bar; a change to any item
// shows in all of them.
class MenuBar : public MenuItem {
public:
    MenuBar();
    ~MenuBar() override;
    // Platform use: counts changes so the windows know to rebuild.
    Integer Generation() const { return generation_; }
    void BumpGeneration() { ++generation_; }

private:
    Integer generation_ = 0;
};
