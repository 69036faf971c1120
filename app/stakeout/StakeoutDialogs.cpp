#include "app/stakeout/StakeoutDialogs.h"

#include "res/resource.h"

BOOL CheckPromptRange(CDialog& dialog, double minimum, double maximum) {
    LPCTSTR message = nullptr;
    if (minimum < 0.0 || maximum < 0.0)
        message = L"最大值和最小值不能小于0!";
    else if (maximum < minimum)
        message = L"最大值不能小于最小值!";
    if (message == nullptr) return TRUE;
    dialog.MessageBox(message);
    dialog.GotoDlgCtrl(dialog.GetDlgItem(IDC_SOSET_MIN));
    return FALSE;
}

namespace {

void EnableCount(CDialog& dialog, int checkId) {
    if (CWnd* combo = dialog.GetDlgItem(IDC_SOSET_COUNT))
        combo->EnableWindow(dialog.IsDlgButtonChecked(checkId) == BST_CHECKED);
}

}  // namespace

// ---- CStakeoutSetDlg ----

CStakeoutSetDlg::CStakeoutSetDlg(CWnd* pParent) : CDialog(IDD_STAKEOUT_SET, pParent) {}

BEGIN_MESSAGE_MAP(CStakeoutSetDlg, CDialog)
ON_BN_CLICKED(IDC_SOSET_SHOW_RECORDED, OnShowRecorded)
END_MESSAGE_MAP()

void CStakeoutSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_SOSET_SHOW_ALL, m_bShowAll);
    DDX_Check(pDX, IDC_SOSET_SHOW_RECORDED, m_bShowRecorded);
    DDX_Check(pDX, IDC_SOSET_SOUND, m_bSound);
    DDX_Text(pDX, IDC_SOSET_MAX, m_dMax);
    DDX_Text(pDX, IDC_SOSET_MIN, m_dMin);
    DDX_CBString(pDX, IDC_SOSET_COUNT, m_strCount);
}

BOOL CStakeoutSetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    EnableCount(*this, IDC_SOSET_SHOW_RECORDED);
    return TRUE;
}

void CStakeoutSetDlg::OnShowRecorded() {
    UpdateData(TRUE);
    EnableCount(*this, IDC_SOSET_SHOW_RECORDED);
}

void CStakeoutSetDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (!CheckPromptRange(*this, m_dMin, m_dMax)) return;
    EndDialog(IDOK);
}

// ---- CStakePromptDlg ----

CStakePromptDlg::CStakePromptDlg(CWnd* pParent) : CDialog(IDD_STAKE_PROMPT, pParent) {}

void CStakePromptDlg::SetPoint(const PointRecord& p) {
    m_strName = p.strName;
    m_strX.Format(L"%.4f", p.dX);
    m_strY.Format(L"%.4f", p.dY);
    m_strH.Format(L"%.3f", p.dH);
    m_strCode = p.strCode;
}

void CStakePromptDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SOPROMPT_CODE, m_strCode);
    DDX_Text(pDX, IDC_SOPROMPT_H, m_strH);
    DDX_Text(pDX, IDC_SOPROMPT_NAME, m_strName);
    DDX_Text(pDX, IDC_SOPROMPT_X, m_strX);
    DDX_Text(pDX, IDC_SOPROMPT_Y, m_strY);
    DDX_Text(pDX, IDC_SOPROMPT_QUESTION, m_strQuestion);
    DDX_Text(pDX, IDC_SOPROMPT_LABEL, m_strLabel);
}

BOOL CStakePromptDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

// ---- CStakeFindPointDlg ----

CStakeFindPointDlg::CStakeFindPointDlg(CWnd* pParent) : CDialog(IDD_STAKE_FIND_POINT, pParent) {}

BEGIN_MESSAGE_MAP(CStakeFindPointDlg, CDialog)
ON_BN_CLICKED(IDC_SOFIND_FIND, OnFind)
END_MESSAGE_MAP()

void CStakeFindPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SOPROMPT_CODE, m_strCode);
    DDX_Text(pDX, IDC_SOFIND_TEXT, m_strFind);
    DDX_Text(pDX, IDC_SOPROMPT_H, m_dH);
    DDX_Text(pDX, IDC_SOPROMPT_NAME, m_strName);
    DDX_Text(pDX, IDC_SOFIND_PATH, m_strPath);
    DDX_Text(pDX, IDC_SOPROMPT_X, m_dX);
    DDX_Text(pDX, IDC_SOPROMPT_Y, m_dY);
}

BOOL CStakeFindPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    return TRUE;
}

