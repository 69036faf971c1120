// The compiled forms of the resource script, as the dialogs, controls and
// framework libraries read them. Every table lives for the whole run; the
// pointers and spans never dangle.
//
// Dialog coordinates are dialog units: see DialogUnits.h for the
// conversion to pixels.
#pragma once

#include <span>

#include "platform/base/WinTypes.h"

namespace quorvel::resources {

struct DialogItemTemplate {
    // "Button", "Static", "Edit", "ListBox", "ComboBox", "ScrollBar",
    // "SysListView32", "SysTreeView32", "SysTabControl32",
    // "msctls_progress32", or a class of the program's own.
    const wchar_t* className;
    const wchar_t* text;
    // An ICON statement, or a CONTROL whose text is an id (SS_ICON,
    // SS_BITMAP statics): the image resource it shows. 0 otherwise.
    UINT imageId;
    UINT id;  // 16 bits as the device keeps them: IDC_STATIC (-1) is 0xFFFF
    int x, y, cx, cy;
    // WS_CHILD | WS_VISIBLE and the statement's default style are already
    // included (LTEXT adds SS_LEFT | WS_GROUP, EDITTEXT ES_LEFT | WS_BORDER
    // | WS_TABSTOP, and so on), with any NOT terms of the script applied.
    DWORD style;
    DWORD exStyle;
    // The items a combo or list box is filled with when the dialog is
    // created (the script's DLGINIT), in order.
    std::span<const wchar_t* const> listItems;
};

struct DialogTemplate {
    UINT id;
    bool extended;  // DIALOGEX
    // Without a STYLE statement WS_POPUP | WS_BORDER | WS_SYSMENU; a
    // CAPTION adds WS_CAPTION and a FONT adds DS_SETFONT.
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;
    const wchar_t* caption;  // "" when the template has none
    int fontSize;            // points; 0 when the template names no font
    const wchar_t* fontFace;
    UINT menuId;  // 0: none
    std::span<const DialogItemTemplate> items;
};

enum MenuItemFlags : UINT {
    kMenuPopup = 0x01,
    kMenuSeparator = 0x02,
    kMenuGrayed = 0x04,
    kMenuInactive = 0x08,
    kMenuChecked = 0x10,
    kMenuBreak = 0x20,
    kMenuBarBreak = 0x40,
    kMenuHelp = 0x80,
};

struct MenuItemTemplate {
    const wchar_t* text;                         // "" for a separator
    UINT id;                                     // command id; 0 for pop-ups and separators
    UINT flags;                                  // MenuItemFlags
    std::span<const MenuItemTemplate> children;  // a pop-up's items
};

struct MenuTemplate {
    UINT id;
    std::span<const MenuItemTemplate> items;  // the menu bar's entries
};

struct ToolbarTemplate {
    UINT id;  // the bitmap strip has the same id
    int buttonWidth, buttonHeight;
    // Command ids left to right; 0 is a separator. Button n (counting
    // buttons only) shows image n of the strip.
    std::span<const UINT> buttons;
};

struct StringResource {
    UINT id;
    const wchar_t* text;
};

enum class ImageType { Bitmap, Icon };

struct ImageResource {
    ImageType type;
    UINT id;
    const char* file;  // relative to the image folder
};

}  // namespace quorvel::resources
