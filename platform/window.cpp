#include "window.h"

#include "application.h"
#include "control.h"
#include "menu_item.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QResizeEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <functional>
#include <tuple>

namespace {

constexpr Integer kSmallestExtent = 1;
constexpr Integer kLargestExtent = 32000;
// How long a live resize must rest before it counts as finished.
constexpr int kResizeSettleMs = 100;

constexpr std::array kWindowProperties {
    PropertySpec { "Width", PropertyKind::Integer },
    PropertySpec { "Height", PropertyKind::Integer },
    PropertySpec { "MinWidth", PropertyKind::Integer },
    PropertySpec { "MinHeight", PropertyKind::Integer },
    PropertySpec { "MaxWidth", PropertyKind::Integer },
    PropertySpec { "MaxHeight", PropertyKind::Integer },
    PropertySpec { "Frame", PropertyKind::Integer },
    PropertySpec { "Title", PropertyKind::String },
    PropertySpec { "CloseButton", PropertyKind::Boolean },
    PropertySpec { "Resizeable", PropertyKind::Boolean },
    PropertySpec { "MaximizeButton", PropertyKind::Boolean },
    PropertySpec { "MinimizeButton", PropertyKind::Boolean },
    PropertySpec { "FullScreenButton", PropertyKind::Boolean },
    PropertySpec { "Composite", PropertyKind::Boolean },
    PropertySpec { "MacProcID", PropertyKind::Integer },
    PropertySpec { "Placement", PropertyKind::Integer },
    PropertySpec { "Visible", PropertyKind::Boolean },
    PropertySpec { "LiveResize", PropertyKind::Boolean },
    PropertySpec { "FullScreen", PropertyKind::Boolean },
    PropertySpec { "HasBackColor", PropertyKind::Boolean },
    PropertySpec { "BackColor", PropertyKind::Color },
    PropertySpec { "MenuBarVisible", PropertyKind::Boolean },
};

Integer ClampExtent(Integer value)
{
    return std::clamp(value, kSmallestExtent, kLargestExtent);
}

QString FromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The top-level widget: hands its resizes and close requests to the window.
class WindowWidget final : public QWidget {
public:
    std::function<void()> resized;
    std::function<void()> closing;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (resized)
            resized();
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (closing)
            closing();
        event->accept();
    }
};

// The windows that are open, in creation order. The runtime deletes them as
// it ends (DisposeAll); any still here afterwards are left to the process, as
// without the GUI runtime their widgets can no longer be destroyed.
struct OpenWindowList {
    std::vector<std::unique_ptr<Window>> windows;
    ~OpenWindowList()
    {
        for (auto& window : windows)
            (void)window.release();
    }
};

OpenWindowList& OpenList()
{
    static OpenWindowList list;
    return list;
}

std::unique_ptr<Window> TakeFromOpenList(Window* window)
{
    auto& windows = OpenList().windows;
    auto it = std::find_if(windows.begin(), windows.end(),
        [window](const auto& open) { return open.get() == window; });
    if (it == windows.end())
        return nullptr;
    std::unique_ptr<Window> taken = std::move(*it);
    windows.erase(it);
    return taken;
}

bool Contains(const MenuItem& root, const MenuItem* item)
{
    for (Integer i = 0; i < root.Count(); ++i) {
        const MenuItem& child = root.Item(i);
        if (&child == item || Contains(child, item))
            return true;
    }
    return false;
}

