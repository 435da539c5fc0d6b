#pragma once

#include <array>
#include <string_view>

// The objects the property-record fuzzer applies records to. An input is one
// byte that picks the target (taken modulo the count), then the record. The
// seed writer uses the same table, so a seed reaches the class it was
// encoded for.
enum class RecordTarget {
    Window,
    Label,
    RadioButton,
    BevelButton,
    PushButton,
    PopupMenu,
    Canvas,
    MarkCanvas,
    Listbox,
    Slider,
    ScrollBar,
    Timer,
};

inline constexpr std::array<std::string_view, 12> kRecordTargetNames {
    "window",
    "label",
    "radio_button",
    "bevel_button",
    "push_button",
    "popup_menu",
    "canvas",
    "mark_canvas",
    "listbox",
    "slider",
    "scroll_bar",
    "timer",
};
