// The post-processing mode of the result conversion: 0 converts a result
// file into an exchange format, 1 makes a result file from a raw RTK file
// (RTK->dat), 2 a raw file from a result file (dat->RTK). The choice is the
// mode dialog's (template 15240, "数据后处理模式"); this is the one place
// the result conversion asks for it.
#pragma once

#include "platform/base/WinTypes.h"

namespace convert {

// Runs the mode dialog modally; IDOK with the chosen mode, or IDCANCEL.
INT_PTR ChooseConvertMode(int& nMode);

// Replaces the chooser (tests; null puts the dialog back).
using ConvertModeChooser = INT_PTR (*)(int& nMode);
void SetConvertModeChooser(ConvertModeChooser chooser);

}  // namespace convert
