// Tokens of a resource script after preprocessing: #include, #define
// (object-like macros), #undef, #ifdef/#ifndef/#if <number>/#else/#endif
// and #pragma are handled here, so the parser sees one flat token stream in
// which every macro is already replaced by its body.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/resources/rc/Model.h"

namespace quorvel::rc {

enum class Tok { Ident, Number, String, Punct, End };

struct Token {
    Tok kind = Tok::End;
    std::string text;  // identifier or punctuation
    int64_t number = 0;
    std::wstring str;  // string literal, escapes resolved
    SourcePos pos;
};

// Decodes UTF-8; throws CompileError at the first malformed sequence.
std::wstring DecodeUtf8(const std::string& bytes, const SourcePos& pos);
std::string EncodeUtf8(const std::wstring& text);

class Preprocessor {
  public:
    // Reads the script and every file it includes. Throws CompileError.
    std::vector<Token> Run(const std::string& path);

  private:
    struct Cursor;
    void LexFile(const std::string& path, const SourcePos& from);
    void Directive(Cursor& c, const std::string& dir);
    void Define(const std::vector<Token>& args, const SourcePos& pos);
    void Conditional(const std::string& dir, const std::vector<Token>& args, const SourcePos& pos);
    void Emit(Token t);
    void Expand(const Token& use, const std::string& name);
    bool Active() const;

    std::map<std::string, std::vector<Token>> m_macros;
    std::map<std::string, SourcePos> m_macroPos;
    std::set<std::string> m_expanding;
    std::vector<Token> m_out;
    std::vector<std::string> m_includeStack;
    struct Cond {
        bool active;
        bool parentActive;
        bool sawElse;
        SourcePos pos;
    };
    std::vector<Cond> m_conds;
};

}  // namespace quorvel::rc
