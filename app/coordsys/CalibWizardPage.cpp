#include "app/coordsys/CalibWizardPage.h"

#include <cmath>

#include "app/VendropDoc.h"
#include "app/coordsys/CalibMessages.h"
#include "platform/base/Parse.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCalibWizardPage, CDialog)
ON_BN_CLICKED(IDC_CALIB_PICK_LIBRARY, OnPickLibrary)
ON_BN_CLICKED(IDC_CALIB_PICK_PLAN, OnPickPlan)
END_MESSAGE_MAP()

namespace {

double Number(const CString& text) {
    return wcstod_c(text.GetString(), nullptr);
}

// The characters that would shift the fields or lines of "knowdata.dat".
bool HoldsSeparator(const CString& text) {
    return text.str().find_first_of(L",[]=\r\n") != std::wstring::npos;
}

void StylePictureButton(COwnerDrawButton& button, CFont* font, int iconId) {
    button.SetFont(font);
    button.SetIcon(iconId, 28, 22);
    button.SetColor(COwnerDrawButton::BTNST_COLOR_BK_IN, GetSysColor(COLOR_BTNFACE) + 0x1E1E1E);
    button.SetColor(COwnerDrawButton::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
    button.SetAlign(COwnerDrawButton::ST_ALIGN_HORIZ_RIGHT);
    button.SetFlat(FALSE);
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
    StylePictureButton(m_btnPickLibrary, GetFont(), IDI_PICK_LIBRARY);
    StylePictureButton(m_btnPickPlan, GetFont(), IDI_PICK_PLAN);
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
    if (HoldsSeparator(m_strX) || HoldsSeparator(m_strY) || HoldsSeparator(m_strH) ||
        HoldsSeparator(m_strAntHeight)) {
        MessageBox(calib_text::kSeparatorRefused, calib_text::kPromptCaption,
                   MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    // A NaN fails the comparison as well.
    if (m_nAntType == 1 && !(Number(m_strAntHeight) >= kAntennaRadius)) {
        MessageBox(calib_text::kSlantTooShort, calib_text::kPromptCaption,
                   MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    return TRUE;
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
    known.X = Number(m_strX);
    known.Y = Number(m_strY);
    known.H = Number(m_strH);
    const double antenna = Number(m_strAntHeight);
    known.dAntHeight = m_nAntType == 1
                           ? std::sqrt(antenna * antenna - kAntennaRadius2) + doc.m_dAntennaConst
                           : antenna;

    doc.m_coordParams.UseNum = slot;
    doc.SaveCoordParams();
    doc.m_bCalibNextStep = bNext;
    doc.m_sysParams.nAdjustAntType = m_nAntType;
    doc.SaveSystemParams();
    EndDialog(IDOK);
}

void CCalibWizardPage::OnPickLibrary() {
    // The coordinate library's picker arrives with the coordinate-system
    // dialogs.
}

void CCalibWizardPage::OnPickPlan() {}
