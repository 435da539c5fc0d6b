// Proportional re-layout: every control's place and text size follow the
// window's size, scaled from the 640 x 420 reference.

#include "window1.h"

#include "application.h"
#include "bevel_button.h"
#include "control.h"
#include "exam_window_fixture.h"
#include "label.h"
#include "mark_canvas.h"
#include "popup_menu.h"
#include "push_button.h"
#include "radio_button.h"
#include "text.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <thread>
#include <string>
#include <vector>

namespace {

// c + X*k/d in whole numbers, X the width (d 640) or height (d 420); Fixed
// is a bare number, Kept a property the re-layout leaves at its stored value.
struct Term {
    enum Axis { Width, Height, Fixed, Kept } axis;
    Integer offset;
    Integer factor;

    Integer At(Integer w, Integer h) const
    {
        switch (axis) {
        case Width:
            return offset + w * factor / 640;
        case Height:
            return offset + h * factor / 420;
        default:
            return offset;
        }
    }
};

Term W(Integer factor, Integer offset = 0)
{
    return { Term::Width, offset, factor };
}
Term H(Integer factor, Integer offset = 0)
{
    return { Term::Height, offset, factor };
}
Term Fixed(Integer value)
{
    return { Term::Fixed, value, 0 };
}
Term Kept(Integer stored)
{
    return { Term::Kept, stored, 0 };
}

enum class TextRule { None, Base, Number };

struct Row {
    std::string name;
    Integer index;
    Term left, top, width, height;
    TextRule text;
};

constexpr Integer kNoIndex = -2147483648LL;

// The re-layout table, row by row.
std::vector<Row> Table()
{
    std::vector<Row> rows {
        { "QuestionNumField", kNoIndex, Kept(40), Kept(4), W(250), W(20), TextRule::Number },
        { "StaticText1", kNoIndex, Kept(40), H(22, 4), W(580), W(104), TextRule::Base },
    };
    for (Integer k = 1; k <= 4; ++k)
        rows.push_back({ "AnswerText" + Str(k), kNoIndex, W(65, 5), H(116 + 60 * (k - 1), 4),
            W(550), W(55), TextRule::Base });
    for (Integer k = 1; k <= 4; ++k)
        rows.push_back(
            { "Canvas1", k, Fixed(5), H(108 + 60 * (k - 1), 4), W(32), W(32), TextRule::None });
    for (Integer k = 1; k <= 4; ++k)
        rows.push_back({ "Answer" + Str(k), kNoIndex, W(33, 5), H(94 + 60 * (k - 1), 4), Kept(20),
            H(60), TextRule::None });
    rows.push_back({ "FirstButton", kNoIndex, Fixed(7), H(369, 4), W(50), H(20), TextRule::Base });
    const struct {
        const char* name;
        Integer left;
        Integer width;
    } buttons[] = { { "BackButton", 58, 50 }, { "NextButton", 120, 50 }, { "LastButton", 175, 50 },
        { "GradeButton", 254, 100 }, { "PushButton4", 366, 100 }, { "PushButton5", 478, 130 } };
    for (const auto& b : buttons)
        rows.push_back(
            { b.name, kNoIndex, W(b.left, 7), H(369, 4), W(b.width), H(20), TextRule::Base });
    rows.push_back(
        { "SectionButton", kNoIndex, Fixed(7), H(391, 4), W(130), H(20), TextRule::Base });
    return rows;
}

// One more than the whole part of 12 times the smaller scale factor.
Integer BaseTextSize(Integer w, Integer h)
{
    // w/640 > h/420 exactly when w*420 > h*640.
    if (w * 420 > h * 640)
        return h * 12 / 420 + 1;
    return w * 12 / 640 + 1;
}

const RectControl& ControlOf(const class Window1& window, const Row& row)
{
    if (row.name == "Canvas1")
        return window.Canvas1(row.index);
    return *dynamic_cast<const RectControl*>(window.ControlNamed(row.name, Window::kAnyIndex));
}

void ExpectLaidOutFor(const class Window1& window, Integer w, Integer h)
{
    ASSERT_EQ(window.Width(), w);
    ASSERT_EQ(window.Height(), h);
    const Integer fs = BaseTextSize(w, h);
    for (const Row& row : Table()) {
        SCOPED_TRACE(row.name + (row.index == kNoIndex ? "" : "(" + Str(row.index) + ")"));
        const RectControl& control = ControlOf(window, row);
        EXPECT_EQ(control.Left(), row.left.At(w, h));
        EXPECT_EQ(control.Top(), row.top.At(w, h));
        EXPECT_EQ(control.Width(), row.width.At(w, h));
        EXPECT_EQ(control.Height(), row.height.At(w, h));
        if (row.text == TextRule::Base) {
            EXPECT_EQ(control.TextSize(), static_cast<Single>(fs));
        } else if (row.text == TextRule::Number) {
            EXPECT_EQ(control.TextSize(), static_cast<Single>(static_cast<double>(fs * 10) / 12.0));
        }
    }
}

struct WindowSize {
    Integer width;
    Integer height;
};

const WindowSize kSizes[] = {
    { 640, 420 },
    { 685, 470 },
    { 64, 64 },
    { 1280, 420 },
    { 640, 840 },
    { 641, 421 },
    { 1000, 300 },
    { 333, 777 },
    { 4000, 2500 },
};

void PrintTo(const WindowSize& size, std::ostream* out)
{
    *out << size.width << " x " << size.height;
}

class RelayoutTest : public ExamWindowTest, public testing::WithParamInterface<WindowSize> { };

// Resizing runs the Resizing event, which re-lays the controls.
class Window1& OpenAt(Integer w, Integer h)
{
    class Window1& window = Window1();
    window.SetWidth(w);
    window.SetHeight(h);
    return window;
}

} // namespace

