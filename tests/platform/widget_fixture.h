#pragma once

#include "application.h"
#include "control.h"
#include "control_records.h"
#include "exceptions.h"
#include "property_record.h"
#include "window.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// A record with the fields that fill sets (GCC 12 warns about designated
// initialisers that leave fields out).
template <class Record, class Fill> Record With(Fill fill)
{
    Record record;
    fill(record);
    return record;
}

// The text size a control's font is drawn at, in pixels: what a stored
// layout's text size means.
inline double DrawnPixelSize(const RectControl& control)
{
    return control.widget()->font().pointSizeF() * control.widget()->logicalDpiY() / 72.0;
}

// What the next TestWindow is built from: its record, then its controls.
struct TestWindowPlan {
    std::string record = WindowRecord {}.Encode();
    std::function<void(Window&)> controls;
};

inline TestWindowPlan& NextTestWindowPlan()
{
    static TestWindowPlan plan;
    return plan;
}

// A window built from a plan, counting its own events.
class TestWindow : public Window {
public:
    TestWindow()
        : plan_(NextTestWindowPlan())
    {
    }

    void Layout() override { ApplyPropertyRecord(*this, plan_.record); }
    void CreateControls() override
    {
        if (plan_.controls)
            plan_.controls(*this);
    }

    int opens = 0;
    int closes = 0;
    int resizeds = 0;
    int resizings = 0;
    std::function<void()> onResized;

protected:
    void Event_Open() override { ++opens; }
    void Event_Close() override { ++closes; }
    void Event_Resized() override
    {
        ++resizeds;
        if (onResized)
            onResized();
    }
    void Event_Resizing() override { ++resizings; }

private:
    TestWindowPlan plan_;
};

// Builds a TestWindow now.
inline TestWindow& OpenTestWindow(
    const WindowRecord& record, std::function<void(Window&)> controls = {})
{
    NextTestWindowPlan() = TestWindowPlan { record.Encode(), std::move(controls) };
    return Window::Create<TestWindow>();
}

// A registered application that records what reaches UnhandledException, and
// closes every window a test leaves open.
class WidgetTest : public testing::Test {
protected:
    void SetUp() override
    {
        NextTestWindowPlan() = TestWindowPlan {};
        Application::Register(&app);
        app.BindUnhandledException([this](RuntimeException& exception) {
            unhandled.push_back(exception.Message());
            return true;
        });
    }

    void TearDown() override
    {
        for (Window* window : Window::OpenWindows())
            window->Close();
        Application::DoEvents();
        Application::Register(nullptr);
    }

    Application app;
    std::vector<std::string> unhandled;
};

// A placement at (left, top) of width x height.
inline Placement At(
    const std::string& name, Integer left, Integer top, Integer width, Integer height)
{
    Placement place;
    place.name = name;
    place.left = left;
    place.top = top;
    place.width = width;
    place.height = height;
    return place;
}
