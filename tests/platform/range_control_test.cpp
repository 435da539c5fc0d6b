#include "slider.h"

#include "widget_fixture.h"

#include <QAbstractSlider>

#include <gtest/gtest.h>

namespace {

class RangeControlTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        window = &OpenTestWindow(With<WindowRecord>([&](auto& r) {
            r.width = 622;
            r.height = 375;
            r.liveResize = false;
        }),
            [](Window& w) {
                RangeRecord slider
                    = With<RangeRecord>([&](auto& r) { r.place = At("Slider1", 0, 335, 400, 16); });
                slider.place.lockLeft = slider.place.lockRight = slider.place.lockBottom = true;
                w.AddControl<Slider>("Slider1", slider.Encode());
                RangeRecord bar = With<RangeRecord>([&](auto& r) {
                    r.place = At("ScrollBar2", 604, 0, 16, 314);
                    r.maximum = 1000;
                });
                bar.place.lockTop = bar.place.lockRight = bar.place.lockBottom = true;
                w.AddControl<ScrollBar>("ScrollBar2", bar.Encode());
            });
    }
    static QAbstractSlider& Widget(RangeControl& control)
    {
        return *static_cast<QAbstractSlider*>(control.widget());
    }
    TestWindow* window = nullptr;
};

} // namespace

TEST_F(RangeControlTest, OrientationFollowsTheShape)
{
    Slider& slider = window->Find<Slider>("Slider1");
    ScrollBar& bar = window->Find<ScrollBar>("ScrollBar2");
    EXPECT_EQ(Widget(slider).orientation(), Qt::Horizontal);
    EXPECT_EQ(Widget(bar).orientation(), Qt::Vertical);
    slider.SetWidth(10);
    slider.SetHeight(200);
    Application::DoEvents();
    EXPECT_EQ(Widget(slider).orientation(), Qt::Vertical);
}

TEST_F(RangeControlTest, ValueStaysInRangeAndEveryChangeIsReported)
{
    Slider& slider = window->Find<Slider>("Slider1");
    std::vector<Integer> values;
    slider.OnValueChanged([&](RangeControl& r) { values.push_back(r.Value()); });
    slider.SetMinimum(1001);
    slider.SetMaximum(1016);
    slider.SetValue(1001);
    EXPECT_EQ(slider.Minimum(), 1001);
    EXPECT_EQ(slider.Maximum(), 1016);
    slider.SetValue(5000);
    EXPECT_EQ(slider.Value(), 1016);
    EXPECT_EQ(values.back(), 1016);
    slider.SetValue(1016);
    const std::size_t count = values.size();
    slider.SetValue(1016);
    EXPECT_EQ(values.size(), count) << "no change, no event";
}

TEST_F(RangeControlTest, RecordSetsTheRangeWithoutRunningHandlers)
{
    ScrollBar& bar = window->Find<ScrollBar>("ScrollBar2");
    EXPECT_EQ(bar.Maximum(), 1000);
    EXPECT_EQ(bar.PageStep(), 20);
    EXPECT_EQ(bar.LineStep(), 1);
    EXPECT_TRUE(bar.LiveScroll());
    EXPECT_TRUE(Widget(bar).hasTracking());
    bar.SetLiveScroll(false);
    EXPECT_FALSE(Widget(bar).hasTracking());
}

TEST_F(RangeControlTest, LockedBarsStretchAndKeepTheirDistances)
{
    window->SetWidth(800);
    window->SetHeight(500);
    Application::DoEvents();
    Slider& slider = window->Find<Slider>("Slider1");
    ScrollBar& bar = window->Find<ScrollBar>("ScrollBar2");
    EXPECT_EQ(slider.Width(), 578);
    EXPECT_EQ(slider.Top(), 460);
    EXPECT_EQ(bar.Left(), 782);
    EXPECT_EQ(bar.Height(), 439);
    EXPECT_EQ(window->resizeds, 2);
}

TEST_F(RangeControlTest, UserDragRaisesValueChanged)
{
    ScrollBar& bar = window->Find<ScrollBar>("ScrollBar2");
    std::vector<Integer> values;
    bar.OnValueChanged([&](RangeControl& r) { values.push_back(r.Value()); });
    Widget(bar).triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(values, std::vector<Integer> { 20 });
}
