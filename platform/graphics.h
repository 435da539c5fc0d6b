#pragma once

#include "ref.h"
#include "types.h"

class Picture;
class QPainter;

// What a canvas's Paint event draws with.
class Graphics {
public:
    Graphics(QPainter& painter, Integer width, Integer height);

    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color color) { foreColor_ = color; }

    void FillRect(Integer left, Integer top, Integer width, Integer height);
    // At natural size with its top-left corner at (left, top). A nil picture
    // draws nothing.
    void DrawPicture(const Ref<Picture>& picture, Integer left, Integer top);
    // The source rectangle of the picture scaled into the destination
    // rectangle. A nil picture draws nothing.
    void DrawPicture(const Ref<Picture>& picture, Integer destLeft, Integer destTop,
        Integer destWidth, Integer destHeight, Integer sourceLeft, Integer sourceTop,
        Integer sourceWidth, Integer sourceHeight);

private:
    QPainter& painter_;
    Integer width_;
    Integer height_;
    Color foreColor_ = kBlack;
};
