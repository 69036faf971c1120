// CDataExchange, UpdateData, and the exchange of text and numbers.
#include "platform/framework/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "platform/base/Parse.h"
#include "platform/base/TextConv.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/framework/DataExchangePrompt.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/FrameworkInternal.h"

using quorvel::framework::DataExchangeFailure;

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (!control) {
        // A program fault, not the user's: say so where a developer looks.
        std::fprintf(stderr, "data exchange: dialog has no control %d\n", nIDC);
        throw DataExchangeFailure{};
    }
    m_hWndLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure{};
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    auto& state = quorvel::framework::State();
    const HWND oldLockout = state.lockoutNotify;
    state.lockoutNotify = m_hWnd;
    BOOL ok = TRUE;
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        ok = FALSE;
    }
    state.lockoutNotify = oldLockout;
    return ok;
}

void CWnd::DoDataExchange(CDataExchange*) {}

namespace quorvel::framework {

CString ControlText(HWND control) {
    CString text;
    const int length = ::GetWindowTextLength(control);
    ::GetWindowText(control, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

// Unchanged text is left alone, so that nothing flickers or notifies.
void SetControlText(HWND control, LPCTSTR text) {
    if (ControlText(control) != text) ::SetWindowText(control, text);
}

void ShowPrompt(CDataExchange* pDX, const CString& text) {
    HWND owner = pDX->m_pDlgWnd ? pDX->m_pDlgWnd->GetSafeHwnd() : nullptr;
    const CString title = GetAppTitle();
    ::MessageBox(owner, text, title, MB_OK | MB_ICONEXCLAMATION);
}

namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The number's own characters between optional blanks: sign, digits, and
// for reals a point and an exponent. Anything else is not a number.
bool Trimmed(const CString& text, bool real, std::wstring& out) {
    const std::wstring& s = text.str();
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    out = s.substr(b, e - b);
    size_t i = 0, digits = 0;
    if (i < out.size() && (out[i] == L'+' || out[i] == L'-')) ++i;
    for (; i < out.size() && iswdigit(out[i]); ++i) ++digits;
    if (real && i < out.size() && out[i] == L'.') {
        for (++i; i < out.size() && iswdigit(out[i]); ++i) ++digits;
    }
    if (digits == 0) return false;
    if (real && i < out.size() && (out[i] == L'e' || out[i] == L'E')) {
        size_t j = i + 1, expDigits = 0;
        if (j < out.size() && (out[j] == L'+' || out[j] == L'-')) ++j;
        for (; j < out.size() && iswdigit(out[j]); ++j) ++expDigits;
        if (expDigits == 0) return false;
        i = j;
    }
    return i == out.size();
}

}  // namespace

bool ParseInteger(const CString& text, long long minVal, long long maxVal, long long& value) {
    std::wstring t;
    if (!Trimmed(text, false, t)) return false;
    errno = 0;
    wchar_t* end = nullptr;
    const long long v = wcstoll(t.c_str(), &end, 10);
    if (errno == ERANGE || v < minVal || v > maxVal) return false;
    value = v;
    return true;
}

bool ParseReal(const CString& text, double& value) {
    std::wstring t;
    if (!Trimmed(text, true, t)) return false;
    value = wcstod_c(t.c_str(), nullptr);
    return true;
}

}  // namespace quorvel::framework

using namespace quorvel::framework;

namespace {

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal) {
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(std::is_signed_v<T> ? L"%lld" : L"%llu", static_cast<long long>(value));
        SetControlText(control, text);
        return;
    }
    long long parsed = 0;
    if (!ParseInteger(ControlText(control), minVal, maxVal, parsed)) {
        ShowPrompt(pDX, PromptText(AFX_IDP_PARSE_INT));
        pDX->Fail();
    }
    value = static_cast<T>(parsed);
}

template <class T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits) {
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%.*g", digits, static_cast<double>(value));
        SetControlText(control, text);
        return;
    }
    double parsed = 0;
    if (!ParseReal(ControlText(control), parsed)) {
        ShowPrompt(pDX, PromptText(AFX_IDP_PARSE_REAL));
        pDX->Fail();
    }
    value = static_cast<T>(parsed);
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(control);
    } else {
        SetControlText(control, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX);
}
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX);
}
// The device's long is 32 bits wide; so are the values the program keeps.
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) {
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX);
}
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value) {
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX);
}
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) {
    ExchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX);
}
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ExchangeInteger(pDX, nIDC, value, 0, 255);
        return;
    }
    long long parsed = 0;
    if (!ParseInteger(ControlText(control), INT_MIN, INT_MAX, parsed)) {
        ShowPrompt(pDX, PromptText(AFX_IDP_PARSE_INT));
        pDX->Fail();
    }
    if (parsed < 0 || parsed > 255) {
        ShowPrompt(pDX, RangePrompt(false, L"0", L"255"));
        pDX->Fail();
    }
    value = static_cast<BYTE>(parsed);
}
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) {
    ExchangeReal(pDX, nIDC, value, FLT_DIG);
}
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    ExchangeReal(pDX, nIDC, value, DBL_DIG);
}
