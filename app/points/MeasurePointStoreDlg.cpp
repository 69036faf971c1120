#include "app/points/MeasurePointStoreDlg.h"

#include <algorithm>

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMeasurePointStoreDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CMeasurePointStoreDlg::CMeasurePointStoreDlg(CWnd* pParent)
    : CDialog(IDD_MEASURE_POINT_STORE, pParent) {}

void CMeasurePointStoreDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STORE_NAME, m_strName);
    DDX_Text(pDX, IDC_STORE_CODE, m_strCode);
    DDX_Text(pDX, IDC_STORE_ANT_HEIGHT, m_dAntHeight);
    DDX_Radio(pDX, IDC_STORE_VERTICAL, m_nAntHeightType);
    DDX_Text(pDX, IDC_STORE_X, m_dX);
    DDX_Text(pDX, IDC_STORE_Y, m_dY);
    DDX_Text(pDX, IDC_STORE_H, m_dH);
    DDX_Text(pDX, IDC_STORE_DIFF_X, m_dDiffX);
    DDX_Text(pDX, IDC_STORE_DIFF_Y, m_dDiffY);
    DDX_Text(pDX, IDC_STORE_DIFF_H, m_dDiffH);
    DDX_Text(pDX, IDC_STORE_HRMS, m_dHrms);
    DDX_Text(pDX, IDC_STORE_VRMS, m_dVrms);
    DDX_Text(pDX, IDC_STORE_STATUS, m_strStatusShown);
}

BOOL CMeasurePointStoreDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    CVendropDoc& doc = *g_pDoc;
    // A count below 1 (a hand-edited .ini) smooths over one epoch. Epochs
    // of a cancelled run never reach this point.
    m_nEpochs = std::max(1, doc.m_nSmoothEpochs);
    doc.m_fileWriter.m_smoothEpochs.RemoveAll();
    m_nRemaining = doc.m_sysParams.nSaveType == 2 ? m_nEpochs : 0;
    m_bStored = 0;
    if (doc.m_nStakeMode == 0) m_strName = doc.m_strNextPointName;
    m_nAntHeightType = doc.m_sysParams.nAntHgtType;
    m_dAntHeight = doc.m_sysParams.szdSourceAntHgt;
    m_strCode = doc.m_strPointCode;
    m_dX = doc.m_storeFix.dX;
    m_dY = doc.m_storeFix.dY;
    m_dH = doc.m_storeFix.dGridH;
    m_dHrms = doc.m_storeFix.dHrms;
    m_dVrms = doc.m_storeFix.dVrms;
    if (m_bCodeIsName) m_strCode = m_strName;
    m_strStatusShown = m_strStatus;
    m_countdownFont.CreateFont(16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"system");
    if (CWnd* countdown = GetDlgItem(IDC_STORE_COUNTDOWN)) countdown->SetFont(&m_countdownFont);
    UpdateData(FALSE);
    SetTimer(kSmoothTimer, 1000, nullptr);
    return TRUE;
}

void CMeasurePointStoreDlg::OnTimer(UINT_PTR nIDEvent) {
    const CVendropDoc& doc = *g_pDoc;
    if (nIDEvent == kSmoothTimer && m_nRemaining > 0 && doc.m_bSmoothStore && doc.m_bGgaSeen)
        TakeEpoch(m_nEpochs);
    CDialog::OnTimer(nIDEvent);
}