TEST_P(RelayoutTest, EveryControlFollowsTheTable)
{
    const WindowSize size = GetParam();
    class Window1& window = OpenAt(size.width, size.height);
    ExpectLaidOutFor(window, size.width, size.height);
    // Stateless: the same size gives the same values again.
    window.SetControlSizes();
    ExpectLaidOutFor(window, size.width, size.height);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RelayoutTest, testing::ValuesIn(kSizes),
    [](const testing::TestParamInfo<WindowSize>& info) {
        return Str(info.param.width) + "x" + Str(info.param.height);
    });

TEST_F(ExamWindowTest, OpeningLaysTheWindowOutForItsStoredSize)
{
    class Window1& window = Window1();
    ExpectLaidOutFor(window, 685, 470);
}

TEST_F(ExamWindowTest, ReferenceSizeGivesTheWorkedValues)
{
    class Window1& window = OpenAt(640, 420);
    EXPECT_FLOAT_EQ(window.QuestionNumField().TextSize(), 10.833333f);
    EXPECT_EQ(window.StaticText1().TextSize(), 13.0f);
    EXPECT_EQ(window.SectionButton().TextSize(), 13.0f);
    const Integer lefts[] = { 7, 65, 127, 182, 261, 373, 485 };
    const Integer widths[] = { 50, 50, 50, 50, 100, 100, 130 };
    BevelButton* buttons[] = { &window.FirstButton(), &window.BackButton(), &window.NextButton(),
        &window.LastButton(), &window.GradeButton(), &window.PushButton4(), &window.PushButton5() };
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(buttons[i]->Left(), lefts[i]) << i;
        EXPECT_EQ(buttons[i]->Width(), widths[i]) << i;
        EXPECT_EQ(buttons[i]->Top(), 373) << i;
        EXPECT_EQ(buttons[i]->Height(), 20) << i;
        EXPECT_EQ(buttons[i]->TextSize(), 13.0f) << i;
    }
    const PopupMenu& menu = window.SectionButton();
    EXPECT_EQ((std::vector<Integer> { menu.Left(), menu.Top(), menu.Width(), menu.Height() }),
        (std::vector<Integer> { 7, 395, 130, 20 }));
    const Label& text = window.StaticText1();
    EXPECT_EQ((std::vector<Integer> { text.Left(), text.Top(), text.Width(), text.Height() }),
        (std::vector<Integer> { 40, 26, 580, 104 }));
    const Label& answer = window.AnswerText1();
    EXPECT_EQ(
        (std::vector<Integer> { answer.Left(), answer.Top(), answer.Width(), answer.Height() }),
        (std::vector<Integer> { 70, 120, 550, 55 }));
    const MarkCanvas& mark = window.Canvas1(1);
    EXPECT_EQ((std::vector<Integer> { mark.Left(), mark.Top(), mark.Width(), mark.Height() }),
        (std::vector<Integer> { 5, 112, 32, 32 }));
    EXPECT_EQ(window.Answer1().Left(), 38);
    EXPECT_EQ(window.Answer1().Top(), 98);
    EXPECT_EQ(window.Answer1().Height(), 60);
}

TEST_F(ExamWindowTest, StoredOpeningSizeGivesTheWorkedValues)
{
    class Window1& window = Window1();
    EXPECT_EQ(window.StaticText1().TextSize(), 13.0f);
    EXPECT_FLOAT_EQ(window.QuestionNumField().TextSize(), 10.833333f);
    const Label& text = window.StaticText1();
    EXPECT_EQ((std::vector<Integer> { text.Top(), text.Width(), text.Height() }),
        (std::vector<Integer> { 28, 620, 111 }));
    const Label& answer = window.AnswerText4();
    EXPECT_EQ(
        (std::vector<Integer> { answer.Left(), answer.Top(), answer.Width(), answer.Height() }),
        (std::vector<Integer> { 74, 335, 588, 58 }));
    const MarkCanvas& mark = window.Canvas1(4);
    EXPECT_EQ((std::vector<Integer> { mark.Left(), mark.Top(), mark.Width(), mark.Height() }),
        (std::vector<Integer> { 5, 326, 34, 34 }));
    EXPECT_EQ((std::vector<Integer> {
                  window.Answer4().Left(), window.Answer4().Top(), window.Answer4().Height() }),
        (std::vector<Integer> { 40, 310, 67 }));
    const BevelButton& first = window.FirstButton();
    EXPECT_EQ((std::vector<Integer> { first.Left(), first.Top(), first.Width(), first.Height() }),
        (std::vector<Integer> { 7, 416, 53, 22 }));
    EXPECT_EQ(window.PushButton5().Left(), 518);
    EXPECT_EQ(window.PushButton5().Width(), 139);
    const PopupMenu& menu = window.SectionButton();
    EXPECT_EQ((std::vector<Integer> { menu.Left(), menu.Top(), menu.Width(), menu.Height() }),
        (std::vector<Integer> { 7, 441, 139, 22 }));
}

