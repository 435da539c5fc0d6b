#include "picture_window.h"

#include "canvas.h"
#include "control_records.h"
#include "graphics.h"
#include "label.h"
#include "picture.h"
#include "property_record.h"
#include "resource_files.h"
#include "slider.h"
#include "text.h"

#include <array>
#include <string>

namespace {

// The viewer offers these figures; the pictures 1017 to 1020 exist but no
// slider position reaches them.
constexpr Integer kFirstFigure = 1001;
constexpr Integer kLastFigure = 1016;

// The accessor of figure 1001 + i at position i.
constexpr std::array<Ref<Picture> (*)(), 20> kFigureAccessors { Pic1001, Pic1002, Pic1003, Pic1004,
    Pic1005, Pic1006, Pic1007, Pic1008, Pic1009, Pic1010, Pic1011, Pic1012, Pic1013, Pic1014,
    Pic1015, Pic1016, Pic1017, Pic1018, Pic1019, Pic1020 };
constexpr Integer kFirstAccessorFigure = 1001;

// The canvas ends this far from the window's right edge (the vertical scroll
// bar and its margin) and bottom edge (scroll bar, slider and label).
constexpr Integer kCanvasRightMargin = 18;
constexpr Integer kCanvasBottomMargin = 81;

// "Figure n out of m", counted from the slider's own bounds.
std::string FigureLabel(const RangeControl& slider)
{
    return "Figure " + Str(slider.Value() - slider.Minimum() + 1) + " out of "
        + Str(slider.Maximum() - slider.Minimum() + 1);
}

std::string RangeControlRecord(const std::string& name, Integer left, Integer top, Integer width,
    Integer height, bool lockLeft, bool lockTop, Integer tabIndex, Integer maximum)
{
    RangeRecord record;
    record.place = Placement::At(name, left, top, width, height, tabIndex);
    record.place.lockLeft = lockLeft;
    record.place.lockTop = lockTop;
    record.place.lockRight = true;
    record.place.lockBottom = true;
    record.maximum = maximum;
    return record.Encode();
}

} // namespace

void PictureWindow::Layout()
{
    WindowRecord record;
    record.width = 622;
    record.height = 375;
    record.title = "Figures";
    record.liveResize = false;
    ApplyPropertyRecord(*this, record.Encode());
}

void PictureWindow::CreateControls()
{
    // The canvas has no locks: Event_Resized sizes it.
    CanvasRecord canvas;
    canvas.place = Placement::At("Canvas1", 0, 0, 604, 319, 0);
    canvas.transparent = true;
    canvas.eraseBackground = true;
    AddControl<Canvas>("Canvas1", canvas.Encode()).OnPaint([this](Canvas& c, Graphics& g) {
        Canvas1_Paint(c, g);
    });

    AddControl<Slider>(
        "Slider1", RangeControlRecord("Slider1", 20, 342, 380, 16, true, false, 1, 100))
        .OnValueChanged([this](RangeControl& slider) { Slider1_ValueChanged(slider); });

    // The pan range is the same for every figure, whatever its size.
    AddControl<ScrollBar>(
        "ScrollBar1", RangeControlRecord("ScrollBar1", 0, 314, 606, 16, true, false, 2, 1000))
        .OnValueChanged([this](RangeControl& bar) { ScrollBar1_ValueChanged(bar); });
    AddControl<ScrollBar>(
        "ScrollBar2", RangeControlRecord("ScrollBar2", 604, 0, 16, 314, false, true, 3, 1000))
        .OnValueChanged([this](RangeControl& bar) { ScrollBar2_ValueChanged(bar); });

    LabelRecord label;
    label.place = Placement::At("StaticText1", 412, 338, 192, 20, 4);
    label.place.lockRight = true;
    label.place.lockBottom = true;
    label.style.textSize = 0;
    label.text = "Untitled";
    AddControl<Label>("StaticText1", label.Encode());
}

Canvas& PictureWindow::Canvas1() const
{
    return Find<Canvas>("Canvas1");
}

Slider& PictureWindow::Slider1() const
{
    return Find<Slider>("Slider1");
}

ScrollBar& PictureWindow::ScrollBar1() const
{
    return Find<ScrollBar>("ScrollBar1");
}

ScrollBar& PictureWindow::ScrollBar2() const
{
    return Find<ScrollBar>("ScrollBar2");
}

Label& PictureWindow::StaticText1() const
{
    return Find<Label>("StaticText1");
}

void PictureWindow::Canvas1_Paint(Canvas&, Graphics& g)
{
    // Only the accessor of the figure on show is asked, so a figure never
    // shown is never loaded.
    const Integer figure = Slider1().Value();
    Ref<Picture> picture;
    for (std::size_t i = 0; i < kFigureAccessors.size(); ++i) {
        if (figure == kFirstAccessorFigure + static_cast<Integer>(i))
            picture = kFigureAccessors[i]();
    }

    // The whole canvas every time: white, then the figure at natural size,
    // panned. A missing figure draws nothing and leaves the white.
    g.SetForeColor(kWhite);
    g.FillRect(0, 0, g.Width(), g.Height());
    g.DrawPicture(picture, -oldXScroll, -oldYScroll);
}

void PictureWindow::Slider1_ValueChanged(RangeControl& slider)
{
    // The pan stays: the next figure is drawn with the offsets of the last.
    StaticText1().SetText(FigureLabel(slider));
    Canvas1().Refresh(true);
}

void PictureWindow::ScrollBar1_ValueChanged(RangeControl& scrollBar)
{
    oldXScroll = scrollBar.Value();
    Canvas1().Refresh(true);
}

void PictureWindow::ScrollBar2_ValueChanged(RangeControl& scrollBar)
{
    oldYScroll = scrollBar.Value();
    Canvas1().Refresh(true);
}

void PictureWindow::untitled() { }

void PictureWindow::Event_Resized()
{
    // The other controls follow their locks; the canvas keeps its corner at
    // 0, 0 and ends at the scroll bars' side.
    Canvas1().SetHeight(Height() - kCanvasBottomMargin);
    Canvas1().SetWidth(Width() - kCanvasRightMargin);
}

void PictureWindow::Event_Open()
{
    minPictID = kFirstFigure;
    maxPictID = kLastFigure;
    Slider& slider = Slider1();
    slider.SetMinimum(minPictID);
    slider.SetMaximum(maxPictID);
    slider.SetValue(minPictID);
    StaticText1().SetText(FigureLabel(slider));
}

class PictureWindow& PictureWindow()
{
    return Window::SingleInstance<class PictureWindow>();
}