// "Cmd" is the platform's primary modifier: Ctrl here.
QKeySequence ShortcutKeys(const std::string& shortcut)
{
    QString text = FromUtf8(shortcut);
    text.replace(QLatin1String("Cmd+"), QLatin1String("Ctrl+"), Qt::CaseInsensitive);
    text.replace(QLatin1String("Command+"), QLatin1String("Ctrl+"), Qt::CaseInsensitive);
    text.replace(QLatin1String("Option+"), QLatin1String("Alt+"), Qt::CaseInsensitive);
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

QString MenuText(const std::string& text)
{
    // An ampersand is the user's text, not a mnemonic marker.
    return FromUtf8(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

struct Window::Private {
    explicit Private(Window& window)
        : owner(window)
    {
        top = std::make_unique<WindowWidget>();
        top->setAttribute(Qt::WA_QuitOnClose, true);
        content = new QWidget(top.get());
        settle = new QTimer(top.get());
        settle->setSingleShot(true);
        settle->setInterval(kResizeSettleMs);
        QObject::connect(settle, &QTimer::timeout, top.get(), [this] {
            if (owner.open_)
                owner.DeliverResize(false);
        });
        top->resized = [this] { Relayout(); };
        top->closing = [this] { owner.DeliverClose(); };
        top->resize(300, 300);
    }

    ~Private()
    {
        // Nothing the widget does while it is destroyed may reach the window.
        top->resized = nullptr;
        top->closing = nullptr;
    }

    QSize ContentSize() const
    {
        return QSize(top->width(), std::max(0, top->height() - barHeight));
    }

    // Sizes the top-level widget for a content area of width x height within
    // the window's limits.
    void Resize(Integer width, Integer height)
    {
        const Integer minWidth = ClampExtent(owner.minWidth_);
        const Integer minHeight = ClampExtent(owner.minHeight_);
        const Integer maxWidth = std::max(minWidth, ClampExtent(owner.maxWidth_));
        const Integer maxHeight = std::max(minHeight, ClampExtent(owner.maxHeight_));
        const int w = static_cast<int>(std::clamp(width, minWidth, maxWidth));
        const int h = static_cast<int>(std::clamp(height, minHeight, maxHeight));
        top->setMinimumSize(0, 0);
        top->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        top->resize(w, h + barHeight);
        if (owner.resizeable_) {
            top->setMinimumSize(
                static_cast<int>(minWidth), static_cast<int>(minHeight) + barHeight);
            top->setMaximumSize(
                static_cast<int>(maxWidth), static_cast<int>(maxHeight) + barHeight);
        } else {
            top->setFixedSize(w, h + barHeight);
        }
        Relayout();
    }

    void ReapplySize()
    {
        const QSize size = ContentSize();
        Resize(size.width(), size.height());
    }

    void Relayout()
    {
        const QSize full = top->size();
        if (menuBar != nullptr)
            menuBar->setGeometry(0, 0, full.width(), barHeight);
        const QSize size = ContentSize();
        content->setGeometry(0, barHeight, size.width(), size.height());
        if (!owner.built_ || !owner.open_ || !lastContent.isValid() || lastContent == size) {
            lastContent = size;
            return;
        }
        const QSize old = lastContent;
        lastContent = size;
        for (const auto& control : owner.controls_) {
            if (auto* rect = dynamic_cast<RectControl*>(control.get()))
                rect->FollowLocks(old.width(), old.height(), size.width(), size.height());
        }
        if (owner.liveResize_) {
            owner.DeliverResize(true);
            settle->start();
        } else {
            owner.DeliverResize(false);
        }
    }

    void ApplyFlags()
    {
        Qt::WindowFlags flags = owner.frame_ == kFrameDocument ? Qt::Window : Qt::Dialog;
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
        if (closeButton)
            flags |= Qt::WindowCloseButtonHint;
        if (minimizeButton)
            flags |= Qt::WindowMinimizeButtonHint;
        if (maximizeButton && owner.resizeable_)
            flags |= Qt::WindowMaximizeButtonHint;
        const bool wasVisible = top->isVisible();
        top->setWindowFlags(flags);
        top->setWindowModality(
            owner.frame_ == kFrameDocument ? Qt::NonModal : Qt::ApplicationModal);
        // Changing the flags hides a shown window.
        if (wasVisible)
            top->show();
    }

    void ApplyBackColor()
    {
        content->setAutoFillBackground(hasBackColor);
        if (hasBackColor) {
            QPalette palette = content->palette();
            palette.setColor(
                QPalette::Window, QColor(backColor.red, backColor.green, backColor.blue));
            content->setPalette(palette);
        }
    }

    // Adds or removes the menu bar while keeping the content area's size.
    void SetMenuBarPresent(bool present)
    {
        if (present == (menuBar != nullptr))
            return;
        const QSize size = ContentSize();
        if (present) {
            menuBar = new QMenuBar(top.get());
            menuBar->setNativeMenuBar(false);
            barHeight = std::max(1, menuBar->sizeHint().height());
            menuBar->show();
        } else {
            ClearMenus();
            menuBar->hide();
            menuBar->deleteLater();
            menuBar = nullptr;
            barHeight = 0;
        }
        syncedBar = nullptr;
        Resize(size.width(), size.height());
    }

    // An empty bar is hardly a pixel high; once it holds its menus it takes
    // its real height, and the window grows with it so the content area keeps
    // its size.
    void FitMenuBarHeight()
    {
        const QSize size = ContentSize();
        const int height = std::max(1, menuBar->sizeHint().height());
        if (height == barHeight)
            return;
        barHeight = height;
        Resize(size.width(), size.height());
    }

    void ClearMenus()
    {
        if (menuBar != nullptr) {
            const auto old = menuBar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
            menuBar->clear();
            // Later, not now: the menu may be the one whose action is running.
            for (QMenu* menu : old)
                menu->deleteLater();
        }
        entries.clear();
        shape.clear();
    }

    using Shape = std::vector<std::tuple<const MenuItem*, int, bool>>;

    static void ShapeOf(const MenuItem& item, int depth, Shape& out)
    {
        for (Integer i = 0; i < item.Count(); ++i) {
            const MenuItem& child = item.Item(i);
            out.emplace_back(&child, depth, child.Text() == "-");
            ShapeOf(child, depth + 1, out);
        }
    }

    void SyncMenus(MenuBar& bar)
    {
        Shape current;
        ShapeOf(bar, 0, current);
        if (&bar != syncedBar || current != shape) {
            if (QApplication::activePopupWidget() != nullptr) {
                // Don't pull a menu from under the user; try again once it closes.
                QTimer::singleShot(50, top.get(), [this] { owner.RebuildMenuBar(); });
                return;
            }
            ClearMenus();
            for (Integer i = 0; i < bar.Count(); ++i) {
                MenuItem& title = bar.Item(i);
                auto* menu = new QMenu(MenuText(title.Text()), menuBar);
                menuBar->addMenu(menu);
                QObject::connect(menu, &QMenu::aboutToShow, top.get(), [this] { MenuOpening(); });
                entries.push_back({ menu->menuAction(), &title, true });
                AddItems(*menu, title);
            }
            shape = std::move(current);
            syncedBar = &bar;
            FitMenuBarHeight();
        }
        for (const MenuEntry& entry : entries)
            UpdateAction(entry);
        syncedGeneration = bar.Generation();
    }

    void AddItems(QMenu& menu, MenuItem& parent)
    {
        for (Integer i = 0; i < parent.Count(); ++i) {
            MenuItem& item = parent.Item(i);
            if (item.Count() > 0) {
                auto* submenu = new QMenu(MenuText(item.Text()), &menu);
                menu.addMenu(submenu);
                entries.push_back({ submenu->menuAction(), &item, false });
                AddItems(*submenu, item);
                continue;
            }
            QAction* action = item.Text() == "-" ? menu.addSeparator() : menu.addAction(QString());
            MenuItem* target = &item;
            QObject::connect(action, &QAction::triggered, top.get(), [target] { Trigger(target); });
            entries.push_back({ action, &item, false });
        }
    }

    struct MenuEntry {
        QAction* action;
        MenuItem* item;
        bool title;
    };

    static void UpdateAction(const MenuEntry& entry)
    {
        const MenuItem& item = *entry.item;
        entry.action->setVisible(item.Visible());
        if (entry.action->isSeparator())
            return;
        entry.action->setText(MenuText(item.Text()));
        if (entry.title) {
            // A menu opens whatever its title item's own enabling says.
            entry.action->setEnabled(true);
            return;
        }
        entry.action->setEnabled(item.Enabled() && !item.Text().empty());
        entry.action->setShortcut(ShortcutKeys(item.KeyboardShortcut()));
    }

    static void Trigger(MenuItem* item)
    {
        CallWithExceptionHandling([item] {
            Application* app = Application::CurrentOrNull();
            MenuBar* bar = app != nullptr ? app->GetMenuBar() : nullptr;
            // The item may have been removed since the menu was built.
            if (bar != nullptr && Contains(*bar, item))
                item->Trigger();
        });
    }

    void MenuOpening()
    {
        CallWithExceptionHandling([] {
            if (Application* app = Application::CurrentOrNull())
                app->EnableMenuItems();
        });
        owner.RebuildMenuBar();
    }

    Window& owner;
    std::unique_ptr<WindowWidget> top;
    QWidget* content = nullptr;
    QTimer* settle = nullptr;
    QMenuBar* menuBar = nullptr;
    int barHeight = 0;
    QSize lastContent;
    std::string title;
    bool closeButton = true;
    bool minimizeButton = true;
    bool maximizeButton = true;
    bool hasBackColor = false;
    Color backColor = kWhite;

    const MenuBar* syncedBar = nullptr;
    Integer syncedGeneration = -1;
    Shape shape;
    std::vector<MenuEntry> entries;
};

Window::Window()
    : d(std::make_unique<Private>(*this))
{
    d->ApplyFlags();
    d->Relayout();
}

Window::~Window()
{
    // Controls first: their widgets are children of the window's widget.
    controls_.clear();
}

void Window::Adopt(std::unique_ptr<Window> window)
{
    Window* raw = window.get();
    OpenList().windows.push_back(std::move(window));
    try {
        raw->Build();
    } catch (...) {
        raw->open_ = false;
        std::unique_ptr<Window> failed = TakeFromOpenList(raw);
        throw;
    }
}

void Window::Build()
{
    Layout();
    CreateControls();
    built_ = true;
    d->lastContent = d->ContentSize();
    UpdateTabOrder();
    RebuildMenuBar();
    CallWithExceptionHandling([this] { Event_Open(); });
    if (open_ && visibleWhenBuilt_)
        Show();
}

std::vector<Window*> Window::OpenWindows()
{
    std::vector<Window*> result;
    for (const auto& window : OpenList().windows)
        result.push_back(window.get());
    return result;
}

void Window::DisposeAll()
{
    auto& windows = OpenList().windows;
    while (!windows.empty()) {
        std::unique_ptr<Window> window = std::move(windows.back());
        windows.pop_back();
        window->open_ = false;
        window.reset();
    }
}

QWidget* Window::widget() const
{
    return d->top.get();
}

QWidget* Window::ContentWidget() const
{
    return d->content;
}

std::string Window::Title() const
{
    return d->title;
}

void Window::SetTitle(const std::string& title)
{
    d->title = title;
    d->top->setWindowTitle(FromUtf8(title));
}

Integer Window::Width() const
{
    return d->ContentSize().width();
}
Integer Window::Height() const
{
    return d->ContentSize().height();
}

void Window::SetWidth(Integer width)
{
    d->Resize(width, Height());
}
void Window::SetHeight(Integer height)
{
    d->Resize(Width(), height);
}

bool Window::Visible() const
{
    return d->top->isVisible();
}

void Window::Show()
{
    if (!open_)
        return;
    d->top->show();
    d->top->raise();
    d->top->activateWindow();
}

void Window::Hide()
{
    d->top->hide();
}

void Window::Close()
{
    if (!open_)
        return;
    if (d->top->isVisible())
        d->top->close(); // its close event runs DeliverClose
    else
        DeliverClose();
}

void Window::DeliverClose()
{
    if (!open_)
        return;
    open_ = false;
    CallWithExceptionHandling([this] { Event_Close(); });
    d->settle->stop();
    d->top->hide();
    std::shared_ptr<Window> closed = TakeFromOpenList(this);
    if (closed && QCoreApplication::instance() != nullptr) {
        // Deleted once control is back in the event loop, never inside one of
        // the window's own handlers.
        QTimer::singleShot(0, QCoreApplication::instance(), [closed]() mutable { closed.reset(); });
    }
}

void Window::DeliverResize(bool live)
{
    if (live)
        CallWithExceptionHandling([this] { Event_Resizing(); });
    else
        CallWithExceptionHandling([this] { Event_Resized(); });
}

void Window::RebuildMenuBar()
{
    Application* app = Application::CurrentOrNull();
    MenuBar* bar = app != nullptr ? app->GetMenuBar() : nullptr;
    const bool present = open_ && bar != nullptr && frame_ == kFrameDocument && menuBarVisible_;
    d->SetMenuBarPresent(present);
    if (!present)
        return;
    if (bar == d->syncedBar && bar->Generation() == d->syncedGeneration)
        return;
    d->SyncMenus(*bar);
}

void Window::UpdateTabOrder()
{
    if (!built_)
        return;
    std::vector<RectControl*> chain;
    for (const auto& control : controls_) {
        auto* rect = dynamic_cast<RectControl*>(control.get());
        if (rect != nullptr && rect->widget()->focusPolicy() != Qt::NoFocus)
            chain.push_back(rect);
    }
    std::stable_sort(chain.begin(), chain.end(),
        [](const RectControl* a, const RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1]->widget(), chain[i]->widget());
}

Control* Window::ControlNamed(std::string_view name, Integer index) const
{
    for (const auto& control : controls_) {
        if (control->Name() == name && (index == kAnyIndex || control->Index() == index))
            return control.get();
    }
    return nullptr;
}

void Window::AddControlObject(std::unique_ptr<Control> control, std::string_view name)
{
    if (!control)
        throw NilObjectException("no control to add");
    control->SetName(name);
    controls_.push_back(std::move(control));
}

bool Window::SaveScreenshot(const std::string& pngPath)
{
    const QPixmap shot = d->top->grab();
    return !shot.isNull() && shot.save(FromUtf8(pngPath), "PNG");
}

PropertyKind Window::KindOf(std::string_view name) const
{
    if (const PropertySpec* spec = FindPropertySpec(kWindowProperties, name))
        return spec->kind;
    ThrowUnknownProperty(name);
}

void Window::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "Width") {
        SetWidth(IntegerValue(value));
    } else if (name == "Height") {
        SetHeight(IntegerValue(value));
    } else if (name == "MinWidth") {
        minWidth_ = ClampExtent(IntegerValue(value));
        d->ReapplySize();
    } else if (name == "MinHeight") {
        minHeight_ = ClampExtent(IntegerValue(value));
        d->ReapplySize();
    } else if (name == "MaxWidth") {
        maxWidth_ = ClampExtent(IntegerValue(value));
        d->ReapplySize();
    } else if (name == "MaxHeight") {
        maxHeight_ = ClampExtent(IntegerValue(value));
        d->ReapplySize();
    } else if (name == "Frame") {
        const Integer frame = IntegerValue(value);
        frame_ = frame == kFrameMovableModal || frame == kFrameModalDialog ? frame : kFrameDocument;
        d->ApplyFlags();
        if (built_)
            RebuildMenuBar();
    } else if (name == "Title") {
        SetTitle(StringValue(value));
    } else if (name == "CloseButton") {
        d->closeButton = BooleanValue(value);
        d->ApplyFlags();
    } else if (name == "Resizeable") {
        resizeable_ = BooleanValue(value);
        d->ApplyFlags();
        d->ReapplySize();
    } else if (name == "MaximizeButton") {
        d->maximizeButton = BooleanValue(value);
        d->ApplyFlags();
    } else if (name == "MinimizeButton") {
        d->minimizeButton = BooleanValue(value);
        d->ApplyFlags();
    } else if (name == "Visible") {
        const bool visible = BooleanValue(value);
        // While the window is being built the flag only says whether to show
        // it once it is complete.
        if (!built_)
            visibleWhenBuilt_ = visible;
        else if (visible)
            Show();
        else
            Hide();
    } else if (name == "LiveResize") {
        liveResize_ = BooleanValue(value);
    } else if (name == "HasBackColor") {
        d->hasBackColor = BooleanValue(value);
        d->ApplyBackColor();
    } else if (name == "BackColor") {
        d->backColor = ColorValue(value);
        d->ApplyBackColor();
    } else if (name == "MenuBarVisible") {
        menuBarVisible_ = BooleanValue(value);
        if (built_)
            RebuildMenuBar();
    } else if (FindPropertySpec(kWindowProperties, name) == nullptr) {
        ThrowUnknownProperty(name);
    }
    // FullScreenButton, Composite, MacProcID, Placement, FullScreen: the
    // desktop places and decorates windows itself.
}
