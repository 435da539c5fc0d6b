// The property-record setter on arbitrary bytes: applied to a real window as
// its layout, or to a real control of each class as the window adds it, then
// the window is laid out again and drawn.
#include "fuzz_support.h"

#include "property_record_targets.h"

#include "application.h"
#include "bevel_button.h"
#include "canvas.h"
#include "control_records.h"
#include "label.h"
#include "listbox.h"
#include "mark_canvas.h"
#include "popup_menu.h"
#include "push_button.h"
#include "radio_button.h"
#include "slider.h"
#include "timer.h"
#include "varno.h"
#include "window.h"

#include <QPixmap>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

std::string& NextLayout()
{
    static std::string record;
    return record;
}

// A window whose stored layout is the fuzzed record (or a plain one, for a
// window that only hosts the fuzzed control).
class FuzzWindow final : public Window {
public:
    void Layout() override { ApplyPropertyRecord(*this, NextLayout()); }
};

void AddFuzzedControl(Window& window, RecordTarget target, std::string_view record)
{
    switch (target) {
    case RecordTarget::Window:
        return;
    case RecordTarget::Label:
        window.AddControl<Label>("Fuzzed", record);
        return;
    case RecordTarget::RadioButton:
        window.AddControl<RadioButton>("Fuzzed", record);
        return;
    case RecordTarget::BevelButton:
        window.AddControl<BevelButton>("Fuzzed", record);
        return;
    case RecordTarget::PushButton:
        window.AddControl<PushButton>("Fuzzed", record);
        return;
    case RecordTarget::PopupMenu:
        window.AddControl<PopupMenu>("Fuzzed", record);
        return;
    case RecordTarget::Canvas:
        window.AddControl<Canvas>("Fuzzed", record);
        return;
    case RecordTarget::MarkCanvas:
        window.AddControl<MarkCanvas>("Fuzzed", record);
        return;
    case RecordTarget::Listbox:
        window.AddControl<Listbox>("Fuzzed", record);
        return;
    case RecordTarget::Slider:
        window.AddControl<Slider>("Fuzzed", record);
        return;
    case RecordTarget::ScrollBar:
        window.AddControl<ScrollBar>("Fuzzed", record);
        return;
    case RecordTarget::Timer:
        window.AddControl<Timer>("Fuzzed", record);
        return;
    }
}

// Records may size a window or a control up to 32000 x 32000 pixels, but Qt
// paints a window through an image of its whole size, and the style a button
// the same way: 4 GB each at that size. Only what fits a large screen is
// painted here; the rest is resized and laid out, not drawn.
constexpr int kScreenWidth = 2560;
constexpr int kScreenHeight = 1600;

bool FitsTheScreen(const QWidget& widget)
{
    return widget.width() <= kScreenWidth && widget.height() <= kScreenHeight;
}

// What the user's desktop does next with the window: a resize, which moves
// the controls by their locks, and a paint.
void UseWindow(Window& window)
{
    window.SetWidth(window.Width() + 41);
    window.SetHeight(window.Height() - 23);
    QWidget& top = *window.widget();
    if (!FitsTheScreen(top)) {
        window.Hide();
        Application::DoEvents();
        return;
    }
    for (const auto& control : window.Controls()) {
        if (auto* placed = dynamic_cast<RectControl*>(control.get());
            placed != nullptr && !FitsTheScreen(*placed->widget()))
            placed->SetVisible(false);
    }
    Application::DoEvents();
    const QPixmap drawn = top.grab();
    if (drawn.size() != top.size())
        FuzzFault("the window could not be drawn");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartFuzzRuntime();
    FuzzApp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    FuzzApp();
    ForgetMessages();
    const auto target = static_cast<RecordTarget>(data[0] % kRecordTargetNames.size());
    const std::string record = AsBytes(data + 1, size - 1);

    Window* window = nullptr;
    if (target == RecordTarget::Window) {
        NextLayout() = record;
        RunWithSpecifiedExceptions([&] { window = &Window::Create<FuzzWindow>(); });
    } else {
        NextLayout() = WindowRecord {}.Encode();
        window = &Window::Create<FuzzWindow>();
        RunWithSpecifiedExceptions([&] { AddFuzzedControl(*window, target, record); });
    }

    if (window != nullptr) {
        RunWithSpecifiedExceptions([&] { UseWindow(*window); });
        window->Close();
    }
    if (!Window::OpenWindows().empty())
        FuzzFault("a window stayed open after Close");
    // The closed window is deleted once the event loop runs again.
    Application::DoEvents();
    return 0;
}
