// Start-up of the standard controls and the text description of a
// control's state used in dumps of dialogs.
#pragma once

#include <string>

#include "platform/controls/CommCtrl.h"

namespace quorvel::controls {

// Registers "Static", "Button", "Edit", "ListBox", "ComboBox" (and its
// drop-down list "ComboLBox"), "SysListView32", "SysTreeView32",
// "SysTabControl32", "msctls_progress32" and "ScrollBar". Calling it again
// does nothing.
void RegisterStandardClasses();

// One line (UTF-8) describing a control: class, id, text, rectangle in its
// parent's client coordinates, the styles that matter and its state (check,
// pressed, focus, disabled, selection, items). Windows of other classes get
// class, id, text and rectangle.
std::string DescribeControl(HWND hwnd);

}  // namespace quorvel::controls
