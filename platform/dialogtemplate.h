#pragma once

// Dialog templates and icons as plain data: what the program's resources hold. The dialogs in ui/ describe
// themselves with these and register them once at start-up; the window system builds windows from them.

#include <cstdint>
#include <span>
#include <string_view>

enum class ControlKind
{
    Edit,
    PushButton,
    Label,
    Icon, // shows the icon resource named by the control's nIconId
    Plot, // draws the PlotData the dialog gives it (platform/plot.h); no focus, no notifications
};

// Control styles, combined with |.
enum ControlStyle : unsigned
{
    CS_NONE = 0,
    CS_DEFAULT = 1 << 0,  // the default push button: Enter in a field issues its command
    CS_READONLY = 1 << 1, // an edit the user cannot change
    CS_RIGHT = 1 << 2,    // right-aligned label
    CS_SUNKEN = 1 << 3,   // label with a sunken frame
    CS_VCENTER = 1 << 4,  // label text centred vertically
    CS_TABSTOP = 1 << 5,  // reached with Tab; labels never are
    CS_TOGGLE = 1 << 6,   // a push button that stays down until pressed again
};

// Dialog styles, combined with |.
enum DialogStyle : unsigned
{
    DS_NONE = 0,
    DS_CAPTION = 1 << 0,       // caption bar with the dialog's title and a close box
    DS_THINBORDER = 1 << 1,    // no caption bar, a thin line around the dialog
    DS_APPWINDOW = 1 << 2,     // the program's main window: listed in the task bar, can be minimised
    DS_SETFOREGROUND = 1 << 3, // brings itself to the front when it opens
};

struct ControlTemplate
{
    int nId; // -1 for labels that the program never addresses
    ControlKind kind;
    // A '&' marks the access key (Alt and the letter after it), which the desktop underlines; it is not part of
    // the text the program reads back.
    std::string_view text;
    int x, y, cx, cy; // dialog units
    unsigned nStyle = CS_NONE;
    // What a screen reader calls an edit, a display or a plot; buttons and labels are called by their text.
    std::string_view accessibleName = {};
    int nBuddyId = 0; // a label's field: the label's access key focuses it
    int nIconId = 0;
};

// A key that issues a command anywhere in the dialog, as a menu's shortcut would.
struct Accelerator
{
    std::string_view keys; // as Qt reads a key sequence: "Ctrl+P"
    int nCommand;
};

struct DialogTemplate
{
    int nId;
    std::string_view caption;
    int cx, cy; // client area, dialog units
    unsigned nStyle;
    std::span<const ControlTemplate> controls; // in tab order
    std::string_view accessibleName = {};      // for a dialog whose caption is blank
    // The width with the dialog's extension shown, or 0: controls from x = cx on belong to the extension,
    // hidden until the dialog shows it.
    int cxExtended = 0;
    std::span<const Accelerator> accelerators = {};
};

struct IconResource
{
    int nId;
    // One picture per size, each drawn for its size: the width and the height (4 bytes each, little-endian), then
    // the pixels, premultiplied ARGB32 in the machine's byte order, row after row.
    std::span<const std::span<const std::uint8_t>> pictures;
    std::span<const std::uint8_t> svg; // the scalable drawing, for every other size
};

// The resources of the program: added once before the first dialog runs, looked up by id afterwards.
void AddDialogTemplate(const DialogTemplate& dialogTemplate);
void AddIconResource(const IconResource& icon);
const DialogTemplate* FindDialogTemplate(int nId);
const IconResource* FindIconResource(int nId);
