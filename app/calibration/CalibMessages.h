// The messages of the calibration that the string table does not hold.
#pragma once

#include "platform/base/WinTypes.h"

namespace calib_text {

inline constexpr const wchar_t* kPromptCaption = L"提示";
inline constexpr const wchar_t* kInfoCaption = L"信息提示";
inline constexpr const wchar_t* kFileNotSaved = L"文件保存失败,请检查!";
inline constexpr const wchar_t* kCountTooSmall = L"请确定已知点坐标的正确输入";
inline constexpr const wchar_t* kNotFixed = L"非固定解状态,确定要校正吗?";
inline constexpr const wchar_t* kRecordNotCreated = L"创建adjustcoord.RTK文件错误,请检查错误!";
inline constexpr const wchar_t* kModeKnown = L"基准站架设在已知点上";
inline constexpr const wchar_t* kModeUnknown = L"基准站架设在未知点上";

}  // namespace calib_text

// "knowdata.dat" could not be replaced (the previous file stays).
void ReportKnowDataNotSaved(HWND owner = nullptr);
