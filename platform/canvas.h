#pragma once

#include "control.h"

#include <functional>
#include <string>

class Graphics;

// A control the program draws itself. Its Paint event runs Event_Paint, which
// subclasses override; by default it calls the handler bound with OnPaint.
class Canvas : public RectControl {
public:
    explicit Canvas(Window& window);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool EraseBackground() const { return eraseBackground_; }
    void SetEraseBackground(bool erase);
    bool DoubleBuffer() const { return doubleBuffer_; }
    void SetDoubleBuffer(bool doubleBuffer) { doubleBuffer_ = doubleBuffer; }

    // Asks for a repaint at the event loop's next painting pass.
    void Refresh(bool eraseBackground = true);
    void OnPaint(std::function<void(Canvas&, Graphics&)> handler) { paint_ = std::move(handler); }

    // Paints the control now into an image of its size (tests look at it).
    // The background is white; false when the file was not written.
    bool SaveImage(const std::string& pngPath);
    // The colour of one pixel of the control as painted now on white.
    Color PixelAt(Integer x, Integer y);

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

    // Platform use: runs Event_Paint through the exception hook.
    void DeliverPaint(Graphics& graphics);

protected:
    virtual void Event_Paint(Graphics& graphics);

private:
    bool transparent_ = false;
    bool eraseBackground_ = true;
    bool doubleBuffer_ = false;
    std::function<void(Canvas&, Graphics&)> paint_;
};
