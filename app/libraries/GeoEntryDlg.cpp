#include "app/libraries/GeoEntryDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "res/resource.h"

CAddGeoCoordDlg::CAddGeoCoordDlg(CWnd* pParent) : CGeoEntryDlg(IDD_ADD_GEO_COORD, pParent) {}

CEditGeoCoordDlg::CEditGeoCoordDlg(CWnd* pParent) : CGeoEntryDlg(IDD_EDIT_GEO_COORD, pParent) {}

void CGeoEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_GEO_NAME, m_strName);
    DDX_Text(pDX, IDC_GEO_LAT, m_strLat);
    DDX_Text(pDX, IDC_GEO_LON, m_strLon);
    DDX_Text(pDX, IDC_GEO_HEIGHT, m_strHeight);
    DDX_Text(pDX, IDC_GEO_CODE, m_strCode);
}

BOOL CGeoEntryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CGeoEntryDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this,
                                   {&m_strName, &m_strLat, &m_strLon, &m_strHeight, &m_strCode}))
        return;
    EndDialog(IDOK);
}
