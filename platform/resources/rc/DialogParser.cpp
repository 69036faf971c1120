// DIALOG and DIALOGEX templates and the control statements inside them.
#include <cstring>

#include "platform/resources/rc/Builtins.h"
#include "platform/resources/rc/Parser.h"

namespace quorvel::rc {

namespace {

enum class Form {
    Text,    // "text", id, x, y, cx, cy [, style [, exstyle]]
    NoText,  // id, x, y, cx, cy [, style [, exstyle]]
    Icon,    // image, id, x, y [, cx, cy [, style [, exstyle]]]
};

struct ControlStatement {
    const char* keyword;
    const wchar_t* className;
    uint32_t style;  // besides WS_CHILD | WS_VISIBLE
    Form form;
    // Taken only when the statement gives no style of its own: a combo box
    // written with CBS_DROPDOWN must not become CBS_SIMPLE | CBS_DROPDOWN,
    // which is a drop-down list.
    uint32_t unstyled;
};

// clang-format off
const ControlStatement kStatements[] = {
    {"LTEXT",           L"Static",    0x0u | kWsGroup,               Form::Text, 0},
    {"RTEXT",           L"Static",    0x2u | kWsGroup,               Form::Text, 0},
    {"CTEXT",           L"Static",    0x1u | kWsGroup,               Form::Text, 0},
    {"PUSHBUTTON",      L"Button",    0x0u | kWsTabStop,             Form::Text, 0},
    {"DEFPUSHBUTTON",   L"Button",    0x1u | kWsTabStop,             Form::Text, 0},
    {"CHECKBOX",        L"Button",    0x2u | kWsTabStop,             Form::Text, 0},
    {"AUTOCHECKBOX",    L"Button",    0x3u | kWsTabStop,             Form::Text, 0},
    {"RADIOBUTTON",     L"Button",    0x4u,                          Form::Text, 0},
    {"AUTORADIOBUTTON", L"Button",    0x9u,                          Form::Text, 0},
    {"GROUPBOX",        L"Button",    0x7u,                          Form::Text, 0},
    {"EDITTEXT",        L"Edit",      0x0u | kWsBorder | kWsTabStop, Form::NoText, 0},
    {"LISTBOX",         L"ListBox",   0x1u | kWsBorder,              Form::NoText, 0},
    {"COMBOBOX",        L"ComboBox",  kWsTabStop,                    Form::NoText, 0x1u},
    {"SCROLLBAR",       L"ScrollBar", 0x0u,                          Form::NoText, 0},
    {"ICON",            L"Static",    0x3u,                          Form::Icon, 0},
};

// The standard classes, spelled as the controls library registers them.
const wchar_t* const kClasses[] = {
    L"Button", L"Static", L"Edit", L"ListBox", L"ComboBox", L"ScrollBar",
    L"SysListView32", L"SysTreeView32", L"SysTabControl32", L"msctls_progress32",
};
// clang-format on

std::wstring NormaliseClass(const std::wstring& name) {
    for (const wchar_t* known : kClasses) {
        if (wcscasecmp(known, name.c_str()) == 0) return known;
    }
    return name;
}

}  // namespace

void Parser::Dialog(int id, bool extended, const SourcePos& pos) {
    struct Dialog d;
    d.id = id;
    d.extended = extended;
    d.pos = pos;
    d.x = Coord();
    ExpectPunct(',', "after the dialog's x");
    d.y = Coord();
    ExpectPunct(',', "after the dialog's y");
    d.cx = Coord();
    ExpectPunct(',', "after the dialog's width");
    d.cy = Coord();
    if (extended && AcceptPunct(',')) Expr();  // help id
    bool hasStyle = false;
    DialogHeader(d, hasStyle);
    if (!hasStyle) d.style = kWsPopup | kWsBorder | kWsSysMenu;
    if (!d.caption.empty()) d.style |= kWsCaption;
    if (d.fontSize > 0) d.style |= kDsSetFont;
    while (!AtEnd()) Control(d);
    m_script.dialogs.push_back(std::move(d));
}

void Parser::DialogHeader(struct Dialog& d, bool& hasStyle) {
    for (;;) {
        if (AcceptWord("STYLE")) {
            d.style = Style(0);
            hasStyle = true;
        } else if (AcceptWord("EXSTYLE")) {
            d.exStyle = Style(0);
        } else if (AcceptWord("CAPTION")) {
            d.caption = String("the caption text");
        } else if (AcceptWord("FONT")) {
            const SourcePos pos = Peek().pos;
            d.fontSize = Coord();
            if (d.fontSize <= 0) throw CompileError{pos, "the font size must be positive"};
            ExpectPunct(',', "between the font size and face");
            d.fontFace = String("the font face");
            while (AcceptPunct(',')) Expr();  // weight, italic, character set
        } else if (AcceptWord("MENU")) {
            d.menuId = ResourceId("menu");
        } else if (AcceptWord("CLASS")) {
            String("the class name");
        } else if (AcceptWord("LANGUAGE")) {
            Expr();
            ExpectPunct(',', "between the language and sub-language");
            Expr();
        } else if (AcceptWord("CHARACTERISTICS") || AcceptWord("VERSION")) {
            Expr();
        } else {
            Begin("to open the dialog's controls");
            return;
        }
    }
}

void Parser::Control(struct Dialog& d) {
    struct Control c;
    c.pos = Peek().pos;
    if (AcceptWord("CONTROL")) {
        GenericControl(c, d.extended);
        d.controls.push_back(std::move(c));
        return;
    }
    const ControlStatement* statement = nullptr;
    for (const ControlStatement& s : kStatements) {
        if (IsWord(s.keyword)) statement = &s;
    }
    if (!statement) Unexpected("a control statement or END");
    Take();
    c.className = statement->className;
    c.style = kWsChild | kWsVisible | statement->style;
    if (statement->form == Form::Text) {
        c.text = String("the control text");
        ExpectPunct(',', "after the control text");
    } else if (statement->form == Form::Icon) {
        c.imageId = static_cast<uint32_t>(ResourceId("icon"));
        ExpectPunct(',', "after the icon id");
    }
    c.id = ControlId();
    ExpectPunct(',', "after the control id");
    if (!ControlPlace(c, statement->form == Form::Icon, d.extended)) {
        c.style |= statement->unstyled;
    }
    d.controls.push_back(std::move(c));
}

// CONTROL "text" | image-id, id, "class", style, x, y, cx, cy [, exstyle]
void Parser::GenericControl(struct Control& c, bool extended) {
    if (Peek().kind == Tok::String) {
        c.text = Take().str;
    } else {
        c.imageId = static_cast<uint32_t>(ResourceId("image"));
    }
    ExpectPunct(',', "after the control text");
    c.id = ControlId();
    ExpectPunct(',', "after the control id");
    c.className = NormaliseClass(String("the control's class name"));
    ExpectPunct(',', "after the class name");
    c.style = Style(kWsChild | kWsVisible);
    ExpectPunct(',', "after the control's style");
    c.x = Coord();
    ExpectPunct(',', "after the control's x");
    c.y = Coord();
    ExpectPunct(',', "after the control's y");
    c.cx = Coord();
    ExpectPunct(',', "after the control's width");
    c.cy = Coord();
    if (AcceptPunct(',')) c.exStyle = Style(0);
    if (extended && AcceptPunct(',')) Expr();  // help id
}

// x, y, cx, cy [, style [, exstyle]]; false when no style was written.
bool Parser::ControlPlace(struct Control& c, bool sizeOptional, bool extended) {
    c.x = Coord();
    ExpectPunct(',', "after the control's x");
    c.y = Coord();
    if (sizeOptional && !AcceptPunct(',')) return false;
    if (!sizeOptional) ExpectPunct(',', "after the control's y");
    c.cx = Coord();
    ExpectPunct(',', "after the control's width");
    c.cy = Coord();
    if (!AcceptPunct(',')) return false;
    c.style = Style(c.style);
    if (AcceptPunct(',')) c.exStyle = Style(0);
    if (extended && AcceptPunct(',')) Expr();  // help id
    return true;
}

}  // namespace quorvel::rc
