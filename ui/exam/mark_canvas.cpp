#include "mark_canvas.h"

#include "control_records.h"
#include "graphics.h"
#include "message_sink.h"
#include "picture.h"
#include "property_record.h"
#include "resource_files.h"

namespace {

constexpr Integer kCorrectAnswerMark = 1;
constexpr Integer kWrongChoiceMark = 2;
// Only the top-left square of a mark picture is ever drawn.
constexpr Integer kMarkSourceSize = 32;

// The mark's square stretched over the whole control, its white left out so
// the window shows through. The mode is set on the picture the accessor
// keeps, so it stays transparent for everyone who draws it later.
//
// A picture that cannot be loaded leaves the mark empty. The user is told
// once a run, and only after the paint: a message box opened from inside
// the paint would make the window paint again beneath it.
void DrawMark(Graphics& g, const Ref<Picture>& picture, const std::string& file)
{
    if (picture.IsNil()) {
        if (FirstTellingAboutPicture(file))
            MsgBoxLater("The answer mark picture \"" + file
                + "\" is missing from the resource folder or cannot be read, so that mark "
                  "cannot be shown.");
        return;
    }
    picture->SetTransparent(1);
    g.DrawPicture(picture, 0, 0, g.Width(), g.Height(), 0, 0, kMarkSourceSize, kMarkSourceSize);
}

} // namespace

MarkCanvas::MarkCanvas(Window& window)
    : Canvas(window)
{
}

std::string MarkCanvas::StoredRecord(Integer index, Integer top, Integer tabIndex)
{
    CanvasRecord canvas;
    canvas.place = Placement::At("Canvas1", 5, top, 32, 32, tabIndex);
    canvas.place.index = index;
    canvas.transparent = true;
    canvas.doubleBuffer = false;
    canvas.eraseBackground = true;
    // The canvas entries, then the mark's own.
    return canvas.Encode() + PropertyRecord().Int("type", 0).Bytes();
}

PropertyKind MarkCanvas::KindOf(std::string_view name) const
{
    if (name == "type")
        return PropertyKind::Integer;
    return Canvas::KindOf(name);
}

void MarkCanvas::SetProperty(std::string_view name, const PropertyValue& value)
{
    if (name == "type") {
        type = IntegerValue(value);
        return;
    }
    Canvas::SetProperty(name, value);
}

void MarkCanvas::Event_Paint(Graphics& g)
{
    // Any other type (0 included) draws nothing and never asks for a picture.
    if (type == kCorrectAnswerMark)
        DrawMark(g, Pic200(), "Pic200.gif");
    if (type == kWrongChoiceMark)
        DrawMark(g, Pic201(), "Pic201.gif");
}
