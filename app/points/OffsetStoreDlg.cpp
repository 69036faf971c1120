#include "app/points/OffsetStoreDlg.h"

#include <cmath>

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/points/DocStorePoint.h"
#include "app/shell/VendropDoc.h"
#include "platform/resources/Resources.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(COffsetStoreDlg, CDialog)
ON_BN_CLICKED(IDC_OFFSET_PICK, OnPickRefPoint)
ON_BN_CLICKED(IDC_OFFSET_REF_NORTH, OnRefNorth)
ON_BN_CLICKED(IDC_OFFSET_REF_POINT, OnRefPoint)
END_MESSAGE_MAP()

COffsetStoreDlg::COffsetStoreDlg(CWnd* pParent) : CDialog(IDD_OFFSET_STORE, pParent) {
    m_hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

void COffsetStoreDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OFFSET_PICK, m_btnPick);
    DDX_Text(pDX, IDC_OFFSET_REF_NAME, m_strRefName);
    DDX_Text(pDX, IDC_STORE_ANT_HEIGHT, m_dAntHeight);
    DDX_Text(pDX, IDC_STORE_CODE, m_strCode);
    DDX_Text(pDX, IDC_OFFSET_ANGLE, m_dAngle);
    DDX_Text(pDX, IDC_OFFSET_DISTANCE, m_dDistance);
    DDX_Text(pDX, IDC_STORE_NAME, m_strName);
    DDX_Text(pDX, IDC_OFFSET_VERTICAL, m_dVertical);
    DDX_Text(pDX, IDC_OFFSET_HRMS, m_dHrms);
    DDX_Text(pDX, IDC_OFFSET_VRMS, m_dVrms);
    DDX_Radio(pDX, IDC_OFFSET_REF_NORTH, m_nRefDirection);
    DDX_Text(pDX, IDC_OFFSET_STATUS, m_strStatus);
}

BOOL COffsetStoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_bStored = 0;
    coordsys::SetUpPickButton(m_btnPick, this, IDI_PICK_LIBRARY);
    const CVendropDoc& doc = *g_pDoc;
    m_strName = doc.m_strNextPointName;
    m_strCode = doc.m_strPointCode;
    m_dAntHeight = doc.m_dPointAntHeight;
    m_dHrms = doc.m_storeFix.dHrms;
    m_dVrms = doc.m_storeFix.dVrms;
    if (m_bCodeIsName) m_strCode = m_strName;
    UpdateData(FALSE);
    return TRUE;
}

void COffsetStoreDlg::OnRefNorth() {
    m_nRefDirection = 0;
}

void COffsetStoreDlg::OnRefPoint() {
    m_nRefDirection = 1;
}

void COffsetStoreDlg::OnPickRefPoint() {
    // What was typed meanwhile stays in the fields.
    UpdateData(TRUE);
    CCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    CVendropDoc& doc = *g_pDoc;
    m_strRefName = dlg.m_strPickName;
    m_dRefN = ReadNumber(dlg.m_strPickNorth);
    m_dRefE = ReadNumber(dlg.m_strPickEast);
    doc.m_dOffsetRefN = doc.m_dOffsetRefX = m_dRefN;
    doc.m_dOffsetRefE = doc.m_dOffsetRefY = m_dRefE;
    m_nRefDirection = 1;
    UpdateData(FALSE);
}

// Only the grid position moves: the .RTK line keeps the latitude and
// longitude of where the surveyor stood, with the offset in its suffix.
void COffsetStoreDlg::MoveStoreFix() {
    CVendropDoc& doc = *g_pDoc;
    SurveyRecord& fix = doc.m_storeFix;
    const double n0 = fix.dX, e0 = fix.dY;
    const double towardsRef = std::atan2(doc.m_dOffsetRefE - e0, doc.m_dOffsetRefN - n0);
    const double angle = CCoordTransform::ConvertDmsRadian(m_dAngle, 1);
    const double direction = m_nRefDirection == 0 ? angle : towardsRef + angle;
    fix.dX = n0 + m_dDistance * std::cos(direction);
    fix.dY = e0 + m_dDistance * std::sin(direction);
    fix.dGridH += m_dVertical;
}

void COffsetStoreDlg::OnOK() {
    CVendropDoc& doc = *g_pDoc;
    if (doc.m_storeFix.dHrms > doc.m_sysParams.dRmshLimit ||
        doc.m_storeFix.dVrms > doc.m_sysParams.dRmsvLimit) {
        if (MessageBox(LoadText(IDS_STRING61756), LoadText(IDS_STRING61314),
                       MB_YESNO | MB_ICONQUESTION) == IDNO)
            return;
    }
    // Text that is not a number has had its prompt: nothing is stored.
    if (!UpdateData(TRUE)) return;
    if (m_bCodeIsName) m_strCode = m_strName;
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strCode})) return;
    doc.m_strPointName = m_strName;
    doc.m_strPointCode = m_strCode;
    doc.m_dPointAntHeight = m_dAntHeight;
    doc.m_nOffsetRefMode = m_nRefDirection;
    doc.m_dOffsetDistance = m_dDistance;
    doc.m_dOffsetAngle = m_dAngle;
    doc.m_dVerticalOffset = m_dVertical;
    doc.m_fOffsetDistance = static_cast<float>(m_dDistance);
    doc.m_fOffsetAngle = static_cast<float>(m_dAngle);
    doc.m_fVerticalOffset = static_cast<float>(m_dVertical);
    const SurveyRecord standing = doc.m_storeFix;
    MoveStoreFix();
    // A failed write has had its box once; the dialog ends unstored, so a
    // second OK cannot move the point again.
    if (!points::WriteStoredPoint(doc, this, FALSE)) {
        doc.m_storeFix = standing;
        EndDialog(IDCANCEL);
        return;
    }
    m_bStored = 1;
    EndDialog(IDOK);
}
