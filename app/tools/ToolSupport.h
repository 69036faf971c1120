// What the calculation tools share: reading number fields, the paths of
// their result files, the appending of result lines, and the broadcast that
// announces a calculation.
#pragma once

#include <utility>
#include <vector>

#include "platform/framework/Afx.h"

// Sent with SendMessage to HWND_BROADCAST after every press of an input
// page's calculate button, wParam 0, lParam the tab to bring forward (1).
constexpr UINT WM_CALC_UPDATED = WM_USER + 3000;

namespace tools {

// DDX_Text of a double that must also be finite: "1e400" gets the
// framework's number prompt and fails the exchange like any other text
// that is not a number.
void DDX_Number(CDataExchange* pDX, int nIDC, double& value);

// A number typed into a text field: empty reads 0; a text that is not a
// finite number gets the framework's number prompt and FALSE.
BOOL ReadTextNumber(const CString& text, double& value);

// The document's result folder + name ("calcoord.dat").
CString ResultFilePath(LPCTSTR name);
// The job folder + the job ini name less its last three characters +
// extension ("lib", "WGS"): the job's libraries.
CString JobFilePath(LPCTSTR extension);

// One line bound for the end of a file.
using FileLine = std::pair<CString, CString>;  // path, line without CR LF

// Appends every line (each file created when missing). Every file is
// opened before anything is written, so a file that cannot be opened
// leaves all of them untouched. Any failure shows "打开文件错误,请检查"
// and returns FALSE; on success "保存成功" is shown unless bQuiet.
[[nodiscard]] BOOL AppendLines(CWnd* pOwner, const std::vector<FileLine>& lines,
                               BOOL bQuiet = FALSE);

// Escape on a page of a tool's tab sheet closes the tool: the page asks
// the dialog above its tab control to cancel.
void CancelTool(CWnd* pPage);

// The information box of string nId, over pOwner.
void ShowText(CWnd* pOwner, UINT nId);
void ShowText(CWnd* pOwner, LPCTSTR text);

// "%.4f" and friends that never print "nan" or "inf": the tools check
// their results before they format them, this is the last guard.
bool AllFinite(std::initializer_list<double> values);

}  // namespace tools
