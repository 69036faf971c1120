// What the script sees of the screen: the texts of the visible windows and
// a text dump of every window of the program.
#pragma once

#include <string>

#include "platform/base/CString.h"
#include "platform/win/WinApi.h"

namespace quorvel::launcher {

// True when a visible window of the program, of any thread (a title, a control, a message
// box's text) shows `text` within its own.
bool VisibleWindowShows(const CString& text);

// Every top-level window of the program (of any thread), front to back, each followed by its
// children indented two spaces a level: class, id, text, rectangle, styles
// and state, one line each (UTF-8). A top-level window's state also says
// whether it is maximized and whether it is the foreground window.
std::string DumpWindowTree();

}  // namespace quorvel::launcher
