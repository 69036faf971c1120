// The character cursor of the preprocessor: blanks and comments, string
// and number literals, identifiers and punctuation. Internal to the lexer.
#pragma once

#include "platform/resources/rc/Lexer.h"

namespace quorvel::rc {

inline bool IsIdentStart(wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z') || ch == L'_';
}
inline bool IsIdentChar(wchar_t ch) {
    return IsIdentStart(ch) || (ch >= L'0' && ch <= L'9');
}
inline bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}
inline int HexValue(wchar_t ch) {
    if (ch >= L'0' && ch <= L'9') return ch - L'0';
    if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
    return -1;
}

[[noreturn]] inline void Fail(const SourcePos& pos, const std::string& message) {
    throw CompileError{pos, message};
}

struct Preprocessor::Cursor {
    std::wstring text;
    size_t i = 0;
    int line = 1;
    std::string file;

    bool AtEnd() const { return i >= text.size(); }
    wchar_t Peek(size_t k = 0) const { return i + k < text.size() ? text[i + k] : 0; }
    SourcePos Pos() const { return {file, line}; }

    // Skips blanks and comments; false at the end of the line or file.
    bool SkipBlanks(bool stopAtNewline) {
        while (!AtEnd()) {
            const wchar_t ch = Peek();
            if (ch == L'\n') {
                if (stopAtNewline) return false;
                ++line;
                ++i;
            } else if (ch == L'\\' && Peek(1) == L'\n' && stopAtNewline) {
                ++line;
                i += 2;
            } else if (ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\f' || ch == L'\v') {
                ++i;
            } else if (ch == L'/' && Peek(1) == L'/') {
                while (!AtEnd() && Peek() != L'\n') ++i;
            } else if (ch == L'/' && Peek(1) == L'*') {
                const SourcePos start = Pos();
                i += 2;
                while (!AtEnd() && !(Peek() == L'*' && Peek(1) == L'/')) {
                    if (Peek() == L'\n') ++line;
                    ++i;
                }
                if (AtEnd()) Fail(start, "unterminated comment");
                i += 2;
            } else {
                return true;
            }
        }
        return false;
    }

    wchar_t Escape() {
        const wchar_t e = Peek();
        ++i;
        switch (e) {
            case L'n':
                return L'\n';
            case L'r':
                return L'\r';
            case L't':
                return L'\t';
            case L'\\':
                return L'\\';
            case L'"':
                return L'"';
            default:
                Fail(Pos(), "unknown escape sequence in a string");
        }
    }

    Token String() {
        Token t{Tok::String, "", 0, L"", Pos()};
        ++i;  // opening quote
        for (;;) {
            if (AtEnd() || Peek() == L'\n') Fail(t.pos, "unterminated string");
            const wchar_t ch = Peek();
            ++i;
            if (ch == L'"') {
                if (Peek() != L'"') break;
                ++i;  // "" stands for one quote
                t.str += L'"';
            } else if (ch == L'\\') {
                t.str += Escape();
            } else if (ch != L'\r') {
                t.str += ch;
            }
        }
        return t;
    }

    Token Number() {
        Token t{Tok::Number, "", 0, L"", Pos()};
        const bool hex = Peek() == L'0' && (Peek(1) == L'x' || Peek(1) == L'X');
        if (hex) i += 2;
        size_t digits = 0;
        for (; !AtEnd(); ++i, ++digits) {
            const int v = hex ? HexValue(Peek()) : (IsDigit(Peek()) ? Peek() - L'0' : -1);
            if (v < 0) break;
            t.number = t.number * (hex ? 16 : 10) + v;
            if (t.number > 0xFFFFFFFFLL) Fail(t.pos, "number too large");
        }
        while (Peek() == L'L' || Peek() == L'l' || Peek() == L'U' || Peek() == L'u') ++i;
        if (digits == 0 || IsIdentChar(Peek())) Fail(t.pos, "malformed number");
        return t;
    }

    Token Next() {
        const wchar_t ch = Peek();
        if ((ch == L'L' || ch == L'l') && Peek(1) == L'"') {
            ++i;
            return String();
        }
        if (ch == L'"') return String();
        if (IsDigit(ch)) return Number();
        Token t{Tok::Ident, "", 0, L"", Pos()};
        if (IsIdentStart(ch)) {
            while (IsIdentChar(Peek())) t.text += static_cast<char>(text[i++]);
            return t;
        }
        static const std::wstring kPunct = L",|(){}+-~&*/";
        if (kPunct.find(ch) == std::wstring::npos) {
            Fail(t.pos, ch < 0x80 && ch > 0x20
                            ? std::string("unexpected character '") + static_cast<char>(ch) + "'"
                            : std::string("unexpected character"));
        }
        ++i;
        t.kind = Tok::Punct;
        t.text = std::string(1, static_cast<char>(ch));
        return t;
    }
};

}  // namespace quorvel::rc
