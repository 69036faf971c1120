// Index: token helpers; expressions and styles; top-level statements;
// MENU; TOOLBAR; STRINGTABLE; DLGINIT. Dialogs are in DialogParser.cpp.
#include "platform/resources/rc/Parser.h"

#include <cstring>

#include "platform/resources/rc/Builtins.h"

namespace quorvel::rc {

Parser::Parser(std::vector<Token> tokens, Script& script)
    : m_tokens(std::move(tokens)), m_script(script) {}

// ---- Token helpers ----

const Token& Parser::Peek(size_t ahead) const {
    const size_t k = m_next + ahead;
    return k < m_tokens.size() ? m_tokens[k] : m_tokens.back();
}

Token Parser::Take() {
    Token t = Peek();
    if (m_next < m_tokens.size() - 1) ++m_next;
    return t;
}

bool Parser::IsWord(const char* word, size_t ahead) const {
    const Token& t = Peek(ahead);
    return t.kind == Tok::Ident && t.text == word;
}

bool Parser::AcceptWord(const char* word) {
    if (!IsWord(word)) return false;
    Take();
    return true;
}

bool Parser::AcceptPunct(char ch) {
    const Token& t = Peek();
    if (t.kind != Tok::Punct || t.text[0] != ch) return false;
    Take();
    return true;
}

void Parser::ExpectPunct(char ch, const char* context) {
    if (!AcceptPunct(ch)) {
        const std::string expected = std::string("'") + ch + "' " + context;
        Unexpected(expected.c_str());
    }
}

void Parser::Unexpected(const char* expected) const {
    const Token& t = Peek();
    std::string found;
    switch (t.kind) {
        case Tok::End:
            found = "the end of the file";
            break;
        case Tok::Number:
            found = std::to_string(t.number);
            break;
        case Tok::String:
            found = "a string";
            break;
        default:
            found = "'" + t.text + "'";
            break;
    }
    throw CompileError{t.pos, std::string("expected ") + expected + ", found " + found};
}

// ---- Expressions ----

int64_t Parser::Expr() {
    return OrExpr();
}

int64_t Parser::OrExpr() {
    int64_t v = AndExpr();
    while (AcceptPunct('|')) v |= AndExpr();
    return v;
}

int64_t Parser::AndExpr() {
    int64_t v = AddExpr();
    while (AcceptPunct('&')) v &= AddExpr();
    return v;
}

int64_t Parser::AddExpr() {
    int64_t v = MulExpr();
    for (;;) {
        if (AcceptPunct('+')) {
            v += MulExpr();
        } else if (AcceptPunct('-')) {
            v -= MulExpr();
        } else {
            return v;
        }
    }
}

int64_t Parser::MulExpr() {
    int64_t v = Unary();
    for (;;) {
        const SourcePos pos = Peek().pos;
        if (AcceptPunct('*')) {
            v *= Unary();
        } else if (AcceptPunct('/')) {
            const int64_t d = Unary();
            if (d == 0) throw CompileError{pos, "division by zero"};
            v /= d;
        } else {
            return v;
        }
    }
}

int64_t Parser::Unary() {
    if (AcceptPunct('-')) return -Unary();
    if (AcceptPunct('~')) return static_cast<int64_t>(~static_cast<uint32_t>(Unary()));
    if (AcceptPunct('(')) {
        const int64_t v = Expr();
        ExpectPunct(')', "to close the parenthesis");
        return v;
    }
    const Token& t = Peek();
    if (t.kind == Tok::Number) return Take().number;
    if (t.kind == Tok::Ident) {
        uint32_t value = 0;
        if (!LookupBuiltin(t.text, value)) {
            throw CompileError{t.pos, "undefined symbol " + t.text};
        }
        Take();
        return t.text == "IDC_STATIC" ? -1 : static_cast<int64_t>(value);
    }
    Unexpected("a number");
}

// Style expressions read left to right from the statement's default: each
// term is added, and a term after NOT is taken away again.
uint32_t Parser::Style(uint32_t initial) {
    uint32_t value = initial;
    do {
        if (AcceptWord("NOT")) {
            value &= ~static_cast<uint32_t>(AndExpr());
        } else {
            value |= static_cast<uint32_t>(AndExpr());
        }
    } while (AcceptPunct('|'));
    return value;
}

int Parser::ResourceId(const char* what) {
    const SourcePos pos = Peek().pos;
    const int64_t id = Expr();
    if (id < 1 || id > 0xFFFF) {
        throw CompileError{
            pos, std::string(what) + " id " + std::to_string(id) + " is out of range (1 to 65535)"};
    }
    return static_cast<int>(id);
}

int Parser::ControlId() {
    const SourcePos pos = Peek().pos;
    const int64_t id = Expr();
    if (id < -1 || id > 0xFFFF) {
        throw CompileError{pos, "control id " + std::to_string(id) + " is out of range"};
    }
    return static_cast<int>(id & 0xFFFF);
}

int Parser::Coord() {
    const SourcePos pos = Peek().pos;
    const int64_t v = Expr();
    if (v < -32768 || v > 32767) throw CompileError{pos, "coordinate out of range"};
    return static_cast<int>(v);
}

std::wstring Parser::String(const char* what) {
    if (Peek().kind != Tok::String) Unexpected(what);
    return Take().str;
}

void Parser::Begin(const char* context) {
    if (AcceptWord("BEGIN") || AcceptPunct('{')) return;
    const std::string expected = std::string("BEGIN or '{' ") + context;
    Unexpected(expected.c_str());
}

bool Parser::AtEnd() {
    if (AcceptWord("END") || AcceptPunct('}')) return true;
    if (Peek().kind == Tok::End) Unexpected("END");
    return false;
}

void Parser::SkipMemoryOptions() {
    static const char* const kOptions[] = {"DISCARDABLE", "MOVEABLE", "FIXED",
                                           "PURE",        "IMPURE",   "PRELOAD",
                                           "LOADONCALL",  "SHARED",   "NONSHARED"};
    for (bool again = true; again;) {
        again = false;
        for (const char* option : kOptions) again = again || AcceptWord(option);
    }
}

// ---- Statements ----

void Parser::Parse() {
    while (Peek().kind != Tok::End) Statement();
}

void Parser::Statement() {
    if (AcceptWord("LANGUAGE")) {
        Expr();
        ExpectPunct(',', "between the language and sub-language");
        Expr();
        return;
    }
    if (AcceptWord("STRINGTABLE")) return StringTable();
    const SourcePos pos = Peek().pos;
    if (Peek().kind != Tok::Number && Peek().kind != Tok::Ident) {
        Unexpected("a resource id or STRINGTABLE");
    }
    const int id = ResourceId("resource");
    if (Peek().kind != Tok::Ident) Unexpected("a resource type");
    const std::string type = Take().text;
    SkipMemoryOptions();
    if (type == "DIALOG" || type == "DIALOGEX") return Dialog(id, type == "DIALOGEX", pos);
    if (type == "MENU") return Menu(id, pos);
    if (type == "TOOLBAR") return Toolbar(id, pos);
    if (type == "DLGINIT") return DlgInit(id, pos);
    if (type == "BITMAP" || type == "ICON") {
        Image image;
        image.id = id;
        image.kind = type == "ICON" ? ImageKind::Icon : ImageKind::Bitmap;
        image.pos = pos;
        image.file = EncodeUtf8(String("an image file name"));
        m_script.images.push_back(std::move(image));
        return;
    }
    throw CompileError{pos, "unknown resource type " + type};
}

// ---- MENU ----

void Parser::Menu(int id, const SourcePos& pos) {
    struct Menu menu;
    menu.id = id;
    menu.pos = pos;
    Begin("to open the menu");
    MenuItems(menu.items);
    m_script.menus.push_back(std::move(menu));
}

void Parser::MenuItems(std::vector<MenuItem>& items) {
    while (!AtEnd()) {
        MenuItem item;
        if (AcceptWord("MENUITEM")) {
            if (AcceptWord("SEPARATOR")) {
                item.separator = true;
            } else {
                item.text = String("the menu item text or SEPARATOR");
                ExpectPunct(',', "before the command id");
                const SourcePos idPos = Peek().pos;
                const int64_t id = Expr();
                if (id < 0 || id > 0xFFFF) throw CompileError{idPos, "command id out of range"};
                item.id = static_cast<int>(id);
                MenuOptions(item);
            }
        } else if (AcceptWord("POPUP")) {
            item.popup = true;
            item.text = String("the pop-up menu text");
            MenuOptions(item);
            Begin("to open the pop-up menu");
            MenuItems(item.children);
        } else {
            Unexpected("MENUITEM, POPUP or END");
        }
        items.push_back(std::move(item));
    }
}

void Parser::MenuOptions(MenuItem& item) {
    for (;;) {
        const bool comma = AcceptPunct(',');
        if (AcceptWord("GRAYED")) {
            item.grayed = true;
        } else if (AcceptWord("INACTIVE")) {
            item.inactive = true;
        } else if (AcceptWord("CHECKED")) {
            item.checked = true;
        } else if (AcceptWord("MENUBREAK")) {
            item.menuBreak = true;
        } else if (AcceptWord("MENUBARBREAK")) {
            item.menuBarBreak = true;
        } else if (AcceptWord("HELP")) {
            item.help = true;
        } else if (comma) {
            Unexpected("a menu option (GRAYED, INACTIVE, CHECKED, MENUBREAK, MENUBARBREAK, HELP)");
        } else {
            return;
        }
    }
}

// ---- TOOLBAR ----

void Parser::Toolbar(int id, const SourcePos& pos) {
    struct Toolbar bar;
    bar.id = id;
    bar.pos = pos;
    bar.buttonWidth = Coord();
    ExpectPunct(',', "between the button width and height");
    bar.buttonHeight = Coord();
    if (bar.buttonWidth <= 0 || bar.buttonHeight <= 0) {
        throw CompileError{pos, "toolbar buttons need a positive width and height"};
    }
    Begin("to open the toolbar");
    while (!AtEnd()) {
        if (AcceptWord("SEPARATOR")) {
            bar.buttons.push_back(0);
        } else if (AcceptWord("BUTTON")) {
            bar.buttons.push_back(ResourceId("button command"));
        } else {
            Unexpected("BUTTON, SEPARATOR or END");
        }
    }
    m_script.toolbars.push_back(std::move(bar));
}

// ---- STRINGTABLE ----

void Parser::StringTable() {
    SkipMemoryOptions();
    Begin("to open the string table");
    while (!AtEnd()) {
        StringEntry entry;
        entry.pos = Peek().pos;
        entry.id = ResourceId("string");
        AcceptPunct(',');
        entry.text = String("the string's text");
        m_script.strings.push_back(std::move(entry));
    }
}

// ---- DLGINIT: "control-id, "item", "item" ..." per list ----

void Parser::DlgInit(int dialogId, const SourcePos& pos) {
    struct DlgInit init;
    init.dialogId = dialogId;
    init.pos = pos;
    Begin("to open the initial lists");
    while (!AtEnd()) {
        DlgInit::List list;
        list.pos = Peek().pos;
        list.controlId = ControlId();
        ExpectPunct(',', "after the control id");
        list.items.push_back(String("a list item"));
        while (AcceptPunct(',') || Peek().kind == Tok::String) {
            if (Peek().kind != Tok::String) break;
            list.items.push_back(Take().str);
        }
        init.lists.push_back(std::move(list));
    }
    m_script.dlgInits.push_back(std::move(init));
}

}  // namespace quorvel::rc
