#include "app/coordsys/CoordSysUi.h"

#include <cmath>
#include <cwchar>

#include "geodesy/CoordTransform.h"
#include "res/resource.h"
#include "ui/OwnerDrawButton.h"

namespace coordsys {
namespace {

struct EllipsoidPreset {
    const wchar_t* name;
    double a;     // semi-major axis, metres
    double invF;  // inverse flattening
};

constexpr EllipsoidPreset kPresets[kPresetCount] = {
    {L"北京54", 6378245.0, 298.3},
    {L"国家80", 6378140.0, 298.257},
    {L"WGS84", 6378137.0, 298.257223563},
    {L"WGS72", 6378135.0, 298.26},
};

const wchar_t kCaption[] = L"提示";

void Inform(CWnd* pDialog, LPCTSTR text) {
    if (pDialog && pDialog->GetSafeHwnd())
        pDialog->MessageBox(text, kCaption, MB_OK | MB_ICONINFORMATION);
    else
        AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

bool IsPositive(double value) {
    return std::isfinite(value) && value > 0.0;
}

CString EllipsoidName(int nCoord) {
    if (nCoord >= 0 && nCoord < kPresetCount) return kPresets[nCoord].name;
    if (nCoord == kUserEllipsoid) return L"用户自定义";
    return CString();
}

void ApplyEllipsoidChoice(CWnd* pDialog, int nCoord, double& a, double& invF, double userA,
                          double userInvF) {
    if (nCoord >= 0 && nCoord < kPresetCount) {
        a = kPresets[nCoord].a;
        invF = kPresets[nCoord].invF;
        EnableEllipsoidAxes(pDialog, FALSE);
    } else if (nCoord == kUserEllipsoid) {
        a = userA;
        invF = userInvF;
        EnableEllipsoidAxes(pDialog, TRUE);
    }
}

void EnableEllipsoidAxes(CWnd* pDialog, BOOL bEnable) {
    pDialog->GetDlgItem(IDC_ELLIPSOID_A)->EnableWindow(bEnable);
    pDialog->GetDlgItem(IDC_ELLIPSOID_INV_F)->EnableWindow(bEnable);
}

double DegreesToPacked(double degrees) {
    return CCoordTransform::ConvertDmsRadian(degrees * kDegToRad, 0);
}

double PackedToDegrees(double packed) {
    return CCoordTransform::ConvertDmsRadian(packed, 1) * kRadToDeg;
}

double RadiansToPacked(double radians) {
    return CCoordTransform::ConvertDmsRadian(radians, 0);
}

double PackedToRadians(double packed) {
    return CCoordTransform::ConvertDmsRadian(packed, 1);
}

double RoundToMillimetres(double metres) {
    CString text;
    text.Format(L"%.3f", metres);
    return std::wcstod(text.GetString(), nullptr);
}

void ApplyEnableRule(CWnd* pDialog, int nFlag, const int* pIds, size_t nCount) {
    if (nFlag != 0 && nFlag != 1) return;
    for (size_t i = 0; i < nCount; ++i)
        if (CWnd* pEdit = pDialog->GetDlgItem(pIds[i])) pEdit->EnableWindow(nFlag);
}

void ApplyEnableClick(CDialog* pDialog, int nCheckId, const int& nFlag, const int* pIds,
                      size_t nCount) {
    if (!pDialog->UpdateData(TRUE)) {
        ApplyEnableRule(pDialog, pDialog->IsDlgButtonChecked(nCheckId), pIds, nCount);
        return;
    }
    ApplyEnableRule(pDialog, nFlag, pIds, nCount);
    pDialog->UpdateData(FALSE);
}

void SetUpPickButton(COwnerDrawButton& button, CWnd* pDialog, int nIconId) {
    button.SetFont(pDialog->GetFont());
    button.SetIcon(nIconId, 28, 22);
    // The three colour bytes lightened by 30 each, added as one integer.
    button.SetColor(COwnerDrawButton::BTNST_COLOR_BK_IN, ::GetSysColor(COLOR_BTNFACE) + 0x1E1E1E);
    button.SetColor(COwnerDrawButton::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
    button.SetAlign(COwnerDrawButton::ST_ALIGN_HORIZ_RIGHT);
    button.SetFlat(FALSE);
}

BOOL RefuseEllipsoid(CWnd* pDialog, double a, double invF) {
    if (IsPositive(a) && IsPositive(invF)) return FALSE;
    Inform(pDialog, L"椭球长轴和扁率必须大于0,请重新输入!");
    return TRUE;
}

BOOL RefuseProjectionScale(CWnd* pDialog, double scale) {
    if (IsPositive(scale)) return FALSE;
    Inform(pDialog, L"投影比例尺必须大于0,请重新输入!");
    return TRUE;
}

BOOL HoldsSeparator(const CString& text) {
    return text.FindOneOf(L",[]=\r\n") >= 0;
}

BOOL RefuseSeparators(CWnd* pDialog, std::initializer_list<const CString*> texts) {
    for (const CString* text : texts) {
        if (!HoldsSeparator(*text)) continue;
        Inform(pDialog, L"输入内容不能包含逗号、方括号、等号或换行,请重新输入!");
        return TRUE;
    }
    return FALSE;
}

}  // namespace coordsys
