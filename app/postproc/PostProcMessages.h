// What post-processing tells the user and asks, kept behind an interface so
// that the job and the format file run without a window: the wizard's
// pages answer with message boxes, the tests and the benchmark with their
// own.
#pragma once

#include "platform/base/CString.h"

namespace postproc {

class IPostProcMessages {
  public:
    virtual ~IPostProcMessages() = default;
    // An information box titled "提示".
    virtual void Inform(LPCTSTR text) = 0;
    // A Yes/No question titled "提示"; TRUE for Yes.
    virtual BOOL AskYesNo(LPCTSTR text) = 0;
};

// The texts, as the user reads them.
inline constexpr const wchar_t* kCaption = L"提示";
inline constexpr const wchar_t* kDone = L"综合后处理完成";
inline constexpr const wchar_t* kUseCorrections = L"当前工程下的校正参数不为零,使用吗?";
inline constexpr const wchar_t* kRawUnreadable = L"打开原始测量文件出错";
inline constexpr const wchar_t* kRewriteFailed = L"新建坐标后处理临时文件出错";
inline constexpr const wchar_t* kOpenFailed = L"打开文件错误,请检查";
inline constexpr const wchar_t* kSsdFailed = L"创建ssd文件错误,请检查";
inline constexpr const wchar_t* kBottomFailed = L"创建dat文件(水底高程)错误,请检查";
inline constexpr const wchar_t* kDepthDatFailed = L"创建ssd文件(水深)错误,请检查";
inline constexpr const wchar_t* kCoordResultFailed = L"创建定位成果文件错误,请检查";
inline constexpr const wchar_t* kDepthResultFailed = L"创建水深成果文件错误,请检查";
inline constexpr const wchar_t* kFormatUnreadable = L"打开*.fmt文件错误,请检查";
inline constexpr const wchar_t* kFormatWriteFailed = L"创建*.fmt文件错误,请检查";
inline constexpr const wchar_t* kSameFile = L"源文件和目标文件不能相同!";

}  // namespace postproc
