#include "app/libraries/LineEntryDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CLineEntryDlg, CDialog)
ON_BN_CLICKED(IDC_LN_START_LIBRARY, OnStartFromLibrary)
ON_BN_CLICKED(IDC_LN_END_LIBRARY, OnEndFromLibrary)
ON_BN_CLICKED(IDC_LN_START_PLAN, OnStartFromPlan)
ON_BN_CLICKED(IDC_LN_END_PLAN, OnEndFromPlan)
END_MESSAGE_MAP()

CAddLineDlg::CAddLineDlg(CWnd* pParent) : CLineEntryDlg(IDD_ADD_LINE, pParent) {
    m_strStartCode = m_strEndCode = L"00000000";
}

CEditLineDlg::CEditLineDlg(CWnd* pParent) : CLineEntryDlg(IDD_EDIT_LINE, pParent) {}

void CLineEntryDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LN_START_LIBRARY, m_btnStartLibrary);
    DDX_Control(pDX, IDC_LN_START_PLAN, m_btnStartPlan);
    DDX_Control(pDX, IDC_LN_END_LIBRARY, m_btnEndLibrary);
    DDX_Control(pDX, IDC_LN_END_PLAN, m_btnEndPlan);
    DDX_Text(pDX, IDC_LN_START_NAME, m_strStartName);
    DDX_Text(pDX, IDC_LN_START_NORTH, m_strStartNorth);
    DDX_Text(pDX, IDC_LN_START_EAST, m_strStartEast);
    DDX_Text(pDX, IDC_LN_START_HEIGHT, m_strStartHeight);
    DDX_Text(pDX, IDC_LN_START_CODE, m_strStartCode);
    DDX_Text(pDX, IDC_LN_END_NAME, m_strEndName);
    DDX_Text(pDX, IDC_LN_END_NORTH, m_strEndNorth);
    DDX_Text(pDX, IDC_LN_END_EAST, m_strEndEast);
    DDX_Text(pDX, IDC_LN_END_HEIGHT, m_strEndHeight);
    DDX_Text(pDX, IDC_LN_END_CODE, m_strEndCode);
    DDX_Text(pDX, IDC_LN_CHAINAGE, m_strChainage);
}

BOOL CLineEntryDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    coordsys::SetUpPickButton(m_btnStartLibrary, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnEndLibrary, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnStartPlan, this, IDI_PICK_PLAN);
    coordsys::SetUpPickButton(m_btnEndPlan, this, IDI_PICK_PLAN);
    CenterWindow();
    return TRUE;
}

// The held texts are redisplayed whole: what was typed since the last
// take-over is replaced.
void CLineEntryDlg::FromLibrary(CString* fields[5]) {
    CCoordLibDlg dlg(this);
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    *fields[0] = dlg.m_strPickName;
    *fields[1] = dlg.m_strPickNorth;
    *fields[2] = dlg.m_strPickEast;
    *fields[3] = dlg.m_strPickHeight;
    *fields[4] = dlg.m_strPickCode;
    UpdateData(FALSE);
}

void CLineEntryDlg::FromPlan(CString* fields[5]) {
    UpdateData(TRUE);
    CPickPointDlg dlg(this);
    PointRecord point;
    if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return;
    fields[0]->Format(L"%s", (LPCTSTR)point.strName);
    fields[1]->Format(L"%.4f", point.dX);
    fields[2]->Format(L"%.4f", point.dY);
    fields[3]->Format(L"%.4f", point.dH);
    fields[4]->Format(L"%s", (LPCTSTR)point.strCode);
    UpdateData(FALSE);
}

void CLineEntryDlg::OnStartFromLibrary() {
    CString* fields[5] = {&m_strStartName, &m_strStartNorth, &m_strStartEast, &m_strStartHeight,
                          &m_strStartCode};
    FromLibrary(fields);
}

void CLineEntryDlg::OnEndFromLibrary() {
    CString* fields[5] = {&m_strEndName, &m_strEndNorth, &m_strEndEast, &m_strEndHeight,
                          &m_strEndCode};
    FromLibrary(fields);
}

void CLineEntryDlg::OnStartFromPlan() {
    CString* fields[5] = {&m_strStartName, &m_strStartNorth, &m_strStartEast, &m_strStartHeight,
                          &m_strStartCode};
    FromPlan(fields);
}

void CLineEntryDlg::OnEndFromPlan() {
    CString* fields[5] = {&m_strEndName, &m_strEndNorth, &m_strEndEast, &m_strEndHeight,
                          &m_strEndCode};
    FromPlan(fields);
}

void CLineEntryDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(
            this, {&m_strStartName, &m_strStartNorth, &m_strStartEast, &m_strStartHeight,
                   &m_strStartCode, &m_strEndName, &m_strEndNorth, &m_strEndEast, &m_strEndHeight,
                   &m_strEndCode, &m_strChainage}))
        return;
    EndDialog(IDOK);
}
