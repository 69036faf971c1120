// The script parser: a line is cut into words (quoted or bare), then the
// first word picks the command, whose arguments are checked here so that a
// script with a bad line is refused before anything starts.
#include "launcher/Script.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/base/MessageBox.h"
#include "platform/base/TextConv.h"
#include "platform/win/WinKeys.h"

namespace quorvel::launcher {
namespace {

struct Word {
    std::string text;
    bool quoted = false;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Reads a quoted word from line[i] (the opening quote); i ends after it.
bool ReadQuoted(const std::string& line, size_t& i, Word* word, std::string* error) {
    for (++i; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            ++i;
            if (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) &&
                line[i] != '#') {
                *error = "text in quotes must be followed by a space";
                return false;
            }
            word->quoted = true;
            return true;
        }
        if (c == '\\') {
            if (i + 1 >= line.size() || (line[i + 1] != '"' && line[i + 1] != '\\')) {
                *error = "only \\\" and \\\\ may follow a backslash";
                return false;
            }
            ++i;
        }
        word->text += line[i];
    }
    *error = "missing closing quote";
    return false;
}

bool Split(const std::string& line, std::vector<Word>* words, std::string* error) {
    size_t i = 0;
    for (;;) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i >= line.size() || line[i] == '#') return true;
        Word word;
        if (line[i] == '"') {
            if (!ReadQuoted(line, i, &word, error)) return false;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) &&
                   line[i] != '#')
                word.text += line[i++];
            if (word.text.find('"') != std::string::npos) {
                *error = "a quote inside a word";
                return false;
            }
        }
        words->push_back(word);
    }
}

bool ParseInt(const Word& word, long lo, long hi, const char* what, long* value,
              std::string* error) {
    const std::string& s = word.text;
    const bool digits =
        !s.empty() && s.size() <= 9 &&
        std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); });
    const long v = digits ? std::stol(s) : -1;
    if (v < lo || v > hi) {
        *error = std::string(what) + " must be a whole number from " + std::to_string(lo) + " to " +
                 std::to_string(hi) + ", not \"" + s + "\"";
        return false;
    }
    *value = v;
    return true;
}

unsigned KeyFromName(const std::string& name) {
    static const std::map<std::string, unsigned> kNamed = {
        {"up", VK_UP},      {"down", VK_DOWN},  {"left", VK_LEFT},    {"right", VK_RIGHT},
        {"pgup", VK_PRIOR}, {"pgdn", VK_NEXT},  {"enter", VK_RETURN}, {"esc", VK_ESCAPE},
        {"tab", VK_TAB},    {"del", VK_DELETE}, {"space", VK_SPACE},  {"bksp", VK_BACK},
    };
    const std::string n = Lower(name);
    if (n.size() == 1 && std::isalpha(static_cast<unsigned char>(n[0])))
        return static_cast<unsigned>(std::toupper(static_cast<unsigned char>(n[0])));
    if (n.size() == 1 && std::isdigit(static_cast<unsigned char>(n[0])))
        return static_cast<unsigned>(n[0]);
    if (auto it = kNamed.find(n); it != kNamed.end()) return it->second;
    if (n.size() >= 2 && n[0] == 'f' && n.size() <= 3 &&
        std::all_of(n.begin() + 1, n.end(), [](unsigned char c) { return std::isdigit(c); })) {
        const int f = std::stoi(n.substr(1));
        if (f >= 1 && f <= 10) return static_cast<unsigned>(VK_F1 + f - 1);
    }
    return 0;
}

// Text arguments are UTF-8; anything else cannot be typed or matched.
bool ToText(const Word& word, CString* text, std::string* error) {
    *text = FromUtf8(word.text);
    if (ToUtf8(*text) != word.text) {
        *error = "text is not UTF-8";
        return false;
    }
    return true;
}

bool HasArgs(const std::vector<Word>& w, size_t lo, size_t hi, const char* usage,
             std::string* error) {
    if (w.size() - 1 < lo || w.size() - 1 > hi) {
        *error = std::string("usage: ") + usage;
        return false;
    }
    return true;
}

using Words = std::vector<Word>;

bool ParseKey(const Words& w, ScriptCommand* c, std::string* e) {
    if (!HasArgs(w, 1, 2, "key NAME [N]", e)) return false;
    c->key = KeyFromName(w[1].text);
    if (w[1].quoted || c->key == 0) {
        *e = "unknown key \"" + w[1].text + "\"";
        return false;
    }
    long n = 1;
    if (w.size() == 3 && !ParseInt(w[2], 1, 1000, "N", &n, e)) return false;
    c->count = static_cast<int>(n);
    return true;
}

bool ParseChar(const Words& w, ScriptCommand* c, std::string* e) {
    if (!HasArgs(w, 1, 1, "char C", e) || !ToText(w[1], &c->text, e)) return false;
    if (c->text.GetLength() != 1) {
        *e = "char takes one character, not \"" + w[1].text + "\"";
        return false;
    }
    return true;
}

bool ParseType(const Words& w, ScriptCommand* c, std::string* e) {
    return HasArgs(w, 1, 1, "type \"TEXT\"", e) && ToText(w[1], &c->text, e);
}

bool ParsePoint(const Word& x, const Word& y, int* px, int* py, std::string* e) {
    long vx = 0, vy = 0;
    if (!ParseInt(x, 0, 239, "X", &vx, e) || !ParseInt(y, 0, 319, "Y", &vy, e)) return false;
    *px = static_cast<int>(vx);
    *py = static_cast<int>(vy);
    return true;
}

