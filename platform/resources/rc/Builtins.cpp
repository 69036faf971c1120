#include "platform/resources/rc/Builtins.h"

#include <unordered_map>

namespace quorvel::rc {

namespace {

// clang-format off
const std::unordered_map<std::string, uint32_t>& Table() {
    static const std::unordered_map<std::string, uint32_t> table = {
        // Window styles.
        {"WS_OVERLAPPED", 0x00000000u}, {"WS_POPUP", 0x80000000u}, {"WS_CHILD", 0x40000000u},
        {"WS_MINIMIZE", 0x20000000u}, {"WS_VISIBLE", 0x10000000u}, {"WS_DISABLED", 0x08000000u},
        {"WS_CLIPSIBLINGS", 0x04000000u}, {"WS_CLIPCHILDREN", 0x02000000u},
        {"WS_MAXIMIZE", 0x01000000u}, {"WS_CAPTION", 0x00C00000u}, {"WS_BORDER", 0x00800000u},
        {"WS_DLGFRAME", 0x00400000u}, {"WS_VSCROLL", 0x00200000u}, {"WS_HSCROLL", 0x00100000u},
        {"WS_SYSMENU", 0x00080000u}, {"WS_THICKFRAME", 0x00040000u}, {"WS_GROUP", 0x00020000u},
        {"WS_TABSTOP", 0x00010000u}, {"WS_MINIMIZEBOX", 0x00020000u},
        {"WS_MAXIMIZEBOX", 0x00010000u},
        // Extended window styles.
        {"WS_EX_DLGMODALFRAME", 0x00000001u}, {"WS_EX_TOPMOST", 0x00000008u},
        {"WS_EX_TRANSPARENT", 0x00000020u}, {"WS_EX_TOOLWINDOW", 0x00000080u},
        {"WS_EX_WINDOWEDGE", 0x00000100u}, {"WS_EX_CLIENTEDGE", 0x00000200u},
        {"WS_EX_CONTEXTHELP", 0x00000400u}, {"WS_EX_RIGHT", 0x00001000u},
        {"WS_EX_STATICEDGE", 0x00020000u}, {"WS_EX_OVERLAPPEDWINDOW", 0x00000300u},
        {"WS_EX_NOANIMATION", 0x04000000u}, {"WS_EX_INK", 0x10000000u},
        {"WS_EX_ABOVESTARTUP", 0x20000000u}, {"WS_EX_NODRAG", 0x40000000u},
        {"WS_EX_CAPTIONOKBTN", 0x80000000u},
        // Dialog styles.
        {"DS_ABSALIGN", 0x0001u}, {"DS_SYSMODAL", 0x0002u}, {"DS_3DLOOK", 0x0004u},
        {"DS_FIXEDSYS", 0x0008u}, {"DS_NOFAILCREATE", 0x0010u}, {"DS_LOCALEDIT", 0x0020u},
        {"DS_SETFONT", 0x0040u}, {"DS_MODALFRAME", 0x0080u}, {"DS_NOIDLEMSG", 0x0100u},
        {"DS_SETFOREGROUND", 0x0200u}, {"DS_CONTROL", 0x0400u}, {"DS_CENTER", 0x0800u},
        {"DS_CENTERMOUSE", 0x1000u}, {"DS_CONTEXTHELP", 0x2000u}, {"DS_SHELLFONT", 0x0048u},
        // Edit.
        {"ES_LEFT", 0x0000u}, {"ES_CENTER", 0x0001u}, {"ES_RIGHT", 0x0002u},
        {"ES_MULTILINE", 0x0004u}, {"ES_UPPERCASE", 0x0008u}, {"ES_LOWERCASE", 0x0010u},
        {"ES_PASSWORD", 0x0020u}, {"ES_AUTOVSCROLL", 0x0040u}, {"ES_AUTOHSCROLL", 0x0080u},
        {"ES_NOHIDESEL", 0x0100u}, {"ES_OEMCONVERT", 0x0400u}, {"ES_READONLY", 0x0800u},
        {"ES_WANTRETURN", 0x1000u}, {"ES_NUMBER", 0x2000u},
        // Buttons.
        {"BS_PUSHBUTTON", 0x0000u}, {"BS_DEFPUSHBUTTON", 0x0001u}, {"BS_CHECKBOX", 0x0002u},
        {"BS_AUTOCHECKBOX", 0x0003u}, {"BS_RADIOBUTTON", 0x0004u}, {"BS_3STATE", 0x0005u},
        {"BS_AUTO3STATE", 0x0006u}, {"BS_GROUPBOX", 0x0007u}, {"BS_USERBUTTON", 0x0008u},
        {"BS_AUTORADIOBUTTON", 0x0009u}, {"BS_OWNERDRAW", 0x000Bu}, {"BS_TEXT", 0x0000u},
        {"BS_LEFTTEXT", 0x0020u}, {"BS_RIGHTBUTTON", 0x0020u}, {"BS_ICON", 0x0040u},
        {"BS_BITMAP", 0x0080u}, {"BS_LEFT", 0x0100u}, {"BS_RIGHT", 0x0200u},
        {"BS_CENTER", 0x0300u}, {"BS_TOP", 0x0400u}, {"BS_BOTTOM", 0x0800u},
        {"BS_VCENTER", 0x0C00u}, {"BS_PUSHLIKE", 0x1000u}, {"BS_MULTILINE", 0x2000u},
        {"BS_NOTIFY", 0x4000u}, {"BS_FLAT", 0x8000u},
        // Statics.
        {"SS_LEFT", 0x00u}, {"SS_CENTER", 0x01u}, {"SS_RIGHT", 0x02u}, {"SS_ICON", 0x03u},
        {"SS_BLACKRECT", 0x04u}, {"SS_GRAYRECT", 0x05u}, {"SS_WHITERECT", 0x06u},
        {"SS_BLACKFRAME", 0x07u}, {"SS_GRAYFRAME", 0x08u}, {"SS_WHITEFRAME", 0x09u},
        {"SS_SIMPLE", 0x0Bu}, {"SS_LEFTNOWORDWRAP", 0x0Cu}, {"SS_OWNERDRAW", 0x0Du},
        {"SS_BITMAP", 0x0Eu}, {"SS_ETCHEDHORZ", 0x10u}, {"SS_ETCHEDVERT", 0x11u},
        {"SS_ETCHEDFRAME", 0x12u}, {"SS_NOPREFIX", 0x80u}, {"SS_NOTIFY", 0x100u},
        {"SS_CENTERIMAGE", 0x200u}, {"SS_RIGHTJUST", 0x400u}, {"SS_REALSIZEIMAGE", 0x800u},
        {"SS_SUNKEN", 0x1000u},
        // List boxes.
        {"LBS_NOTIFY", 0x0001u}, {"LBS_SORT", 0x0002u}, {"LBS_NOREDRAW", 0x0004u},
        {"LBS_MULTIPLESEL", 0x0008u}, {"LBS_OWNERDRAWFIXED", 0x0010u},
        {"LBS_OWNERDRAWVARIABLE", 0x0020u}, {"LBS_HASSTRINGS", 0x0040u},
        {"LBS_USETABSTOPS", 0x0080u}, {"LBS_NOINTEGRALHEIGHT", 0x0100u},
        {"LBS_MULTICOLUMN", 0x0200u}, {"LBS_WANTKEYBOARDINPUT", 0x0400u},
        {"LBS_EXTENDEDSEL", 0x0800u}, {"LBS_DISABLENOSCROLL", 0x1000u}, {"LBS_NODATA", 0x2000u},
        {"LBS_NOSEL", 0x4000u}, {"LBS_STANDARD", 0x00A00003u},
        // Combo boxes.
        {"CBS_SIMPLE", 0x0001u}, {"CBS_DROPDOWN", 0x0002u}, {"CBS_DROPDOWNLIST", 0x0003u},
        {"CBS_OWNERDRAWFIXED", 0x0010u}, {"CBS_OWNERDRAWVARIABLE", 0x0020u},
        {"CBS_AUTOHSCROLL", 0x0040u}, {"CBS_OEMCONVERT", 0x0080u}, {"CBS_SORT", 0x0100u},
        {"CBS_HASSTRINGS", 0x0200u}, {"CBS_NOINTEGRALHEIGHT", 0x0400u},
        {"CBS_DISABLENOSCROLL", 0x0800u}, {"CBS_UPPERCASE", 0x2000u}, {"CBS_LOWERCASE", 0x4000u},
        // Scroll bars.
        {"SBS_HORZ", 0x0000u}, {"SBS_VERT", 0x0001u}, {"SBS_TOPALIGN", 0x0002u},
        {"SBS_LEFTALIGN", 0x0002u}, {"SBS_BOTTOMALIGN", 0x0004u}, {"SBS_RIGHTALIGN", 0x0004u},
        {"SBS_SIZEBOX", 0x0008u},
        // List views.
        {"LVS_ICON", 0x0000u}, {"LVS_REPORT", 0x0001u}, {"LVS_SMALLICON", 0x0002u},
        {"LVS_LIST", 0x0003u}, {"LVS_SINGLESEL", 0x0004u}, {"LVS_SHOWSELALWAYS", 0x0008u},
        {"LVS_SORTASCENDING", 0x0010u}, {"LVS_SORTDESCENDING", 0x0020u},
        {"LVS_SHAREIMAGELISTS", 0x0040u}, {"LVS_NOLABELWRAP", 0x0080u},
        {"LVS_AUTOARRANGE", 0x0100u}, {"LVS_EDITLABELS", 0x0200u},
        {"LVS_OWNERDRAWFIXED", 0x0400u}, {"LVS_ALIGNTOP", 0x0000u}, {"LVS_ALIGNLEFT", 0x0800u},
        {"LVS_OWNERDATA", 0x1000u}, {"LVS_NOSCROLL", 0x2000u}, {"LVS_NOCOLUMNHEADER", 0x4000u},
        {"LVS_NOSORTHEADER", 0x8000u},
        // Tree views.
        {"TVS_HASBUTTONS", 0x0001u}, {"TVS_HASLINES", 0x0002u}, {"TVS_LINESATROOT", 0x0004u},
        {"TVS_EDITLABELS", 0x0008u}, {"TVS_DISABLEDRAGDROP", 0x0010u},
        {"TVS_SHOWSELALWAYS", 0x0020u}, {"TVS_NOTOOLTIPS", 0x0080u}, {"TVS_CHECKBOXES", 0x0100u},
        {"TVS_TRACKSELECT", 0x0200u}, {"TVS_SINGLEEXPAND", 0x0400u},
        {"TVS_FULLROWSELECT", 0x1000u}, {"TVS_NOSCROLL", 0x2000u},
        {"TVS_NONEVENHEIGHT", 0x4000u},
        // Tab controls.
        {"TCS_SCROLLOPPOSITE", 0x0001u}, {"TCS_BOTTOM", 0x0002u}, {"TCS_RIGHT", 0x0002u},
        {"TCS_MULTISELECT", 0x0004u}, {"TCS_FLATBUTTONS", 0x0008u},
        {"TCS_FORCEICONLEFT", 0x0010u}, {"TCS_FORCELABELLEFT", 0x0020u},
        {"TCS_HOTTRACK", 0x0040u}, {"TCS_VERTICAL", 0x0080u}, {"TCS_TABS", 0x0000u},
        {"TCS_BUTTONS", 0x0100u}, {"TCS_SINGLELINE", 0x0000u}, {"TCS_MULTILINE", 0x0200u},
        {"TCS_RIGHTJUSTIFY", 0x0000u}, {"TCS_FIXEDWIDTH", 0x0400u},
        {"TCS_RAGGEDRIGHT", 0x0800u}, {"TCS_FOCUSONBUTTONDOWN", 0x1000u},
        {"TCS_OWNERDRAWFIXED", 0x2000u}, {"TCS_TOOLTIPS", 0x4000u},
        {"TCS_FOCUSNEVER", 0x8000u},
        // Progress bars.
        {"PBS_SMOOTH", 0x01u}, {"PBS_VERTICAL", 0x04u},
        // Standard dialog ids.
        {"IDOK", 1u}, {"IDCANCEL", 2u}, {"IDABORT", 3u}, {"IDRETRY", 4u}, {"IDIGNORE", 5u},
        {"IDYES", 6u}, {"IDNO", 7u}, {"IDC_STATIC", 0xFFFFFFFFu},
        // The framework's commands and bars.
        {"ID_FILE_NEW", 57600u}, {"ID_FILE_OPEN", 57601u}, {"ID_FILE_SAVE", 57603u},
        {"ID_APP_ABOUT", 57664u}, {"ID_APP_EXIT", 57665u}, {"AFX_IDW_TOOLBAR", 59392u},
        {"AFX_IDW_PANE_FIRST", 59648u},
        // The framework's strings.
        {"AFX_IDS_APP_TITLE", 0xE000u},
    };
    return table;
}
// clang-format on

}  // namespace

bool LookupBuiltin(const std::string& name, uint32_t& value) {
    const auto& table = Table();
    auto it = table.find(name);
    if (it == table.end()) return false;
    value = it->second;
    return true;
}

}  // namespace quorvel::rc
