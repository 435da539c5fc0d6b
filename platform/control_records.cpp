#include "control_records.h"

#include "property_record.h"

// Each Encode writes the entries in the order the stored layouts hold them.

namespace {

// Name to TabPanelIndex: the head every placed control's record starts with.
void Head(PropertyRecord& record, const Placement& place)
{
    record.Str("Name", place.name)
        .Int("Index", place.index)
        .Int("Left", place.left)
        .Int("Top", place.top)
        .Int("Width", place.width)
        .Int("Height", place.height)
        .Bool("LockLeft", place.lockLeft)
        .Bool("LockTop", place.lockTop)
        .Bool("LockRight", place.lockRight)
        .Bool("LockBottom", place.lockBottom)
        .Int("TabPanelIndex", place.tabPanelIndex);
}

void Style(PropertyRecord& record, const TextStyle& style)
{
    record.Str("TextFont", style.textFont)
        .Size("TextSize", style.textSize)
        .Byte("TextUnit", style.textUnit)
        .Bool("Bold", style.bold)
        .Bool("Italic", style.italic)
        .Bool("Underline", style.underline);
}

// The head and the focus and state entries of the lists, sliders and scroll
// bars, whose records are our own.
void PlainHead(PropertyRecord& record, const Placement& place)
{
    Head(record, place);
    record.Int("TabIndex", place.tabIndex)
        .Bool("TabStop", place.tabStop)
        .Bool("Enabled", place.enabled)
        .Bool("Visible", place.visible)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate);
}

} // namespace

std::string WindowRecord::Encode() const
{
    PropertyRecord record;
    record.Int("Width", width)
        .Int("Height", height)
        .Int("MinWidth", minWidth)
        .Int("MinHeight", minHeight)
        .Int("MaxWidth", maxWidth)
        .Int("MaxHeight", maxHeight)
        .Int("Frame", frame)
        .Str("Title", title)
        .Bool("CloseButton", closeButton)
        .Bool("Resizeable", resizeable)
        .Bool("MaximizeButton", maximizeButton)
        .Bool("MinimizeButton", minimizeButton)
        .Bool("FullScreenButton", fullScreenButton)
        .Bool("Composite", composite)
        .Int("MacProcID", macProcID)
        .Int("Placement", placement)
        .Bool("Visible", visible)
        .Bool("LiveResize", liveResize)
        .Bool("FullScreen", fullScreen)
        .Bool("HasBackColor", hasBackColor)
        .Colour("BackColor", backColor)
        .Bool("MenuBarVisible", menuBarVisible);
    return record.Bytes();
}

std::string LabelRecord::Encode() const
{
    PropertyRecord record;
    Head(record, place);
    record.Int("TabIndex", place.tabIndex)
        .Bool("TabStop", place.tabStop)
        .Str("Text", text)
        .Int("TextAlign", textAlign)
        .Colour("TextColor", textColor)
        .Bool("Multiline", multiline)
        .Bool("Enabled", place.enabled)
        .Bool("Visible", place.visible)
        .Bool("Selectable", selectable)
        .Bool("Transparent", transparent)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate);
    Style(record, style);
    record.Str("DataSource", dataSource)
        .Str("DataField", dataField)
        .Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string RadioButtonRecord::Encode() const
{
    PropertyRecord record;
    Head(record, place);
    record.Int("TabIndex", place.tabIndex)
        .Bool("TabStop", place.tabStop)
        .Str("Caption", caption)
        .Bool("Enabled", place.enabled)
        .Bool("Visible", place.visible)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate);
    Style(record, style);
    record.Bool("Value", value).Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string BevelButtonRecord::Encode() const
{
    PropertyRecord record;
    Head(record, place);
    record.Int("TabIndex", place.tabIndex)
        .Bool("TabStop", place.tabStop)
        .Str("InitialParent", place.initialParent)
        .Bool("Visible", place.visible)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate)
        .Bool("Enabled", place.enabled)
        .Str("Caption", caption)
        .Int("CaptionAlign", captionAlign)
        .Int("CaptionPlacement", captionPlacement)
        .Int("CaptionDelta", captionDelta)
        .Int("IconAlign", iconAlign)
        .Int("IconDX", iconDX)
        .Int("IconDY", iconDY)
        .Int("Bevel", bevel)
        .Int("HasMenu", hasMenu)
        .Bool("HasBackColor", hasBackColor)
        .Colour("BackColor", backColor)
        .Colour("TextColor", textColor)
        .Bool("Value", value)
        .Int("MenuValue", menuValue)
        .Int("ButtonType", buttonType)
        .Bool("AcceptFocus", acceptFocus);
    Style(record, style);
    return record.Bytes();
}

