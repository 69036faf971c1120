// Dialog data exchange: DoDataExchange moves values between a dialog's
// members and its controls, in both directions (UpdateData(FALSE) fills the
// controls, UpdateData(TRUE) reads and validates them).
//
// Reading a number that does not parse shows the framework's prompt (string
// 61910 "请输入一个整数。" for integers, 61911 "请输入一个数字。" for real
// numbers), gives the focus back to the control with its text selected and
// fails the exchange: UpdateData returns FALSE, members after the failing
// one keep their values, and CDialog::OnOK leaves the dialog open. A DDV
// range or length check that fails shows a prompt naming the limits the
// same way.
//
// Numbers are written as the device's framework wrote them: integers in
// decimal, doubles with "%.15g" and floats with "%.6g" (DBL_DIG and FLT_DIG
// significant digits, shortest form: 90.0 shows "90", 0.0 shows "0"). A
// double with at most 15 significant digits reads back exactly; one with
// more comes back rounded to 15. Reading accepts blanks around the number,
// a sign, digits, a decimal point and an exponent, nothing else (no hex,
// "inf" or "nan"); an integer must fit its type.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/Wnd.h"

class CDataExchange {
  public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control `nIDC` of the dialog; it is the one Fail gives the focus
    // back to. A missing control fails the exchange.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange unsuccessfully (the caller has told the user why).
    [[noreturn]] void Fail();
};

namespace quorvel::framework {
// What Fail throws; UpdateData catches it.
struct DataExchangeFailure {};
}  // namespace quorvel::framework

// ---- Text of edits and statics ----
// UINT and DWORD are the same type here, so one overload serves both.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// ---- Buttons, lists and combo boxes ----
// The check state: 0, 1, or 2 (indeterminate).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first button of a WS_GROUP group; value is the index of the
// checked radio button among the group's radio buttons, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
// Writing selects the first item that starts with the text (an editable
// combo box otherwise takes the text itself); reading gives the text shown.
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// As above, but only an item equal to the text (without case) is selected.
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses the control into `rControl` the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// ---- Validation (only when reading) ----
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);
