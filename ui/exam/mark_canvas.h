#pragma once

#include "canvas.h"
#include "types.h"

#include <string>

// The answer mark beside an answer: 0 none, 1 the correct answer (Pic200),
// 2 a wrong choice (Pic201). Setting type only stores it; the owner shows the
// control and asks for the repaint.
class MarkCanvas : public Canvas {
public:
    explicit MarkCanvas(Window& window);

    // The stored record of a mark square beside an answer: member index of
    // the Canvas1 array, 32 x 32 at left 5, transparent, no mark.
    static std::string StoredRecord(Integer index, Integer top, Integer tabIndex);

    Integer type = 0;

    PropertyKind KindOf(std::string_view name) const override;
    void SetProperty(std::string_view name, const PropertyValue& value) override;

protected:
    void Event_Paint(Graphics& g) override;
};
