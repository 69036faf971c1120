// Shared by the data exchange sources: control text, number parsing and the
// prompts shown when a value is refused.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/DataExchange.h"

namespace quorvel::framework {

CString ControlText(HWND control);
void SetControlText(HWND control, LPCTSTR text);

// Whole text, blanks around allowed; false when it is not a number of the
// kind or does not lie in [minVal, maxVal].
bool ParseInteger(const CString& text, long long minVal, long long maxVal, long long& value);
bool ParseReal(const CString& text, double& value);

// The prompt `id` (AFX_IDP_...): the program's string table's text when it
// has one under that id, else the framework's own.
CString PromptText(UINT id);
// "请输入一个介于<min>和<max>之间的整数。" or "...的数字。" for reals.
CString RangePrompt(bool real, LPCTSTR minText, LPCTSTR maxText);
// A box over the dialog, captioned with the program title.
void ShowPrompt(CDataExchange* pDX, const CString& text);

}  // namespace quorvel::framework
