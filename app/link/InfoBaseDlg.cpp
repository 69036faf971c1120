#include "app/link/InfoBaseDlg.h"

#include <cmath>

#include "app/link/RefPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "geodesy/CoordTransform.h"
#include "res/resource.h"

namespace {

constexpr double kNoBase = 1e-6;

}  // namespace

BEGIN_MESSAGE_MAP(CInfoBaseDlg, CInfoPage)
ON_BN_CLICKED(IDC_INFO_REF_CHECK, OnRefPointClicked)
END_MESSAGE_MAP()

BOOL CInfoBaseDlg::OnInitDialog() {
    CInfoPage::OnInitDialog();
    const int numbers[] = {IDC_INFO_BASE_HEIGHT, IDC_INFO_BASE_X,         IDC_INFO_BASE_Y,
                           IDC_INFO_BASE_H,      IDC_INFO_KNOWN_X,        IDC_INFO_KNOWN_Y,
                           IDC_INFO_KNOWN_H,     IDC_INFO_PLANE_DISTANCE, IDC_INFO_SPACE_DISTANCE};
    for (int id : numbers) SetDlgItemText(id, L"0.0000");
    return TRUE;
}

void CInfoBaseDlg::OnRefPointClicked() {
    m_bRefPoint = IsDlgButtonChecked(IDC_INFO_REF_CHECK) ? 1 : 0;
    if (!m_bRefPoint) return;
    CRefPointDlg dlg(this);
    if (dlg.DoModal() != IDOK) return;
    m_dRefNorth = dlg.m_dNorth;
    m_dRefEast = dlg.m_dEast;
    m_dRefHeight = dlg.m_dHeight;
}

void CInfoBaseDlg::Refresh() {
    ShowReferencePoint();
    const SurveyRecord& fix = g_pDoc->m_curFix;
    if (std::fabs(fix.dBaseLat) >= kNoBase && std::fabs(fix.dBaseLon) >= kNoBase) ShowBaseStation();
}

void CInfoBaseDlg::ShowReferencePoint() {
    if (!m_bRefPoint) {
        SetDlgItemText(IDC_INFO_REF_DISTANCE, L"");
        SetDlgItemText(IDC_INFO_REF_AZIMUTH, L"");
        return;
    }
    const SurveyRecord& fix = g_pDoc->m_curFix;
    double azimuth = 0.0;
    double distance = 0.0;
    CCoordTransform::CalcDistanceAzimuth(m_dRefNorth, m_dRefEast, fix.dX, fix.dY, azimuth,
                                         distance);
    SetDlgItemText(IDC_INFO_REF_DISTANCE, Fixed4(distance));
    SetDlgItemText(IDC_INFO_REF_AZIMUTH, Angle(azimuth));
}

void CInfoBaseDlg::ShowBaseStation() {
    const CVendropDoc* doc = g_pDoc;
    const SurveyRecord& fix = doc->m_curFix;
    const CoordSysParams& params = doc->m_coordParams;
    SetDlgItemText(IDC_INFO_BASE_LAT, Angle(fix.dBaseLat));
    SetDlgItemText(IDC_INFO_BASE_LON, Angle(fix.dBaseLon));
    SetDlgItemText(IDC_INFO_BASE_HEIGHT, Fixed4(fix.dBaseH));
    SetDlgItemText(IDC_INFO_BASE_X, Fixed4(params.szdBaseX));
    SetDlgItemText(IDC_INFO_BASE_Y, Fixed4(params.szdBaseY));
    SetDlgItemText(IDC_INFO_BASE_H, Fixed4(params.szdBaseH));
    const CVendropDoc::KnownPoint& known = doc->m_calibKnown[0];
    SetDlgItemText(IDC_INFO_KNOWN_X, Fixed4(known.X));
    SetDlgItemText(IDC_INFO_KNOWN_Y, Fixed4(known.Y));
    SetDlgItemText(IDC_INFO_KNOWN_H, Fixed4(known.H));
    double azimuth = 0.0;
    double distance = 0.0;
    CCoordTransform::CalcDistanceAzimuth(params.szdBaseX, params.szdBaseY, fix.dProjX, fix.dProjY,
                                         azimuth, distance);
    SetDlgItemText(IDC_INFO_PLANE_DISTANCE, Fixed4(distance));
    SetDlgItemText(IDC_INFO_PLANE_AZIMUTH, Angle(azimuth));
    SetDlgItemText(IDC_INFO_SPACE_DISTANCE, Fixed4(SpaceDistance()));
    CString format;
    if (!fix.strBaseId.IsEmpty()) format = fix.strDiffFormat + L"(" + fix.strBaseId + L")";
    SetDlgItemText(IDC_INFO_DIFF_FORMAT, format);
}

// The document's engine is borrowed for WGS84 and given back the job's
// ellipsoid afterwards.
double CInfoBaseDlg::SpaceDistance() const {
    CVendropDoc* doc = g_pDoc;
    const SurveyRecord& fix = doc->m_curFix;
    const CoordSysParams& params = doc->m_coordParams;
    CCoordTransform& engine = doc->m_coordTransform;
    engine.SetEllipsoid(CCoordTransform::kWgs84A, CCoordTransform::kWgs84InvF, params.szdTHigh);
    double bx = 0.0, by = 0.0, bz = 0.0;
    double fx = 0.0, fy = 0.0, fz = 0.0;
    engine.GeodeticToGeocentric(fix.dBaseLat, fix.dBaseLon, fix.dBaseH, bx, by, bz);
    engine.GeodeticToGeocentric(fix.dLat, fix.dLon, fix.dHeight, fx, fy, fz);
    engine.SetEllipsoid(params.szdDa, params.szdDf, params.szdTHigh);
    return std::sqrt((bx - fx) * (bx - fx) + (by - fy) * (by - fy) + (bz - fz) * (bz - fz));
}