// One epoch: the current fix as received goes to the writer's list with its
// storage values; m_storeFix keeps the running mean of x, y and h and the
// newest epoch's other fields.
void CMeasurePointStoreDlg::TakeEpoch(int n) {
    CVendropDoc& doc = *g_pDoc;
    const int r = m_nRemaining;
    doc.m_nSmoothRemaining = r;
    const SurveyRecord epochFix = doc.m_curFix;
    doc.m_storeFix = epochFix;
    doc.m_storeFix.nStoreKind = 3;
    doc.m_storeFix.nSmoothTotal = n;
    doc.m_storeFix.nSmoothIndex = n - r + 1;
    doc.m_fileWriter.m_smoothEpochs.Add(doc.m_storeFix);
    doc.m_nSmoothCount = n;
    CString caption;
    caption.Format(L"%s(%d)...", LoadText(IDS_STRING61299).GetString(), r);
    SetWindowText(caption);
    CString count;
    count.Format(L"#%d", r);
    ShowCountdown(count);
    doc.m_bGgaSeen = 0;
    const double x = epochFix.dX, y = epochFix.dY, h = epochFix.dGridH;
    m_dSumX += x;
    m_dSumY += y;
    m_dSumH += h;
    if (r == n) {
        m_dMinX = m_dMaxX = x;
        m_dMinY = m_dMaxY = y;
        m_dMinH = m_dMaxH = h;
    } else {
        m_dMinX = std::min(m_dMinX, x), m_dMaxX = std::max(m_dMaxX, x);
        m_dMinY = std::min(m_dMinY, y), m_dMaxY = std::max(m_dMaxY, y);
        m_dMinH = std::min(m_dMinH, h), m_dMaxH = std::max(m_dMaxH, h);
    }
    m_nRemaining = r - 1;
    m_dDiffX = m_dMaxX - m_dMinX;
    m_dDiffY = m_dMaxY - m_dMinY;
    m_dDiffH = m_dMaxH - m_dMinH;
    const double taken = n - m_nRemaining;
    doc.m_storeFix.dX = m_dX = m_dSumX / taken;
    doc.m_storeFix.dY = m_dY = m_dSumY / taken;
    doc.m_storeFix.dGridH = m_dH = m_dSumH / taken;
    ShowFigures();
    if (m_nRemaining == 0) {
        KillTimer(kSmoothTimer);
        SetWindowText(LoadText(IDS_STRING61300));
        ShowCountdown(L"OK");
    }
}

// The countdown in its own bold face at the top right.
void CMeasurePointStoreDlg::ShowCountdown(const CString& text) {
    SetDlgItemText(IDC_STORE_COUNTDOWN, text);
    if (CWnd* countdown = GetDlgItem(IDC_STORE_COUNTDOWN)) countdown->UpdateWindow();
}

// Only the read-only figures: what the surveyor is typing meanwhile stays.
void CMeasurePointStoreDlg::ShowFigures() {
    const std::pair<int, double> figures[] = {
        {IDC_STORE_X, m_dX},          {IDC_STORE_Y, m_dY},          {IDC_STORE_H, m_dH},
        {IDC_STORE_DIFF_X, m_dDiffX}, {IDC_STORE_DIFF_Y, m_dDiffY}, {IDC_STORE_DIFF_H, m_dDiffH}};
    for (const auto& [id, value] : figures) {
        CString text;
        text.Format(L"%.15g", value);
        SetDlgItemText(id, text);
    }
}

BOOL CMeasurePointStoreDlg::PrecisionAccepted() {
    const CVendropDoc& doc = *g_pDoc;
    if (!(doc.m_storeFix.dHrms > doc.m_sysParams.dRmshLimit) &&
        !(doc.m_storeFix.dVrms > doc.m_sysParams.dRmsvLimit))
        return TRUE;
    return MessageBox(LoadText(IDS_STRING61756), LoadText(IDS_STRING61314),
                      MB_YESNO | MB_ICONQUESTION) != IDNO;
}

void CMeasurePointStoreDlg::OnOK() {
    // Text that is not a number has had its prompt: nothing is stored.
    if (!UpdateData(TRUE)) return;
    if (m_bCodeIsName) m_strCode = m_strName;
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strCode})) return;
    if (m_nAntHeightType == 1 && RefuseSlantHeight(this, m_dAntHeight)) return;
    if (m_nRemaining != 0) return;
    if (!PrecisionAccepted()) return;
    m_bStored = 1;
    CVendropDoc& doc = *g_pDoc;
    doc.m_sysParams.nAntHgtType = m_nAntHeightType;
    doc.m_sysParams.szdSourceAntHgt = m_dAntHeight;
    (void)doc.SaveSystemParams();  // its own box on failure; the point goes on
    if (m_nAntHeightType == 1) m_dAntHeight = SlantToVertical(m_dAntHeight, doc.m_dAntennaConst);
    UpdateData(FALSE);
    EndDialog(IDOK);
}
