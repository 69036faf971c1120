#include "platform/resources/rc/Lexer.h"

#include "platform/resources/rc/Cursor.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace quorvel::rc {

std::string CompileError::Text() const {
    return pos.file + ":" + std::to_string(pos.line) + ": error: " + message;
}

std::wstring DecodeUtf8(const std::string& bytes, const SourcePos& start) {
    std::wstring out;
    SourcePos pos = start;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        int extra = b < 0x80             ? 0
                    : (b & 0xE0) == 0xC0 ? 1
                    : (b & 0xF0) == 0xE0 ? 2
                    : (b & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || i + extra >= bytes.size() + (extra == 0 ? 1 : 0)) {
            Fail(pos, "the file is not valid UTF-8");
        }
        uint32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cont = static_cast<unsigned char>(bytes[i + k]);
            if ((cont & 0xC0) != 0x80) Fail(pos, "the file is not valid UTF-8");
            cp = (cp << 6) | (cont & 0x3F);
        }
        static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            Fail(pos, "the file is not valid UTF-8");
        }
        if (cp == L'\n') ++pos.line;
        if (!(cp == 0xFEFF && out.empty())) out.push_back(static_cast<wchar_t>(cp));
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string EncodeUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t w : text) {
        const uint32_t cp = static_cast<uint32_t>(w);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::vector<Token> Preprocessor::Run(const std::string& path) {
    m_out.clear();
    LexFile(path, SourcePos{path, 0});
    if (!m_conds.empty()) Fail(m_conds.back().pos, "#if without #endif");
    Token end;
    end.kind = Tok::End;
    end.pos = m_out.empty() ? SourcePos{path, 1} : m_out.back().pos;
    m_out.push_back(end);
    return std::move(m_out);
}

bool Preprocessor::Active() const {
    return m_conds.empty() || m_conds.back().active;
}

void Preprocessor::LexFile(const std::string& path, const SourcePos& from) {
    if (std::count(m_includeStack.begin(), m_includeStack.end(), path) > 0 ||
        m_includeStack.size() > 32) {
        Fail(from, "\"" + path + "\" includes itself");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(from, "cannot open \"" + path + "\"");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    Cursor c;
    c.file = path;
    c.text = DecodeUtf8(bytes.str(), SourcePos{path, 1});
    m_includeStack.push_back(path);
    const size_t condDepth = m_conds.size();
    bool lineStart = true;
    while (c.SkipBlanks(true) || !c.AtEnd()) {
        if (c.Peek() == L'\n') {
            ++c.line;
            ++c.i;
            lineStart = true;
            continue;
        }
        if (c.Peek() == L'#' && lineStart) {
            ++c.i;
            c.SkipBlanks(true);
            std::string dir;
            while (IsIdentChar(c.Peek())) dir += static_cast<char>(c.text[c.i++]);
            Directive(c, dir);
            continue;
        }
        lineStart = false;
        if (!Active()) {
            // Text excluded by #if is not tokenised: it need not be valid.
            while (!c.AtEnd() && c.Peek() != L'\n') ++c.i;
            continue;
        }
        Emit(c.Next());
    }
    if (m_conds.size() != condDepth) Fail(m_conds.back().pos, "#if without #endif");
    m_includeStack.pop_back();
}

}  // namespace quorvel::rc
