// The DDV range and length checks, and the texts of the prompts.
#include <cfloat>

#include "platform/framework/DataExchange.h"
#include "platform/framework/DataExchangePrompt.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/resources/Resources.h"

namespace quorvel::framework {

CString PromptText(UINT id) {
    if (const wchar_t* text = resources::FindString(id)) return CString(text);
    return CString(id == AFX_IDP_PARSE_INT ? L"请输入一个整数。" : L"请输入一个数字。");
}

CString RangePrompt(bool real, LPCTSTR minText, LPCTSTR maxText) {
    CString text;
    text.Format(L"请输入一个介于%s和%s之间的%s。", minText, maxText, real ? L"数字" : L"整数");
    return text;
}

}  // namespace quorvel::framework

using namespace quorvel::framework;

namespace {

// Checks only when reading the controls: values the program puts into them
// are its own business.
void CheckInteger(CDataExchange* pDX, long long value, long long minVal, long long maxVal) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString low, high;
    low.Format(L"%lld", minVal);
    high.Format(L"%lld", maxVal);
    ShowPrompt(pDX, RangePrompt(false, low, high));
    pDX->Fail();
}

void CheckReal(CDataExchange* pDX, double value, double minVal, double maxVal, int digits) {
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
    CString low, high;
    low.Format(L"%.*g", digits, minVal);
    high.Format(L"%.*g", digits, maxVal);
    ShowPrompt(pDX, RangePrompt(true, low, high));
    pDX->Fail();
}

}  // namespace

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() <= nChars) return;
        CString text;
        text.Format(L"输入的字符不能超过%d个。", nChars);
        ShowPrompt(pDX, text);
        pDX->Fail();
    }
    // Filling the controls: the edit takes no more than that many.
    if (pDX->m_hWndLastControl && pDX->m_bEditLastControl) {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    }
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
    CheckInteger(pDX, value, minVal, maxVal);
}
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) {
    CheckInteger(pDX, value, minVal, maxVal);
}
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    CheckInteger(pDX, value, minVal, maxVal);
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
    CheckInteger(pDX, value, minVal, maxVal);
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
    CheckInteger(pDX, value, minVal, maxVal);
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
    CheckInteger(pDX, value, minVal, maxVal);
}
void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal) {
    CheckReal(pDX, value, minVal, maxVal, FLT_DIG);
}
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal) {
    CheckReal(pDX, value, minVal, maxVal, DBL_DIG);
}