void CStakeFindPointDlg::OnFind() {
    if (!UpdateData(TRUE)) return;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const PointRecord& p = m_points[i];
        if (p.strName.Compare(m_strFind) != 0) continue;
        MessageBox(L"查找点成功");
        m_strName = p.strName;
        m_strCode = p.strCode;
        m_dX = p.dX;
        m_dY = p.dY;
        m_dH = p.dH;
        m_nFound = static_cast<int>(i);
        GetDlgItem(IDOK)->EnableWindow(TRUE);
        UpdateData(FALSE);
        return;
    }
    MessageBox(L"点不在放样坐标库中");
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    m_strName.Empty();
    m_strCode.Empty();
    m_dX = m_dY = m_dH = 0.0;
    UpdateData(FALSE);
}

// ---- CLineStakeoutSetDlg ----

CLineStakeoutSetDlg::CLineStakeoutSetDlg(CWnd* pParent) : CDialog(IDD_LINE_STAKEOUT_SET, pParent) {}

BEGIN_MESSAGE_MAP(CLineStakeoutSetDlg, CDialog)
ON_BN_CLICKED(IDC_LSOSET_SHOW_RECORDED, OnShowRecorded)
END_MESSAGE_MAP()

void CLineStakeoutSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SOSET_MIN, m_dMinPrompt);
    DDX_Text(pDX, IDC_SOSET_MAX, m_dMaxPrompt);
    DDX_Check(pDX, IDC_SOSET_SOUND, m_nSoundPrompt);
    DDX_Check(pDX, IDC_LSOSET_SHOW_RECORDED, m_nShowRecordLayoutPoint);
    DDX_Check(pDX, IDC_LSOSET_PLUMB, m_nShowPlumb);
    DDX_Check(pDX, IDC_LSOSET_SHOW_ALL, m_nShowAllLayoutLine);
    DDX_CBString(pDX, IDC_SOSET_COUNT, m_strCount);
    DDX_Text(pDX, IDC_LSOSET_INT_MILEAGE, m_dIntMileage);
    DDX_Check(pDX, IDC_LSOSET_INT_PROMPT, m_nIntMilPrompt);
}

BOOL CLineStakeoutSetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    EnableCount(*this, IDC_LSOSET_SHOW_RECORDED);
    return TRUE;
}

void CLineStakeoutSetDlg::OnShowRecorded() {
    UpdateData(TRUE);
    EnableCount(*this, IDC_LSOSET_SHOW_RECORDED);
}

void CLineStakeoutSetDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (!CheckPromptRange(*this, m_dMinPrompt, m_dMaxPrompt)) return;
    EndDialog(IDOK);
}

// ---- CLineStakeoutPromptDlg ----

CLineStakeoutPromptDlg::CLineStakeoutPromptDlg(CWnd* pParent)
    : CDialog(IDD_LINE_STAKEOUT_PROMPT, pParent) {}

void CLineStakeoutPromptDlg::SetLine(const PointRecord& start, const PointRecord& end,
                                     double chainage) {
    m_strStartName = start.strName;
    m_dStartX = start.dX;
    m_dStartY = start.dY;
    m_dStartH = start.dH;
    m_strStartCode = start.strCode;
    m_strEndName = end.strName;
    m_dEndX = end.dX;
    m_dEndY = end.dY;
    m_dEndH = end.dH;
    m_strEndCode = end.strCode;
    m_dChainage = chainage;
}

void CLineStakeoutPromptDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SOPROMPT_QUESTION, m_strMessage);
    DDX_Text(pDX, IDC_SOPROMPT_LABEL, m_strSubTitle);
    DDX_Text(pDX, IDC_LSOPROMPT_START_NAME, m_strStartName);
    DDX_Text(pDX, IDC_LSOPROMPT_START_X, m_dStartX);
    DDX_Text(pDX, IDC_LSOPROMPT_START_Y, m_dStartY);
    DDX_Text(pDX, IDC_LSOPROMPT_START_H, m_dStartH);
    DDX_Text(pDX, IDC_LSOPROMPT_START_CODE, m_strStartCode);
    DDX_Text(pDX, IDC_LSOPROMPT_END_NAME, m_strEndName);
    DDX_Text(pDX, IDC_LSOPROMPT_END_X, m_dEndX);
    DDX_Text(pDX, IDC_LSOPROMPT_END_Y, m_dEndY);
    DDX_Text(pDX, IDC_LSOPROMPT_END_H, m_dEndH);
    DDX_Text(pDX, IDC_LSOPROMPT_END_CODE, m_strEndCode);
    DDX_Text(pDX, IDC_LSOPROMPT_CHAINAGE, m_dChainage);
}

BOOL CLineStakeoutPromptDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}
