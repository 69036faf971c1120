#include "app/libraries/OverLimitPromptDlg.h"

#include "res/resource.h"

COverLimitPromptDlg::COverLimitPromptDlg(CWnd* pParent) : CDialog(IDD_OVER_LIMIT_PROMPT, pParent) {}

void COverLimitPromptDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OVER_LIMIT_TEXT, m_strText);
}
