#pragma once

#include "control.h"
#include "types.h"
#include "window.h"

#include <string>

// The stored records of windows and controls, with the entries each kind holds
// in the order it holds them. Fill the fields (designated initialisers read
// well) and Encode() gives the byte string to apply.

struct WindowRecord {
    Integer width = 300;
    Integer height = 300;
    Integer minWidth = 64;
    Integer minHeight = 64;
    Integer maxWidth = 32000;
    Integer maxHeight = 32000;
    Integer frame = kFrameDocument;
    std::string title;
    bool closeButton = true;
    bool resizeable = true;
    bool maximizeButton = true;
    bool minimizeButton = true;
    bool fullScreenButton = false;
    bool composite = false;
    Integer macProcID = 0;
    Integer placement = 0;
    bool visible = true;
    bool liveResize = true;
    bool fullScreen = false;
    bool hasBackColor = false;
    Color backColor = kWhite;
    bool menuBarVisible = true;

    std::string Encode() const;
};

// What every control with a place shares.
struct Placement {
    std::string name;
    Integer index = Control::kNoIndex;
    Integer left = 0;
    Integer top = 0;
    Integer width = 0;
    Integer height = 0;
    bool lockLeft = false;
    bool lockTop = false;
    bool lockRight = false;
    bool lockBottom = false;
    Integer tabPanelIndex = 0;
    Integer tabIndex = 0;
    bool tabStop = true;
    bool enabled = true;
    bool visible = true;
    std::string helpTag;
    bool autoDeactivate = true;
    std::string initialParent;

    // The usual control: a name, a place and its focus order; the rest default.
    static Placement At(std::string name, Integer left, Integer top, Integer width, Integer height,
        Integer tabIndex);
};

struct TextStyle {
    std::string textFont = "System";
    Single textSize = 12;
    std::uint8_t textUnit = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct LabelRecord {
    Placement place;
    TextStyle style;
    std::string text;
    Integer textAlign = 0;
    Color textColor = kBlack;
    bool multiline = false;
    bool selectable = false;
    bool transparent = false;
    std::string dataSource;
    std::string dataField;

    std::string Encode() const;
};

struct RadioButtonRecord {
    Placement place;
    TextStyle style;
    std::string caption;
    bool value = false;

    std::string Encode() const;
};

struct BevelButtonRecord {
    Placement place;
    TextStyle style;
    std::string caption;
    Integer captionAlign = 3;
    Integer captionPlacement = 1;
    Integer captionDelta = 0;
    Integer iconAlign = 0;
    Integer iconDX = 0;
    Integer iconDY = 0;
    Integer bevel = 0;
    Integer hasMenu = 0;
    bool hasBackColor = false;
    Color backColor = kBlack;
    Color textColor = kBlack;
    bool value = false;
    Integer menuValue = 0;
    Integer buttonType = 0;
    bool acceptFocus = false;

    std::string Encode() const;
};

struct PushButtonRecord {
    Placement place;
    TextStyle style;
    std::string caption;
    bool isDefault = false;
    bool cancel = false;
    Integer buttonStyle = 0;

    std::string Encode() const;
};

struct PopupMenuRecord {
    Placement place;
    TextStyle style;
    std::string initialValue; // rows separated by carriage returns
    Integer listIndex = 0;
    std::string dataSource;
    std::string dataField;

    std::string Encode() const;
};

// Canvas entries, in the order Transparent, TabStop, DoubleBuffer, TabIndex,
// then the placement, then UseFocusRing, AcceptFocus, AcceptTabs,
// EraseBackground, InitialParent. A subclass appends its own entries.
struct CanvasRecord {
    Placement place;
    bool transparent = false;
    bool doubleBuffer = false;
    bool useFocusRing = true;
    bool acceptFocus = false;
    bool acceptTabs = false;
    bool eraseBackground = true;

    std::string Encode() const;
};

struct ListboxRecord {
    Placement place;
    TextStyle style;
    Integer columnCount = 1;
    bool hasHeading = false;
    Integer headingIndex = -1;
    std::string columnWidths;
    Integer selectionType = 0;
    bool requiresSelection = false;
    bool border = true;
    bool scrollBarVertical = true;
    bool scrollBarHorizontal = false;
    bool autoHideScrollbars = true;
    Integer gridLinesHorizontal = 0;
    Integer gridLinesVertical = 0;
    Integer defaultRowHeight = -1;
    bool useFocusRing = true;
    bool columnsResizable = false;
    std::string initialValue;

    std::string Encode() const;
};

// Slider and ScrollBar share one record.
struct RangeRecord {
    Placement place;
    Integer minimum = 0;
    Integer maximum = 100;
    Integer value = 0;
    Integer lineStep = 1;
    Integer pageStep = 20;
    bool liveScroll = true;
    bool acceptFocus = true;
    Integer tickStyle = 0;

    std::string Encode() const;
};

struct TimerRecord {
    Integer mode = 2; // repeating
    Integer period = 1000;

    std::string Encode() const;
};
