#include "app/jobs/NewJobDlg.h"

#include "app/DeviceFiles.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CNewJobDlg, CDialog)
ON_EN_CHANGE(IDC_NEW_JOB_NAME, OnChangeJobName)
END_MESSAGE_MAP()

CNewJobDlg::CNewJobDlg(CWnd* pParent) : CDialog(IDD_NEW_JOB, pParent) {
    const CString root = g_pDoc ? g_pDoc->m_strProgramRoot : CString(L"\\Flash Disk");
    m_strJobPath.Format(L"%s\\Jobs\\", root.GetString());
}

void CNewJobDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_NEW_JOB_WIZARD, m_nMode);
    DDX_Text(pDX, IDC_NEW_JOB_NAME, m_strJobName);
    DDX_Text(pDX, IDC_NEW_JOB_PATH, m_strJobPath);
}

BOOL CNewJobDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CNewJobDlg::UpdateIniPath() {
    m_strIniPath = m_strJobPath + m_strJobName + L"\\" + m_strJobName + L".ini";
}

void CNewJobDlg::OnChangeJobName() {
    UpdateData(TRUE);
    UpdateIniPath();
}

void CNewJobDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (!IsValidJobName(m_strJobName)) {
        MessageBox(L"作业名称无效,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
        GetDlgItem(IDC_NEW_JOB_NAME)->SetFocus();
        return;
    }
    UpdateIniPath();
    EndDialog(IDOK);
}

BOOL IsValidJobName(const CString& strName) {
    CString trimmed = strName;
    trimmed.Trim();
    return !trimmed.IsEmpty() && IsValidFileName(strName);
}
