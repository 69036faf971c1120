// A text dump of a dialog's control tree, for comparing a dialog with a
// reference without depending on fonts or pixels.
#pragma once

#include <string>

#include "platform/win/WinApi.h"

namespace quorvel::testing {

// First the window itself (class, caption, rectangle on the screen), then
// one line per child in tab order, each as the controls library describes
// it (class, id, text, rectangle, styles, state); children of children are
// indented below their parent. UTF-8, one line each.
std::string DumpDialog(HWND dialog);

}  // namespace quorvel::testing
