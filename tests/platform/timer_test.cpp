#include "timer.h"

#include "widget_fixture.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

class TimerTest : public WidgetTest {
protected:
    Timer& Make(TimerRecord record)
    {
        TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) { r.visible = false; }),
            [&](Window& w) { w.AddControl<Timer>("Timer1", record.Encode()); });
        return window.Find<Timer>("Timer1");
    }

    static void RunFor(int milliseconds)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds)
            Application::DoEvents();
    }
};

} // namespace

TEST_F(TimerTest, RecordStartsARepeatingTimer)
{
    Timer& timer = Make(With<TimerRecord>([&](auto& r) {
        r.mode = kTimerModeMultiple;
        r.period = 20;
    }));
    EXPECT_EQ(timer.Mode(), kTimerModeMultiple);
    EXPECT_EQ(timer.Period(), 20);
    EXPECT_TRUE(timer.Running());
    int fired = 0;
    timer.OnAction([&](Timer&) { ++fired; });
    RunFor(200);
    EXPECT_GE(fired, 3);
}

TEST_F(TimerTest, SingleModeFiresOnceAndOffNever)
{
    Timer& timer = Make(With<TimerRecord>([&](auto& r) {
        r.mode = kTimerModeSingle;
        r.period = 10;
    }));
    int fired = 0;
    timer.OnAction([&](Timer&) { ++fired; });
    RunFor(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(timer.Mode(), kTimerModeOff);
    EXPECT_FALSE(timer.Running());
    timer.SetMode(kTimerModeOff);
    RunFor(50);
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, FireRunsTheActionNow)
{
    Timer& timer = Make(TimerRecord {});
    int fired = 0;
    timer.OnAction([&](Timer& t) {
        EXPECT_EQ(&t, &timer);
        ++fired;
    });
    timer.Fire();
    EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, StopsWithItsWindow)
{
    Timer& timer = Make(With<TimerRecord>([&](auto& r) {
        r.mode = kTimerModeMultiple;
        r.period = 5;
    }));
    int fired = 0;
    timer.OnAction([&](Timer&) { ++fired; });
    timer.TrueWindow().Close();
    EXPECT_FALSE(timer.Running());
    RunFor(50);
    EXPECT_EQ(fired, 0);
}

TEST_F(TimerTest, ExceptionInTheActionReachesTheApplicationEachTime)
{
    Timer& timer = Make(TimerRecord {});
    timer.OnAction([](Timer&) { throw OutOfBoundsException("tick"); });
    timer.Fire();
    timer.Fire();
    EXPECT_EQ(unhandled.size(), 2u);
}
