#include "app/InputRules.h"

#include <cmath>

#include "platform/base/Parse.h"

namespace {

constexpr double kAntennaRadius = 0.0975;
// Written out rather than squared at run time: the reduction has always
// used this value.
constexpr double kAntennaRadiusSquared = 0.00950625;

}  // namespace

void SetNumber(CString& field, LPCTSTR format, double value) {
    if (std::isfinite(value))
        field.Format(format, value);
    else
        field.Empty();
}

double SlantToVertical(double slant, double antennaConst) {
    return std::sqrt(slant * slant - kAntennaRadiusSquared) + antennaConst;
}

BOOL RefuseSlantHeight(CWnd* pDialog, double slant) {
    if (slant >= kAntennaRadius) return FALSE;
    pDialog->MessageBox(L"斜高不能小于0.0975米,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
    return TRUE;
}
