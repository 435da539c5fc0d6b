#pragma once

#include "types.h"
#include "window.h"

class Canvas;
class Graphics;
class Label;
class RangeControl;
class ScrollBar;
class Slider;

// "Figures": the figure pictures one at a time at natural size, chosen with a
// slider and panned with two scroll bars.
class PictureWindow : public Window {
public:
    void Layout() override;
    void CreateControls() override;

    Canvas& Canvas1() const;
    Slider& Slider1() const;
    ScrollBar& ScrollBar1() const;
    ScrollBar& ScrollBar2() const;
    Label& StaticText1() const;

    void Canvas1_Paint(Canvas& canvas, Graphics& g);
    void Slider1_ValueChanged(RangeControl& slider);
    void ScrollBar1_ValueChanged(RangeControl& scrollBar);
    void ScrollBar2_ValueChanged(RangeControl& scrollBar);
    void untitled();

    Integer minPictID = 0;
    Integer maxPictID = 0;
    Integer oldXScroll = 0;
    Integer oldYScroll = 0;

protected:
    void Event_Resized() override;
    void Event_Open() override;
};

// The open figure viewer, else a new one (which shows itself).
PictureWindow& PictureWindow();