bool ParseTap(const Words& w, ScriptCommand* c, std::string* e) {
    return HasArgs(w, 2, 2, "tap X Y", e) && ParsePoint(w[1], w[2], &c->x1, &c->y1, e);
}

bool ParseDrag(const Words& w, ScriptCommand* c, std::string* e) {
    return HasArgs(w, 4, 4, "drag X1 Y1 X2 Y2", e) && ParsePoint(w[1], w[2], &c->x1, &c->y1, e) &&
           ParsePoint(w[3], w[4], &c->x2, &c->y2, e);
}

bool ParseWait(const Words& w, ScriptCommand* c, std::string* e) {
    long ms = 0;
    if (!HasArgs(w, 1, 1, "wait MS", e) || !ParseInt(w[1], 0, 3600000, "MS", &ms, e)) return false;
    c->ms = static_cast<uint32_t>(ms);
    return true;
}

bool ParseAnswer(const Words& w, ScriptCommand* c, std::string* e) {
    static const std::map<std::string, int> kButtons = {
        {"ok", IDOK}, {"cancel", IDCANCEL}, {"yes", IDYES}, {"no", IDNO}};
    if (!HasArgs(w, 2, 2, "answer \"TEXT\" OK|CANCEL|YES|NO", e) || !ToText(w[1], &c->text, e))
        return false;
    const auto it = kButtons.find(Lower(w[2].text));
    if (it == kButtons.end()) {
        *e = "answer takes OK, CANCEL, YES or NO, not \"" + w[2].text + "\"";
        return false;
    }
    c->button = it->second;
    c->ms = kAnswerWaitMs;
    return true;
}

bool ParseExpect(const Words& w, ScriptCommand* c, std::string* e) {
    if (!HasArgs(w, 1, 2, "expect \"TEXT\" [MS]", e) || !ToText(w[1], &c->text, e)) return false;
    if (c->text.IsEmpty()) {
        *e = "expect needs a text that is not empty";
        return false;
    }
    long ms = kExpectWaitMs;
    if (w.size() == 3 && !ParseInt(w[2], 0, 3600000, "MS", &ms, e)) return false;
    c->ms = static_cast<uint32_t>(ms);
    return true;
}

bool ParsePath(const Words& w, const char* usage, const char* suffix, ScriptCommand* c,
               std::string* e) {
    if (!HasArgs(w, 1, 1, usage, e)) return false;
    c->path = w[1].text;
    const std::string lower = Lower(c->path);
    const std::string end = suffix;
    if (c->path.empty() || (lower.size() <= end.size() && !end.empty()) ||
        lower.compare(lower.size() - end.size(), end.size(), end) != 0) {
        *e = std::string("usage: ") + usage;
        return false;
    }
    return true;
}

bool ParseSnapshot(const Words& w, ScriptCommand* c, std::string* e) {
    return ParsePath(w, "snapshot FILE.png", ".png", c, e);
}

bool ParseDump(const Words& w, ScriptCommand* c, std::string* e) {
    return ParsePath(w, "dump FILE.txt", "", c, e);
}

bool ParseQuit(const Words& w, ScriptCommand*, std::string* e) {
    return HasArgs(w, 0, 0, "quit", e);
}

bool ParseCommandId(const Words& w, ScriptCommand* c, std::string* e) {
    long id = 0;
    if (!HasArgs(w, 1, 1, "command ID", e) || !ParseInt(w[1], 1, 65535, "ID", &id, e)) return false;
    c->id = static_cast<unsigned>(id);
    return true;
}

struct Syntax {
    ScriptOp op;
    bool (*parse)(const Words&, ScriptCommand*, std::string*);
};

const std::map<std::string, Syntax>& Commands() {
    static const std::map<std::string, Syntax> kCommands = {
        {"key", {ScriptOp::kKey, ParseKey}},
        {"char", {ScriptOp::kChar, ParseChar}},
        {"type", {ScriptOp::kType, ParseType}},
        {"tap", {ScriptOp::kTap, ParseTap}},
        {"drag", {ScriptOp::kDrag, ParseDrag}},
        {"wait", {ScriptOp::kWait, ParseWait}},
        {"answer", {ScriptOp::kAnswer, ParseAnswer}},
        {"expect", {ScriptOp::kExpect, ParseExpect}},
        {"snapshot", {ScriptOp::kSnapshot, ParseSnapshot}},
        {"dump", {ScriptOp::kDump, ParseDump}},
        {"quit", {ScriptOp::kQuit, ParseQuit}},
        {"command", {ScriptOp::kCommand, ParseCommandId}},
    };
    return kCommands;
}

}  // namespace

bool ParseScriptLine(const std::string& line, int lineNumber, std::optional<ScriptCommand>* command,
                     std::string* error) {
    command->reset();
    std::string text = line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    Words words;
    if (!Split(text, &words, error)) return false;
    if (words.empty()) return true;
    const auto it = Commands().find(words[0].text);
    if (words[0].quoted || it == Commands().end()) {
        *error = "unknown command \"" + words[0].text + "\"";
        return false;
    }
    ScriptCommand c;
    c.op = it->second.op;
    c.line = lineNumber;
    c.source = text;
    if (!it->second.parse(words, &c, error)) return false;
    *command = std::move(c);
    return true;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands,
                 std::string* error) {
    size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    for (int number = 1; start <= text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::optional<ScriptCommand> command;
        std::string reason;
        if (!ParseScriptLine(text.substr(start, end - start), number, &command, &reason)) {
            *error = "line " + std::to_string(number) + ": " + reason;
            return false;
        }
        if (command) commands->push_back(std::move(*command));
        start = end + 1;
    }
    return true;
}

}  // namespace quorvel::launcher
