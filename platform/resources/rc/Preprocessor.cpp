// The directives of the preprocessor and macro replacement.
#include <cwctype>
#include <filesystem>

#include "platform/resources/rc/Cursor.h"
#include "platform/resources/rc/Lexer.h"

namespace quorvel::rc {

namespace {

bool SameTokens(const std::vector<Token>& a, const std::vector<Token>& b) {
    if (a.size() != b.size()) return false;
    for (size_t k = 0; k < a.size(); ++k) {
        if (a[k].kind != b[k].kind || a[k].text != b[k].text || a[k].number != b[k].number ||
            a[k].str != b[k].str) {
            return false;
        }
    }
    return true;
}

}  // namespace

void Preprocessor::Emit(Token t) {
    if (t.kind == Tok::Ident && m_macros.count(t.text) > 0 && m_expanding.count(t.text) == 0) {
        Expand(t, t.text);
        return;
    }
    m_out.push_back(std::move(t));
}

void Preprocessor::Expand(const Token& use, const std::string& name) {
    m_expanding.insert(name);
    const std::vector<Token> body = m_macros[name];
    for (Token t : body) {
        t.pos = use.pos;
        Emit(std::move(t));
    }
    m_expanding.erase(name);
}

void Preprocessor::Directive(Cursor& c, const std::string& dir) {
    const SourcePos pos = c.Pos();
    c.SkipBlanks(true);
    const bool conditional =
        dir == "ifdef" || dir == "ifndef" || dir == "if" || dir == "else" || dir == "endif";
    if ((!conditional && !Active()) || (dir == "include" && c.Peek() == L'<')) {
        // Skipped text, or a system header: its constants are built in.
        while (!c.AtEnd() && c.Peek() != L'\n') ++c.i;
        return;
    }
    if (dir == "define" && c.Peek() != L'\n') {
        size_t end = c.i;
        while (end < c.text.size() && (iswalnum(c.text[end]) || c.text[end] == L'_')) ++end;
        if (end < c.text.size() && c.text[end] == L'(') {
            Fail(pos, "macros with parameters are not supported");
        }
    }
    std::vector<Token> args;
    while (c.SkipBlanks(true)) args.push_back(c.Next());
    if (conditional) {
        Conditional(dir, args, pos);
    } else if (dir == "include") {
        if (args.size() != 1 || args[0].kind != Tok::String) {
            Fail(pos, "#include expects a file name in quotes");
        }
        const std::filesystem::path base = std::filesystem::path(c.file).parent_path();
        LexFile((base / EncodeUtf8(args[0].str)).string(), pos);
    } else if (dir == "define") {
        Define(args, pos);
    } else if (dir == "undef") {
        if (args.size() != 1 || args[0].kind != Tok::Ident) Fail(pos, "#undef expects a name");
        m_macros.erase(args[0].text);
    } else if (dir != "pragma") {  // #pragma code_page and the like: always UTF-8 here
        Fail(pos, "unknown directive #" + dir);
    }
}

void Preprocessor::Define(const std::vector<Token>& args, const SourcePos& pos) {
    if (args.empty() || args[0].kind != Tok::Ident) Fail(pos, "#define expects a name");
    const std::string name = args[0].text;
    std::vector<Token> body(args.begin() + 1, args.end());
    auto it = m_macros.find(name);
    if (it != m_macros.end() && !SameTokens(it->second, body)) {
        const SourcePos& first = m_macroPos[name];
        Fail(pos, name + " redefined with a different value (first defined at " + first.file + ":" +
                      std::to_string(first.line) + ")");
    }
    if (it == m_macros.end()) m_macroPos[name] = pos;
    m_macros[name] = std::move(body);
}

void Preprocessor::Conditional(const std::string& dir, const std::vector<Token>& args,
                               const SourcePos& pos) {
    const bool active = Active();
    if (dir == "ifdef" || dir == "ifndef") {
        if (args.size() != 1 || args[0].kind != Tok::Ident)
            Fail(pos, "#" + dir + " expects a name");
        const bool defined = m_macros.count(args[0].text) > 0;
        m_conds.push_back({active && (dir == "ifdef" ? defined : !defined), active, false, pos});
    } else if (dir == "if") {
        if (args.size() != 1 || args[0].kind != Tok::Number) {
            Fail(pos, "#if supports only a plain number");
        }
        m_conds.push_back({active && args[0].number != 0, active, false, pos});
    } else if (dir == "else") {
        if (m_conds.empty() || m_conds.back().sawElse) Fail(pos, "#else without #if");
        Cond& cond = m_conds.back();
        cond.active = cond.parentActive && !cond.active;
        cond.sawElse = true;
    } else {
        if (m_conds.empty()) Fail(pos, "#endif without #if");
        m_conds.pop_back();
    }
}

}  // namespace quorvel::rc
