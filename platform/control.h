#pragma once

#include "property_record.h"
#include "types.h"

#include <functional>
#include <string>
#include <string_view>

class QWidget;
class Window;

// A control of a window. It has a name, and an index when it belongs to a
// control array (several controls of one name); kNoIndex otherwise.
class Control : public PropertyTarget {
public:
    static constexpr Integer kNoIndex = -2147483648LL;

    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    Integer Index() const { return index_; }
    Window& TrueWindow() const { return window_; }

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

    // Platform use.
    void SetName(std::string_view name) { name_ = name; }

protected:
    explicit Control(Window& window);
    // Runs an event handler of the program through the exception hook.
    static void Deliver(const std::function<void()>& handler);

private:
    Window& window_;
    std::string name_;
    Integer index_ = kNoIndex;
};

// A control with a place on the window: position, size, the four edge locks,
// focus order, enabling, visibility and text style.
//
// Locks: on a resize of the window a control keeps its distance from every
// edge it is locked to, and stretches between two opposite locked edges.
class RectControl : public Control {
public:
    ~RectControl() override;

    Integer Left() const;
    Integer Top() const;
    Integer Width() const;
    Integer Height() const;
    void SetLeft(Integer left);
    void SetTop(Integer top);
    void SetWidth(Integer width);
    void SetHeight(Integer height);

    bool LockLeft() const { return lockLeft_; }
    bool LockTop() const { return lockTop_; }
    bool LockRight() const { return lockRight_; }
    bool LockBottom() const { return lockBottom_; }
    void SetLockLeft(bool lock) { lockLeft_ = lock; }
    void SetLockTop(bool lock) { lockTop_ = lock; }
    void SetLockRight(bool lock) { lockRight_ = lock; }
    void SetLockBottom(bool lock) { lockBottom_ = lock; }

    bool Enabled() const;
    void SetEnabled(bool enabled);
    // Visible as the control's own flag: true even while its window is hidden.
    bool Visible() const;
    void SetVisible(bool visible);
    Integer TabIndex() const { return tabIndex_; }
    void SetTabIndex(Integer tabIndex);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    const std::string& HelpTag() const { return helpTag_; }
    void SetHelpTag(const std::string& tag);
    void SetFocus();
    bool HasFocus() const;

    // "System" (or empty) is the system font; TextSize 0 its default size.
    const std::string& TextFont() const { return textFont_; }
    void SetTextFont(const std::string& font);
    Single TextSize() const { return textSize_; }
    void SetTextSize(Single size); // fractional sizes are drawn as such
    bool Bold() const { return bold_; }
    void SetBold(bool bold);
    bool Italic() const { return italic_; }
    void SetItalic(bool italic);
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline);

    // Moves the control for a window resized from (oldWidth, oldHeight) to
    // (newWidth, newHeight), following its locks.
    void FollowLocks(Integer oldWidth, Integer oldHeight, Integer newWidth, Integer newHeight);

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

    // Platform use.
    QWidget* widget() const { return widget_; }

protected:
    // widget becomes a child of the window's widget, owned by it.
    RectControl(Window& window, QWidget* widget);
    void ApplyFont();

private:
    QWidget* widget_;
    bool lockLeft_ = false;
    bool lockTop_ = false;
    bool lockRight_ = false;
    bool lockBottom_ = false;
    bool visible_ = true;
    Integer tabIndex_ = 0;
    bool tabStop_ = true;
    std::string helpTag_;
    std::string textFont_ = "System";
    Single textSize_ = 0;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
};
