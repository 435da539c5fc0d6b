#pragma once

#include "exceptions.h"
#include "property_record.h"
#include "types.h"

#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

class Control;
class QWidget;

// Frame codes of the stored window record.
constexpr Integer kFrameDocument = 0;
constexpr Integer kFrameMovableModal = 1;
constexpr Integer kFrameModalDialog = 2;

// A top-level window built from its stored record and its controls' records.
//
// Building (Create): Layout applies the window record, CreateControls makes the
// controls (each record applied before its handlers are attached, so building
// runs no control handler), then the Open event runs and the window is shown
// if its record has Visible set. Resized and Resizing never reach a window
// before its controls exist.
//
// A window lives until it closes (its close box, or Close); the Close event
// runs, the window leaves the list of open windows at once and is deleted once
// control returns to the event loop. Open windows are owned by the platform.
class Window : public PropertyTarget {
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Builds and opens a new window of class W and returns it.
    template <class W> static W& Create()
    {
        auto window = std::make_unique<W>();
        W& result = *window;
        Adopt(std::move(window));
        return result;
    }
    // The open window of class W (exactly that class), or nullptr.
    template <class W> static W* FindOpen()
    {
        for (Window* window : OpenWindows()) {
            if (typeid(*window) == typeid(W))
                return static_cast<W*>(window);
        }
        return nullptr;
    }
    // The single-instance accessor: the open window of class W unchanged, else a
    // new one. It never shows a window that is already open.
    template <class W> static W& SingleInstance()
    {
        if (W* open = FindOpen<W>())
            return *open;
        return Create<W>();
    }
    static std::vector<Window*> OpenWindows();
    // Deletes every open window, newest first, without raising their Close
    // events: the end of the run, while the GUI runtime is still there.
    static void DisposeAll();

    // The building steps; Create runs them in order.
    virtual void Layout() { }
    virtual void CreateControls() { }

    std::string Title() const;
    void SetTitle(const std::string& title); // UTF-8
    Integer Width() const;
    Integer Height() const;
    void SetWidth(Integer width);
    void SetHeight(Integer height);
    Integer MinWidth() const { return minWidth_; }
    Integer MinHeight() const { return minHeight_; }
    Integer MaxWidth() const { return maxWidth_; }
    Integer MaxHeight() const { return maxHeight_; }
    Integer Frame() const { return frame_; }
    bool Resizeable() const { return resizeable_; }
    bool LiveResize() const { return liveResize_; }
    bool MenuBarVisible() const { return menuBarVisible_; }
    bool Visible() const;

    void Show(); // shows the window and brings it to the front
    void Hide();
    void Close();
    bool IsOpen() const { return open_; }

    // The control of that name (and index, for control arrays). Raises
    // NilObjectException when there is none, or when it is not a C.
    template <class C> C& Find(std::string_view name) const
    {
        return Cast<C>(ControlNamed(name, kAnyIndex));
    }
    template <class C> C& Find(std::string_view name, Integer index) const
    {
        return Cast<C>(ControlNamed(name, index));
    }
    Control* ControlNamed(std::string_view name, Integer index) const;
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    // Makes a control of class C owned by this window, adds it under name and
    // applies its record. Extra constructor arguments go to C after the window.
    template <class C, typename... Args>
    C& AddControl(std::string_view name, std::string_view record, Args&&... args)
    {
        auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
        C& result = *control;
        AddControlObject(std::move(control), name);
        ApplyPropertyRecord(result, record);
        return result;
    }

    // The window as shown, for screenshots; false when the file was not written.
    bool SaveScreenshot(const std::string& pngPath);

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

    static constexpr Integer kAnyIndex = -1;

    // Platform use.
    QWidget* widget() const;
    // The area below the menu bar that holds the controls; its size is the
    // window's Width and Height.
    QWidget* ContentWidget() const;
    // Orders keyboard focus by the controls' TabIndex.
    void UpdateTabOrder();
    void DeliverResize(bool live);
    void DeliverClose();
    void RebuildMenuBar();

protected:
    virtual void Event_Open() { }
    virtual void Event_Close() { }
    virtual void Event_Resized() { }
    virtual void Event_Resizing() { }

private:
    static void Adopt(std::unique_ptr<Window> window);
    void Build();
    void AddControlObject(std::unique_ptr<Control> control, std::string_view name);
    template <class C> static C& Cast(Control* control)
    {
        auto* typed = dynamic_cast<C*>(control);
        if (typed == nullptr)
            throw NilObjectException("no such control");
        return *typed;
    }

    struct Private;
    std::unique_ptr<Private> d;
    std::vector<std::unique_ptr<Control>> controls_;
    Integer minWidth_ = 64;
    Integer minHeight_ = 64;
    Integer maxWidth_ = 32000;
    Integer maxHeight_ = 32000;
    Integer frame_ = kFrameDocument;
    bool resizeable_ = true;
    bool liveResize_ = true;
    bool menuBarVisible_ = true;
    bool visibleWhenBuilt_ = true;
    bool built_ = false;
    bool open_ = true;
};
