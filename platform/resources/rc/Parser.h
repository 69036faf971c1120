// The statements of a resource script: DIALOG/DIALOGEX, MENU, TOOLBAR,
// STRINGTABLE, BITMAP, ICON, DLGINIT (initial list items) and LANGUAGE.
#pragma once

#include <vector>

#include "platform/resources/rc/Lexer.h"
#include "platform/resources/rc/Model.h"

namespace quorvel::rc {

class Parser {
  public:
    Parser(std::vector<Token> tokens, Script& script);
    // Fills the script; throws CompileError at the first syntax error.
    void Parse();

  private:
    const Token& Peek(size_t ahead = 0) const;
    Token Take();
    bool IsWord(const char* word, size_t ahead = 0) const;
    bool AcceptWord(const char* word);
    bool AcceptPunct(char ch);
    void ExpectPunct(char ch, const char* context);
    [[noreturn]] void Unexpected(const char* expected) const;

    int64_t Expr();
    int64_t OrExpr();
    int64_t AndExpr();
    int64_t AddExpr();
    int64_t MulExpr();
    int64_t Unary();
    uint32_t Style(uint32_t initial);
    int ResourceId(const char* what);
    int ControlId();
    int Coord();
    std::wstring String(const char* what);
    void Begin(const char* context);
    bool AtEnd();
    void SkipMemoryOptions();

    void Statement();
    void Dialog(int id, bool extended, const SourcePos& pos);
    void DialogHeader(struct Dialog& d, bool& hasStyle);
    void Control(struct Dialog& d);
    void GenericControl(struct Control& c, bool extended);
    bool ControlPlace(struct Control& c, bool sizeOptional, bool extended);
    void Menu(int id, const SourcePos& pos);
    void MenuItems(std::vector<MenuItem>& items);
    void MenuOptions(MenuItem& item);
    void Toolbar(int id, const SourcePos& pos);
    void StringTable();
    void DlgInit(int dialogId, const SourcePos& pos);

    std::vector<Token> m_tokens;
    size_t m_next = 0;
    Script& m_script;
};

}  // namespace quorvel::rc
