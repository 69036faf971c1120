#include "app/coordsys/AddCtrlPointSrcDlg.h"

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/coordsys/InputGeodeticDlg.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAddCtrlPointSrcDlg, CDialog)
ON_BN_CLICKED(IDC_SRC_FROM_LIBRARY, OnFromLibrary)
ON_BN_CLICKED(IDC_SRC_CURRENT_POINT, OnFromCurrentPoint)
ON_BN_CLICKED(IDC_SRC_BASE_STATION, OnFromBaseStation)
ON_BN_CLICKED(IDC_SRC_GEODETIC, OnFromGeodetic)
ON_BN_CLICKED(IDC_SRC_GEOCENTRIC, OnFromGeocentric)
END_MESSAGE_MAP()

CAddCtrlPointSrcDlg::CAddCtrlPointSrcDlg(CWnd* pParent)
    : CDialog(IDD_ADD_CTRL_POINT_SRC, pParent) {}

BOOL CAddCtrlPointSrcDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CAddCtrlPointSrcDlg::OnFromLibrary() {
    CCoordLibDlg dlg;
    dlg.SetMode(1);
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_dSrcX = ReadNumber(dlg.m_strPickNorth);
    m_dSrcY = ReadNumber(dlg.m_strPickEast);
    m_dSrcH = ReadNumber(dlg.m_strPickHeight);
    m_nSrcKind = 0;
    EndDialog(IDOK);
}

// The fix's grid block before the plane parameters and corrections.
void CAddCtrlPointSrcDlg::OnFromCurrentPoint() {
    if (g_pDoc) {
        m_dSrcX = g_pDoc->m_curFix.dProjX;
        m_dSrcY = g_pDoc->m_curFix.dProjY;
        m_dSrcH = g_pDoc->m_curFix.dProjH;
    }
    m_nSrcKind = 1;
    EndDialog(IDOK);
}

void CAddCtrlPointSrcDlg::OnFromBaseStation() {
    if (g_pDoc) {
        m_dSrcX = g_pDoc->m_coordParams.szdBaseX;
        m_dSrcY = g_pDoc->m_coordParams.szdBaseY;
        m_dSrcH = g_pDoc->m_coordParams.szdBaseH;
    }
    m_nSrcKind = 2;
    EndDialog(IDOK);
}

void CAddCtrlPointSrcDlg::OnFromGeodetic() {
    CInputGeodeticDlg dlg;
    if (dlg.DoModal() != IDOK || !g_pDoc) return;
    const double B = coordsys::PackedToRadians(dlg.m_dLat) * coordsys::kRadToDeg;
    const double L = coordsys::PackedToRadians(dlg.m_dLon) * coordsys::kRadToDeg;
    const CoordSysParams& p = g_pDoc->m_coordParams;
    CCoordTransform& engine = g_pDoc->m_coordTransform;
    engine.SetEllipsoid(p.szdDa, p.szdDf, p.szdTHigh);
    engine.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
    double x = 0.0;
    double y = 0.0;
    engine.TransverseMercatorForward(B, L, x, y);
    m_dSrcX = coordsys::RoundToMillimetres(x);
    m_dSrcY = coordsys::RoundToMillimetres(y);
    m_dSrcH = dlg.m_dHeight;
    m_nSrcKind = 3;
    EndDialog(IDOK);
}

// An entry of geocentric X, Y, Z has never been settled: the button stays
// without an action.
void CAddCtrlPointSrcDlg::OnFromGeocentric() {}
