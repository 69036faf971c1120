#include "app/setup/StorageSetDlg.h"

#include "app/DeviceFiles.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CStorageSetDlg::CStorageSetDlg(CWnd* pParent) : CDialog(IDD_STORAGE_SET, pParent) {}

BOOL CStorageSetDlg::OnInitDialog() {
    if (g_pDoc) {
        m_szSFName = g_pDoc->m_sysParams.szSFName;
        m_strDataDir = g_pDoc->m_strDataDir;
        m_nSFStartID = g_pDoc->m_sysParams.nSFStartID;
        m_nSFNameMode = g_pDoc->m_sysParams.nSFNameMode;
    }
    CDialog::OnInitDialog();
    ShowWindow(SW_SHOWMAXIMIZED);
    return TRUE;
}

void CStorageSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STORAGE_FILE_NAME, m_szSFName);
    DDX_Text(pDX, IDC_STORAGE_PATH, m_strDataDir);
    DDX_Text(pDX, IDC_STORAGE_LINE_NUMBER, m_nSFStartID);
    DDX_Radio(pDX, IDC_STORAGE_NAME_STANDARD, m_nSFNameMode);
}

void CStorageSetDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (!IsValidFileName(m_szSFName)) {
        MessageBox(L"文件名中含有非法字符,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
        GotoDlgCtrl(GetDlgItem(IDC_STORAGE_FILE_NAME));
        return;
    }
    EndDialog(IDOK);
}