std::string PushButtonRecord::Encode() const
{
    PropertyRecord record;
    Head(record, place);
    record.Int("TabIndex", place.tabIndex)
        .Bool("TabStop", place.tabStop)
        .Str("Caption", caption)
        .Bool("Default", isDefault)
        .Bool("Cancel", cancel)
        .Bool("Enabled", place.enabled)
        .Bool("Visible", place.visible)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate)
        .Int("ButtonStyle", buttonStyle);
    Style(record, style);
    record.Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string PopupMenuRecord::Encode() const
{
    PropertyRecord record;
    Head(record, place);
    record.Int("TabIndex", place.tabIndex)
        .Bool("TabStop", place.tabStop)
        .Bool("Enabled", place.enabled)
        .Str("InitialValue", initialValue)
        .Int("ListIndex", listIndex)
        .Bool("Visible", place.visible)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate);
    Style(record, style);
    record.Str("DataSource", dataSource)
        .Str("DataField", dataField)
        .Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string CanvasRecord::Encode() const
{
    PropertyRecord record;
    record.Bool("Transparent", transparent)
        .Bool("TabStop", place.tabStop)
        .Bool("DoubleBuffer", doubleBuffer)
        .Int("TabIndex", place.tabIndex);
    Head(record, place);
    record.Bool("Visible", place.visible)
        .Str("HelpTag", place.helpTag)
        .Bool("AutoDeactivate", place.autoDeactivate)
        .Bool("Enabled", place.enabled)
        .Bool("UseFocusRing", useFocusRing)
        .Bool("AcceptFocus", acceptFocus)
        .Bool("AcceptTabs", acceptTabs)
        .Bool("EraseBackground", eraseBackground)
        .Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string ListboxRecord::Encode() const
{
    PropertyRecord record;
    PlainHead(record, place);
    record.Int("ColumnCount", columnCount)
        .Bool("HasHeading", hasHeading)
        .Int("HeadingIndex", headingIndex)
        .Str("ColumnWidths", columnWidths)
        .Int("SelectionType", selectionType)
        .Bool("RequiresSelection", requiresSelection)
        .Bool("Border", border)
        .Bool("ScrollBarVertical", scrollBarVertical)
        .Bool("ScrollBarHorizontal", scrollBarHorizontal)
        .Bool("AutoHideScrollbars", autoHideScrollbars)
        .Int("GridLinesHorizontal", gridLinesHorizontal)
        .Int("GridLinesVertical", gridLinesVertical)
        .Int("DefaultRowHeight", defaultRowHeight)
        .Bool("UseFocusRing", useFocusRing)
        .Bool("ColumnsResizable", columnsResizable)
        .Str("InitialValue", initialValue);
    Style(record, style);
    record.Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string RangeRecord::Encode() const
{
    PropertyRecord record;
    PlainHead(record, place);
    record.Int("Minimum", minimum)
        .Int("Maximum", maximum)
        .Int("Value", value)
        .Int("LineStep", lineStep)
        .Int("PageStep", pageStep)
        .Bool("LiveScroll", liveScroll)
        .Bool("AcceptFocus", acceptFocus)
        .Int("TickStyle", tickStyle)
        .Str("InitialParent", place.initialParent);
    return record.Bytes();
}

std::string TimerRecord::Encode() const
{
    return PropertyRecord().Int("Mode", mode).Int("Period", period).Bytes();
}

Placement Placement::At(
    std::string name, Integer left, Integer top, Integer width, Integer height, Integer tabIndex)
{
    Placement place;
    place.name = std::move(name);
    place.left = left;
    place.top = top;
    place.width = width;
    place.height = height;
    place.tabIndex = tabIndex;
    return place;
}
