// The script language of the quorvel command: UTF-8, one command a line,
// "#" starts a comment outside quotes, texts in double quotes with \" and
// \\ as their only escapes (any argument may be quoted).
//
//   key NAME [N]         a key pressed and released N times (default 1): a
//                        letter, a digit, up, down, left, right, pgup, pgdn,
//                        enter, esc, tab, del, space, bksp, f1 ... f10
//   char C               one character typed (WM_CHAR only)
//   type "TEXT"          each character typed (WM_CHAR only)
//   tap X Y              the stylus down and up at a screen pixel
//   drag X1 Y1 X2 Y2     the stylus down at one pixel, moved and up at another
//   wait MS              nothing for MS milliseconds
//   answer "TEXT" OK|CANCEL|YES|NO
//                        presses a button of the message box whose text holds
//                        TEXT (of any thread), waiting up to 10 s for it, and
//                        goes on once the box has closed
//   expect "TEXT" [MS]   a visible window (of any thread) shows TEXT within MS
//                        (default 5000)
//   snapshot FILE.png    the screen as PNG
//   dump FILE.txt        the window tree as text
//   quit                 WM_CLOSE to the main window
//   command ID           WM_COMMAND ID to the main window
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CString.h"

namespace quorvel::launcher {

enum class ScriptOp {
    kKey,
    kChar,
    kType,
    kTap,
    kDrag,
    kWait,
    kAnswer,
    kExpect,
    kSnapshot,
    kDump,
    kQuit,
    kCommand
};

struct ScriptCommand {
    ScriptOp op = ScriptOp::kQuit;
    int line = 0;        // 1-based line number in the script
    std::string source;  // the line as written, for messages
    unsigned key = 0;    // kKey: the virtual key
    int count = 1;       // kKey: how many times
    CString text;        // kChar, kType, kAnswer, kExpect
    int x1 = 0, y1 = 0;  // kTap, kDrag
    int x2 = 0, y2 = 0;  // kDrag
    uint32_t ms = 0;     // kWait; kExpect's limit; kAnswer's (10 s)
    int button = 0;      // kAnswer: IDOK, IDCANCEL, IDYES or IDNO
    std::string path;    // kSnapshot, kDump
    unsigned id = 0;     // kCommand
};

inline constexpr uint32_t kAnswerWaitMs = 10000;
inline constexpr uint32_t kExpectWaitMs = 5000;

// One line (without its newline; a trailing CR is ignored). True with
// *command empty for a blank or comment line; false with the reason in
// *error for a line that is not a command.
bool ParseScriptLine(const std::string& line, int lineNumber, std::optional<ScriptCommand>* command,
                     std::string* error);

// A whole script (a leading byte-order mark is skipped). False at the first
// bad line, with "line N: reason" in *error.
bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands, std::string* error);

}  // namespace quorvel::launcher
