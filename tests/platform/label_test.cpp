#include "label.h"

#include "widget_fixture.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

class LabelTest : public WidgetTest {
protected:
    Label& Make(const LabelRecord& record)
    {
        TestWindow& window = OpenTestWindow(With<WindowRecord>([&](auto& r) { r.visible = false; }),
            [&](Window& w) { w.AddControl<Label>("StaticText1", record.Encode()); });
        return window.Find<Label>("StaticText1");
    }
    static QLabel& Widget(Label& label) { return *static_cast<QLabel*>(label.widget()); }
};

} // namespace

TEST_F(LabelTest, RecordSetsTextPlaceAndStyle)
{
    LabelRecord record = With<LabelRecord>([](auto& r) {
        r.place = At("StaticText1", 40, 24, 625, 111);
        r.style.textSize = 12;
        r.style.bold = true;
        r.text = "Label:";
        r.textAlign = 2;
        r.multiline = true;
    });
    record.place.helpTag = "help";
    Label& label = Make(record);
    EXPECT_EQ(label.Text(), "Label:");
    EXPECT_EQ(label.widget()->geometry(), QRect(40, 24, 625, 111));
    EXPECT_TRUE(label.Multiline());
    EXPECT_TRUE(Widget(label).wordWrap());
    EXPECT_EQ(Widget(label).alignment(), Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_NEAR(DrawnPixelSize(label), 12.0, 1e-6);
    EXPECT_TRUE(label.widget()->font().bold());
    EXPECT_EQ(label.widget()->toolTip(), QStringLiteral("help"));
    EXPECT_TRUE(label.Visible());
    EXPECT_TRUE(label.Enabled());
}

TEST_F(LabelTest, LineEndsBecomeLineBreaksWhileTextKeepsTheBytes)
{
    Label& label = Make(LabelRecord {});
    struct Case {
        std::string bytes;
        std::string shown;
    };
    const std::vector<Case> cases {
        { "one\rtwo", "one\ntwo" },
        { "one\ntwo", "one\ntwo" },
        { "one\r\ntwo", "one\ntwo" },
        { "caf\xC3\xA9\r", "caf\xC3\xA9\n" },
    };
    for (const Case& c : cases) {
        label.SetText(c.bytes);
        EXPECT_EQ(label.Text(), c.bytes);
        EXPECT_EQ(label.DisplayedText(), c.shown);
    }
}

TEST_F(LabelTest, FractionalTextSizesAreKeptAndDrawn)
{
    Label& label = Make(LabelRecord {});
    label.SetTextSize(10.833333f);
    EXPECT_EQ(label.TextSize(), 10.833333f);
    EXPECT_NEAR(DrawnPixelSize(label), 10.833333, 1e-4);
    label.SetTextSize(1.6666666f);
    EXPECT_NEAR(DrawnPixelSize(label), 1.6666666, 1e-4);
    label.SetTextSize(0);
    EXPECT_EQ(label.widget()->font().pointSizeF(), QApplication::font().pointSizeF());
}

TEST_F(LabelTest, NamedFontsAreAskedForAndSystemIsTheApplicationFont)
{
    Label& label = Make(With<LabelRecord>([](auto& r) {
        r.style.textFont = "Times";
        r.style.textSize = 24;
    }));
    EXPECT_EQ(label.TextFont(), "Times");
    EXPECT_TRUE(label.widget()->font().families().contains(QStringLiteral("Times")));
    label.SetTextFont("System");
    EXPECT_EQ(label.widget()->font().family(), QApplication::font().family());
}

TEST_F(LabelTest, HiddenAndDisabledAreTheLabelsOwnFlags)
{
    LabelRecord record;
    record.place.visible = false;
    record.place.enabled = false;
    Label& label = Make(record);
    EXPECT_FALSE(label.Visible());
    EXPECT_FALSE(label.Enabled());
    label.SetVisible(true);
    EXPECT_TRUE(label.Visible()) << "even while its window is hidden";
}
