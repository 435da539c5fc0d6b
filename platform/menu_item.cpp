#include "menu_item.h"

#include "application.h"
#include "exceptions.h"
#include "window.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

bool syncScheduled = false;

// Windows bring their menu bars up to date once the current event is done,
// never in the middle of a handler that may be running from one of their menus.
void ScheduleMenuBarSync()
{
    if (syncScheduled || QCoreApplication::instance() == nullptr)
        return;
    syncScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        syncScheduled = false;
        for (Window* window : Window::OpenWindows())
            window->RebuildMenuBar();
    });
}

} // namespace

MenuItem::MenuItem() = default;

MenuItem::~MenuItem() = default;

void MenuItem::SetText(const std::string& text)
{
    text_ = text;
    Changed();
}

void MenuItem::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Changed();
}

void MenuItem::SetVisible(bool visible)
{
    visible_ = visible;
    Changed();
}

void MenuItem::SetKeyboardShortcut(const std::string& shortcut)
{
    shortcut_ = shortcut;
    Changed();
}

void MenuItem::Append(std::unique_ptr<MenuItem> item)
{
    if (!item)
        throw NilObjectException("no menu item to append");
    item->parent_ = this;
    children_.push_back(std::move(item));
    Changed();
}

Ref<MenuItem> MenuItem::Child(const std::string& name) const
{
    for (const auto& child : children_) {
        if (child->Name() == name)
            return Ref<MenuItem>::Borrow(child.get());
    }
    return {};
}

MenuItem& MenuItem::Item(Integer index) const
{
    if (index < 0 || index >= Count())
        throw OutOfBoundsException(
            "menu item " + std::to_string(index) + " outside 0.." + std::to_string(Count() - 1));
    return *children_[static_cast<std::size_t>(index)];
}

void MenuItem::Remove(Integer index)
{
    Item(index); // raises outside the children
    children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
    Changed();
}

Ref<MenuItem> MenuItem::Lookup(const std::string& name) const
{
    for (const auto& child : children_) {
        if (child->Name() == name)
            return Ref<MenuItem>::Borrow(child.get());
        if (Ref<MenuItem> below = child->Lookup(name))
            return below;
    }
    return {};
}

void MenuItem::Trigger()
{
    Application::Current().InvokeMenuHandler(Name());
}

void MenuItem::Changed()
{
    MenuItem* root = this;
    while (root->parent_ != nullptr)
        root = root->parent_;
    if (auto* bar = dynamic_cast<MenuBar*>(root)) {
        bar->BumpGeneration();
        ScheduleMenuBarSync();
    }
}

void QuitMenuItem::Trigger()
{
    Application::Current().Quit();
}

MenuBar::MenuBar() = default;

MenuBar::~MenuBar() = default;