TEST_F(ExamWindowTest, SmallestWindowGivesTheWorkedValues)
{
    class Window1& window = OpenAt(64, 64);
    EXPECT_FLOAT_EQ(window.QuestionNumField().TextSize(), 1.6666666f);
    EXPECT_EQ(window.StaticText1().TextSize(), 2.0f);
    for (Integer k = 1; k <= 4; ++k) {
        EXPECT_EQ(window.Canvas1(k).Width(), 3) << k;
        EXPECT_EQ(window.Canvas1(k).Height(), 3) << k;
        EXPECT_EQ(window.Canvas1(k).Left(), 5) << k;
    }
    EXPECT_EQ(window.FirstButton().Height(), 3);
    EXPECT_EQ(window.PushButton5().Height(), 3);
    EXPECT_EQ(window.FirstButton().Left(), 7);
    EXPECT_EQ(window.SectionButton().Left(), 7);
}

TEST_F(ExamWindowTest, WideWindowKeepsReferenceTopsAndDoublesWidthBoundHeights)
{
    class Window1& window = OpenAt(1280, 420);
    EXPECT_EQ(window.StaticText1().TextSize(), 13.0f);
    EXPECT_EQ(window.StaticText1().Height(), 208);
    const Integer tops[] = { 120, 180, 240, 300 };
    Label* answers[] = { &window.AnswerText1(), &window.AnswerText2(), &window.AnswerText3(),
        &window.AnswerText4() };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(answers[i]->Height(), 110) << i;
        EXPECT_EQ(answers[i]->Top(), tops[i]) << i;
    }
    EXPECT_EQ(window.FirstButton().Top(), 373);
}

TEST_F(ExamWindowTest, TallWindowKeepsLabelHeightsAndDoublesTheScaledTops)
{
    class Window1& window = OpenAt(640, 840);
    EXPECT_EQ(window.StaticText1().TextSize(), 13.0f);
    EXPECT_EQ(window.AnswerText1().Height(), 55);
    EXPECT_EQ(window.AnswerText1().Top(), 236);
    EXPECT_EQ(window.Answer1().Height(), 120);
    EXPECT_EQ(window.FirstButton().Height(), 40);
    EXPECT_EQ(window.SectionButton().Height(), 40);
}

TEST_F(ExamWindowTest, FixedValuesHoldAtEverySize)
{
    for (const WindowSize& size : kSizes) {
        class Window1& window = OpenAt(size.width, size.height);
        SCOPED_TRACE(Str(size.width) + "x" + Str(size.height));
        EXPECT_EQ(window.QuestionNumField().Left(), 40);
        EXPECT_EQ(window.QuestionNumField().Top(), 4);
        EXPECT_EQ(window.StaticText1().Left(), 40);
        EXPECT_EQ(window.Answer1().Width(), 20);
        EXPECT_EQ(window.Answer4().Width(), 20);
    }
}

TEST_F(ExamWindowTest, ReLayoutChangesNoTextVisibilityOrEnabling)
{
    WritePool(SmallPool());
    class Window1& window = StartExam();
    const std::string shown = window.StaticText1().Text();
    const bool backEnabled = window.BackButton().Enabled();
    window.SetWidth(900);
    window.SetHeight(700);
    Application::DoEvents();
    EXPECT_EQ(window.StaticText1().Text(), shown);
    EXPECT_EQ(window.BackButton().Enabled(), backEnabled);
    EXPECT_FALSE(window.Canvas1(1).Visible());
    EXPECT_FALSE(window.CheatPushButton().Visible());
    EXPECT_EQ(window.CheatPushButton().Left(), 7);
    EXPECT_EQ(window.CheatPushButton().Top(), 375);
    ExpectLaidOutFor(window, 900, 700);
}

TEST_F(ExamWindowTest, FinishedResizeLaysTheControlsOutAgain)
{
    class Window1& window = OpenAt(800, 500);
    window.StaticText1().SetTop(0);
    window.FirstButton().SetWidth(1);
    // The resize counts as finished once it has rested for a moment.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (window.StaticText1().Top() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Application::DoEvents();
    }
    ExpectLaidOutFor(window, 800, 500);
}
