// What the conversions tell the user about a finished run.
#pragma once

#include "app/convert/FileConversion.h"
#include "platform/base/CString.h"

namespace convert {

inline constexpr const wchar_t* kPromptCaption = L"提示";
inline constexpr const wchar_t* kSameFile = L"源文件和目标文件不能相同!";
inline constexpr const wchar_t* kTargetFailed = L"创建成果文件错误,请检查";

// The texts of a finished run: the string shown when lines were counted
// (with the target's path after it when `bWithPath`) and the no-data
// string.
struct ResultTexts {
    UINT nDoneId;
    BOOL bWithPath;
    UINT nNoDataId;
};

// The box for a run's outcome, owned by `owner` (null: none). A refused or
// failed target gets its information box and no success text; a source
// that could not be read, or nothing counted, the no-data string; otherwise
// the done string.
void ReportConversion(HWND owner, ConvertStatus status, int counted, const CString& target,
                      const ResultTexts& texts);

}  // namespace convert
