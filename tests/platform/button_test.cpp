#include "bevel_button.h"
#include "push_button.h"
#include "radio_button.h"
#include "widget_fixture.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ButtonTest : public WidgetTest {
protected:
    // A shown, active window with OK (default), Cancel (cancel), a bevel
    // button and three radio buttons.
    TestWindow& Build()
    {
        TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) {
            r.width = 300;
            r.height = 200;
        }),
            [](Window& w) {
                w.AddControl<PushButton>("OK", With<PushButtonRecord>([&](auto& r) {
                    r.place = At("OK", 200, 160, 60, 20);
                    r.caption = "OK";
                    r.isDefault = true;
                }).Encode());
                w.AddControl<PushButton>("Cancel", With<PushButtonRecord>([&](auto& r) {
                    r.place = At("Cancel", 120, 160, 60, 20);
                    r.caption = "Cancel";
                    r.cancel = true;
                }).Encode());
                w.AddControl<BevelButton>("Next", With<BevelButtonRecord>([&](auto& r) {
                    r.place = At("Next", 10, 160, 50, 20);
                    r.caption = "Next";
                }).Encode());
                for (int i = 1; i <= 3; ++i) {
                    const std::string name = "Answer" + std::to_string(i);
                    w.AddControl<RadioButton>(name, With<RadioButtonRecord>([&](auto& r) {
                        r.place = At(name, 10, 30 * i, 20, 20);
                    }).Encode());
                }
            });
        for (const char* name : { "OK", "Cancel" })
            window.Find<PushButton>(name).OnAction(
                [this](PushButton& b) { pressed.push_back(b.Name()); });
        window.Find<BevelButton>("Next").OnAction(
            [this](BevelButton& b) { pressed.push_back(b.Name()); });
        for (int i = 1; i <= 3; ++i)
            window.Find<RadioButton>("Answer" + std::to_string(i)).OnAction([this](RadioButton& b) {
                pressed.push_back(b.Name());
            });
        QApplication::setActiveWindow(window.widget());
        Application::DoEvents();
        return window;
    }

    std::vector<std::string> pressed;
};

} // namespace

TEST_F(ButtonTest, RecordSetsCaptionGeometryAndFlags)
{
    TestWindow& window = Build();
    PushButton& ok = window.Find<PushButton>("OK");
    EXPECT_EQ(ok.Caption(), "OK");
    EXPECT_EQ(static_cast<QPushButton*>(ok.widget())->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok.widget()->geometry(), QRect(200, 160, 60, 20));
    EXPECT_TRUE(ok.Default());
    EXPECT_FALSE(ok.Cancel());
    EXPECT_TRUE(window.Find<PushButton>("Cancel").Cancel());
}

TEST_F(ButtonTest, PushRaisesActionOnlyWhileEnabledAndVisible)
{
    TestWindow& window = Build();
    PushButton& ok = window.Find<PushButton>("OK");
    ok.Push();
    ok.SetEnabled(false);
    EXPECT_FALSE(ok.Enabled());
    ok.Push();
    ok.SetEnabled(true);
    ok.SetVisible(false);
    ok.Push();
    BevelButton& next = window.Find<BevelButton>("Next");
    next.SetEnabled(false);
    next.Push();
    EXPECT_EQ(pressed, std::vector<std::string> { "OK" });
}

TEST_F(ButtonTest, ReturnPressesTheDefaultAndEscapeTheCancelButton)
{
    TestWindow& window = Build();
    QTest::keyClick(window.widget(), Qt::Key_Return);
    QTest::keyClick(window.widget(), Qt::Key_Escape);
    EXPECT_EQ(pressed, (std::vector<std::string> { "OK", "Cancel" }));
    window.Find<PushButton>("OK").SetDefault(false);
    QTest::keyClick(window.widget(), Qt::Key_Return);
    EXPECT_EQ(pressed.size(), 2u) << "no default button any more";
}

TEST_F(ButtonTest, InvisibleDefaultButtonIsNotPressedByReturn)
{
    TestWindow& window = Build();
    window.Find<PushButton>("OK").SetVisible(false);
    QTest::keyClick(window.widget(), Qt::Key_Return);
    EXPECT_TRUE(pressed.empty());
}

TEST_F(ButtonTest, BevelButtonsNeverTakeTheFocus)
{
    TestWindow& window = Build();
    BevelButton& next = window.Find<BevelButton>("Next");
    EXPECT_EQ(next.widget()->focusPolicy(), Qt::NoFocus);
    QTest::mouseClick(next.widget(), Qt::LeftButton);
    EXPECT_EQ(pressed, std::vector<std::string> { "Next" });
    EXPECT_FALSE(next.HasFocus());
}

TEST_F(ButtonTest, RadioButtonsFormOneGroupAndActOnlyOnClicks)
{
    TestWindow& window = Build();
    RadioButton& first = window.Find<RadioButton>("Answer1");
    RadioButton& second = window.Find<RadioButton>("Answer2");
    first.SetValue(true);
    EXPECT_TRUE(pressed.empty()) << "Value from code raises nothing";
    QTest::mouseClick(second.widget(), Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(second.Value());
    EXPECT_FALSE(first.Value());
    EXPECT_EQ(pressed, std::vector<std::string> { "Answer2" });
    window.Find<RadioButton>("Answer3").Push();
    EXPECT_EQ(pressed.back(), "Answer3");
    EXPECT_FALSE(second.Value());
}

TEST_F(ButtonTest, ValueFalseClearsTheChosenRadioButton)
{
    TestWindow& window = Build();
    RadioButton& first = window.Find<RadioButton>("Answer1");
    first.SetValue(true);
    first.SetValue(false);
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(window.Find<RadioButton>("Answer" + std::to_string(i)).Value());
    // The group still works afterwards.
    window.Find<RadioButton>("Answer2").SetValue(true);
    window.Find<RadioButton>("Answer3").SetValue(true);
    EXPECT_FALSE(window.Find<RadioButton>("Answer2").Value());
}

TEST_F(ButtonTest, DisabledRadioButtonIgnoresPush)
{
    TestWindow& window = Build();
    RadioButton& first = window.Find<RadioButton>("Answer1");
    first.SetEnabled(false);
    first.Push();
    EXPECT_FALSE(first.Value());
    EXPECT_TRUE(pressed.empty());
}

TEST_F(ButtonTest, ExceptionInAHandlerReachesTheApplicationOnceAndLaterEventsStillWork)
{
    TestWindow& window = Build();
    int calls = 0;
    window.Find<PushButton>("OK").OnAction([&](PushButton&) {
        if (++calls == 1)
            throw OutOfBoundsException("index 1001 outside 0..1000");
    });
    window.Find<PushButton>("OK").Push();
    ASSERT_EQ(unhandled.size(), 1u);
    EXPECT_EQ(unhandled[0], "index 1001 outside 0..1000");
    window.Find<PushButton>("OK").Push();
    window.Find<PushButton>("Cancel").Push();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(pressed, std::vector<std::string> { "Cancel" });
    EXPECT_EQ(unhandled.size(), 1u);
}
