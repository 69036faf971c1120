#include "app/link/InfoPage.h"

#include "geodesy/CoordTransform.h"

CString CInfoPage::Fixed4(double value) {
    CString text;
    text.Format(L"%.4f", value);
    return text;
}

CString CInfoPage::Angle(double degrees) {
    CString text;
    return CCoordTransform::FormatAngleDMS(text, degrees * CCoordTransform::kDeg);
}
