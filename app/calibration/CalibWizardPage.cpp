#include "app/calibration/CalibWizardPage.h"

#include "app/InputRules.h"
#include "app/calibration/CalibMessages.h"
#include "app/calibration/Calibration.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCalibWizardPage, CDialog)
ON_BN_CLICKED(IDC_CALIB_PICK_LIBRARY, OnPickLibrary)
ON_BN_CLICKED(IDC_CALIB_PICK_PLAN, OnPickPlan)
END_MESSAGE_MAP()

namespace {

// A picked coordinate as the pages show it.
CString Text4(double value) {
    CString text;
    text.Format(L"%.4f", value);
    return text;
}

}  // namespace

CCalibWizardPage::CCalibWizardPage(UINT nIDTemplate, UINT nVerticalRadioId, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_nVerticalRadioId(nVerticalRadioId) {}

void CCalibWizardPage::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CALIB_PICK_LIBRARY, m_btnPickLibrary);
    DDX_Control(pDX, IDC_CALIB_PICK_PLAN, m_btnPickPlan);
    DDX_Text(pDX, IDC_CALIB_X, m_strX);
    DDX_Text(pDX, IDC_CALIB_Y, m_strY);
    DDX_Text(pDX, IDC_CALIB_H, m_strH);
    DDX_Text(pDX, IDC_CALIB_ANT_HEIGHT, m_strAntHeight);
    DDX_Radio(pDX, static_cast<int>(m_nVerticalRadioId), m_nAntType);
}

void CCalibWizardPage::OnOK() {}

void CCalibWizardPage::StylePictureButtons() {
    coordsys::SetUpPickButton(m_btnPickLibrary, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_btnPickPlan, this, IDI_PICK_PLAN);
}

void CCalibWizardPage::InitSlot(int slot, BOOL bPlaceholder) {
    CDialog::OnInitDialog();
    CVendropDoc& doc = *g_pDoc;
    StylePictureButtons();
    doc.m_bKnownEntryLoaded = 0;
    m_knowData.SetFileName(doc.m_strJobDir + L"knowdata.dat");
    m_knowData.Load();
    const int count = m_knowData.GetCount();
    if (bPlaceholder && count == 0) {
        m_knowData.Add(L"0", m_strX, m_strY, m_strH, m_strAntHeight);
        if (!m_knowData.Save()) ReportKnowDataNotSaved(m_hWnd);
    }
    if (count > slot) {
        CString name;
        m_knowData.GetAt(slot, name, m_strX, m_strY, m_strH, m_strAntHeight);
        doc.m_bKnownEntryLoaded = 1;
    }
    m_nAntType = doc.m_sysParams.nAdjustAntType;
    UpdateData(FALSE);
}

BOOL CCalibWizardPage::InputAccepted() {
    if (coordsys::RefuseSeparators(this, {&m_strX, &m_strY, &m_strH, &m_strAntHeight})) {
        return FALSE;
    }
    return m_nAntType != 1 || !RefuseSlantHeight(this, ReadNumber(m_strAntHeight));
}

void CCalibWizardPage::ConfirmSlot(int slot, BOOL bNext) {
    if (!UpdateData(TRUE) || !InputAccepted()) return;
    CVendropDoc& doc = *g_pDoc;

    CString name;
    name.Format(L"%d", slot);
    if (doc.m_bKnownEntryLoaded)
        m_knowData.SetAt(slot, name, m_strX, m_strY, m_strH, m_strAntHeight);
    else
        m_knowData.Add(name, m_strX, m_strY, m_strH, m_strAntHeight);
    if (!m_knowData.Save()) ReportKnowDataNotSaved(m_hWnd);

    doc.m_nCalibPointCount = slot + 1;
    CVendropDoc::KnownPoint& known = doc.m_calibKnown[slot];
    known.X = ReadNumber(m_strX);
    known.Y = ReadNumber(m_strY);
    known.H = ReadNumber(m_strH);
    const double antenna = ReadNumber(m_strAntHeight);
    known.dAntHeight = m_nAntType == 1 ? SlantToVertical(antenna, doc.m_dAntennaConst) : antenna;

    doc.m_coordParams.UseNum = slot;
    SaveCalibrationParams(doc);
    doc.m_bCalibNextStep = bNext;
    doc.m_sysParams.nAdjustAntType = m_nAntType;
    (void)doc.SaveSystemParams();  // a failure has had its box
    EndDialog(IDOK);
}

void CCalibWizardPage::OnPickLibrary() {
    CCoordLibDlg library;
    library.SetMode(1);
    if (library.DoModal() != IDOK || !library.m_bPicked) return;
    SetDlgItemText(IDC_CALIB_X, library.m_strPickNorth);
    SetDlgItemText(IDC_CALIB_Y, library.m_strPickEast);
    SetDlgItemText(IDC_CALIB_H, library.m_strPickHeight);
}

void CCalibWizardPage::OnPickPlan() {
    CPickPointDlg picker;
    picker.DoModal();
    PointRecord point;
    if (!picker.GetPickedPoint(point)) return;
    SetDlgItemText(IDC_CALIB_X, Text4(point.dX));
    SetDlgItemText(IDC_CALIB_Y, Text4(point.dY));
    SetDlgItemText(IDC_CALIB_H, Text4(point.dH));
}
