#include "app/jobs/DataFileDlgs.h"

#include "res/resource.h"

namespace {

void RefuseName(CWnd* pDialog) {
    pDialog->MessageBox(L"文件名中含有非法字符,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

BOOL HoldsSettingsSeparator(const CString& strPath) {
    return strPath.Mid(strPath.ReverseFind(L'\\') + 1).FindOneOf(L"[]=") >= 0;
}

void CDataFileSaveDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (HoldsSettingsSeparator(m_strFileName)) {
        RefuseName(this);
        GetDlgItem(IDC_FILE_SAVE_NAME)->SetFocus();
        return;
    }
    CFileSaveDlg::OnOK();
}

void CDataFileOpenDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (HoldsSettingsSeparator(m_strPathName)) {
        RefuseName(this);
        return;
    }
    CFileOpenDlg::OnOK();
}
