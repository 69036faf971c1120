// One-line descriptions of controls for the text dumps of dialogs.
#include <string>
#include <vector>

#include "platform/base/TextConv.h"
#include "platform/controls/Control.h"
#include "platform/controls/Controls.h"

namespace quorvel::controls {
namespace {

struct StyleName {
    DWORD mask;
    DWORD value;
    const char* name;
};

// clang-format off
const std::vector<StyleName> kButton = {
    {BS_TYPEMASK, BS_PUSHBUTTON, "BS_PUSHBUTTON"}, {BS_TYPEMASK, BS_DEFPUSHBUTTON, "BS_DEFPUSHBUTTON"},
    {BS_TYPEMASK, BS_CHECKBOX, "BS_CHECKBOX"}, {BS_TYPEMASK, BS_AUTOCHECKBOX, "BS_AUTOCHECKBOX"},
    {BS_TYPEMASK, BS_RADIOBUTTON, "BS_RADIOBUTTON"}, {BS_TYPEMASK, BS_3STATE, "BS_3STATE"},
    {BS_TYPEMASK, BS_AUTO3STATE, "BS_AUTO3STATE"}, {BS_TYPEMASK, BS_GROUPBOX, "BS_GROUPBOX"},
    {BS_TYPEMASK, BS_AUTORADIOBUTTON, "BS_AUTORADIOBUTTON"}, {BS_TYPEMASK, BS_OWNERDRAW, "BS_OWNERDRAW"},
    {BS_PUSHLIKE, BS_PUSHLIKE, "BS_PUSHLIKE"}, {BS_MULTILINE, BS_MULTILINE, "BS_MULTILINE"},
};
const std::vector<StyleName> kStatic = {
    {SS_TYPEMASK, SS_LEFT, "SS_LEFT"}, {SS_TYPEMASK, SS_CENTER, "SS_CENTER"},
    {SS_TYPEMASK, SS_RIGHT, "SS_RIGHT"}, {SS_TYPEMASK, SS_ICON, "SS_ICON"},
    {SS_TYPEMASK, SS_BLACKRECT, "SS_BLACKRECT"}, {SS_TYPEMASK, SS_GRAYRECT, "SS_GRAYRECT"},
    {SS_TYPEMASK, SS_WHITERECT, "SS_WHITERECT"}, {SS_TYPEMASK, SS_BLACKFRAME, "SS_BLACKFRAME"},
    {SS_TYPEMASK, SS_GRAYFRAME, "SS_GRAYFRAME"}, {SS_TYPEMASK, SS_WHITEFRAME, "SS_WHITEFRAME"},
    {SS_TYPEMASK, SS_SIMPLE, "SS_SIMPLE"}, {SS_TYPEMASK, SS_LEFTNOWORDWRAP, "SS_LEFTNOWORDWRAP"},
    {SS_TYPEMASK, SS_OWNERDRAW, "SS_OWNERDRAW"}, {SS_TYPEMASK, SS_BITMAP, "SS_BITMAP"},
    {SS_TYPEMASK, SS_ETCHEDHORZ, "SS_ETCHEDHORZ"}, {SS_TYPEMASK, SS_ETCHEDVERT, "SS_ETCHEDVERT"},
    {SS_TYPEMASK, SS_ETCHEDFRAME, "SS_ETCHEDFRAME"}, {SS_NOTIFY, SS_NOTIFY, "SS_NOTIFY"},
};
const std::vector<StyleName> kEdit = {
    {ES_MULTILINE, ES_MULTILINE, "ES_MULTILINE"}, {ES_READONLY, ES_READONLY, "ES_READONLY"},
    {ES_PASSWORD, ES_PASSWORD, "ES_PASSWORD"}, {ES_NUMBER, ES_NUMBER, "ES_NUMBER"},
    {ES_CENTER | ES_RIGHT, ES_CENTER, "ES_CENTER"}, {ES_CENTER | ES_RIGHT, ES_RIGHT, "ES_RIGHT"},
    {ES_UPPERCASE, ES_UPPERCASE, "ES_UPPERCASE"}, {ES_LOWERCASE, ES_LOWERCASE, "ES_LOWERCASE"},
    {ES_WANTRETURN, ES_WANTRETURN, "ES_WANTRETURN"},
};
const std::vector<StyleName> kListBox = {
    {LBS_SORT, LBS_SORT, "LBS_SORT"}, {LBS_NOTIFY, LBS_NOTIFY, "LBS_NOTIFY"},
};
const std::vector<StyleName> kComboBox = {
    {0x3, CBS_SIMPLE, "CBS_SIMPLE"}, {0x3, CBS_DROPDOWN, "CBS_DROPDOWN"},
    {0x3, CBS_DROPDOWNLIST, "CBS_DROPDOWNLIST"}, {CBS_SORT, CBS_SORT, "CBS_SORT"},
};
const std::vector<StyleName> kListView = {
    {LVS_TYPEMASK, LVS_REPORT, "LVS_REPORT"}, {LVS_SINGLESEL, LVS_SINGLESEL, "LVS_SINGLESEL"},
    {LVS_SHOWSELALWAYS, LVS_SHOWSELALWAYS, "LVS_SHOWSELALWAYS"},
    {LVS_NOCOLUMNHEADER, LVS_NOCOLUMNHEADER, "LVS_NOCOLUMNHEADER"},
};
const std::vector<StyleName> kTreeView = {
    {TVS_HASBUTTONS, TVS_HASBUTTONS, "TVS_HASBUTTONS"}, {TVS_HASLINES, TVS_HASLINES, "TVS_HASLINES"},
    {TVS_LINESATROOT, TVS_LINESATROOT, "TVS_LINESATROOT"},
    {TVS_SHOWSELALWAYS, TVS_SHOWSELALWAYS, "TVS_SHOWSELALWAYS"},
};
const std::vector<StyleName> kProgress = {
    {PBS_SMOOTH, PBS_SMOOTH, "PBS_SMOOTH"}, {PBS_VERTICAL, PBS_VERTICAL, "PBS_VERTICAL"},
};
const std::vector<StyleName> kScrollBar = {
    {SBS_VERT, SBS_HORZ, "SBS_HORZ"}, {SBS_VERT, SBS_VERT, "SBS_VERT"},
};
// clang-format on

const std::vector<StyleName>* NamesFor(const std::wstring& cls) {
    if (cls == WC_BUTTON) return &kButton;
    if (cls == WC_STATIC) return &kStatic;
    if (cls == WC_EDIT) return &kEdit;
    if (cls == WC_LISTBOX) return &kListBox;
    if (cls == WC_COMBOBOX) return &kComboBox;
    if (cls == WC_LISTVIEW) return &kListView;
    if (cls == WC_TREEVIEW) return &kTreeView;
    if (cls == PROGRESS_CLASS) return &kProgress;
    if (cls == WC_SCROLLBAR) return &kScrollBar;
    return nullptr;
}

std::string Quoted(const std::wstring& text) {
    std::string out = "\"";
    for (char c : ToUtf8(text.c_str())) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string RectText(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    HWND parent = GetParent(hwnd);
    if (parent && (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD))
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

}  // namespace

std::string Quote(const std::wstring& text) {
    return Quoted(text);
}

std::string DescribeControl(HWND hwnd) {
    if (!IsWindow(hwnd)) return "(no window)";
    wchar_t clsBuffer[64] = {};
    GetClassName(hwnd, clsBuffer, 64);
    const std::wstring cls = clsBuffer;
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    std::string out = ToUtf8(cls.c_str()) + " id=" + std::to_string(GetDlgCtrlID(hwnd));
    const int length = GetWindowTextLength(hwnd);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    GetWindowText(hwnd, text.data(), length + 1);
    if (!(cls == WC_EDIT && (style & ES_PASSWORD))) out += " " + Quoted(text.data());
    out += " " + RectText(hwnd);
    if (const auto* names = NamesFor(cls))
        for (const StyleName& n : *names)
            if ((style & n.mask) == n.value) out += std::string(" ") + n.name;
    if (style & WS_GROUP) out += " WS_GROUP";
    if (style & WS_TABSTOP) out += " WS_TABSTOP";
    if (!(style & WS_VISIBLE)) out += " hidden";
    if (style & WS_DISABLED) out += " disabled";
    if (GetFocus() == hwnd) out += " focused";
    if (Control* control = ControlOf(hwnd)) out += control->Describe();
    return out;
}

}  // namespace quorvel::controls
