#include "app/coordsys/InputGeodeticDlg.h"

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CInputGeodeticDlg, CDialog)
ON_BN_CLICKED(IDC_GEO_LIBRARY, OnPickFromLibrary)
END_MESSAGE_MAP()

CInputGeodeticDlg::CInputGeodeticDlg(CWnd* pParent) : CDialog(IDD_INPUT_GEODETIC, pParent) {}

void CInputGeodeticDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GEO_LIBRARY, m_btnLibrary);
    DDX_Text(pDX, IDC_GEO_LAT, m_dLat);
    DDX_Text(pDX, IDC_GEO_LON, m_dLon);
    DDX_Text(pDX, IDC_GEO_HEIGHT, m_dHeight);
}

BOOL CInputGeodeticDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnLibrary, this, IDI_PICK_LIBRARY);
    CenterWindow();
    return TRUE;
}

void CInputGeodeticDlg::OnPickFromLibrary() {
    CLatLonCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    m_dLat = ReadNumber(dlg.m_strPickLat);
    m_dLon = ReadNumber(dlg.m_strPickLon);
    m_dHeight = ReadNumber(dlg.m_strPickHeight);
    UpdateData(FALSE);
}

void CInputGeodeticDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_dLat != 0.0 && m_dLon != 0.0) {
        EndDialog(IDOK);
        return;
    }
    if (MessageBox(L"纬度或经度为零,确定吗?", L"提示", MB_YESNO | MB_ICONQUESTION) == IDYES)
        EndDialog(IDOK);
}
