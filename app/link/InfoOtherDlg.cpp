#include "app/link/InfoOtherDlg.h"

#include "res/resource.h"

BOOL CInfoOtherDlg::OnInitDialog() {
    CInfoPage::OnInitDialog();
    int start = 0;
    for (int k = 0; k < kLines && start <= m_strText.GetLength(); ++k) {
        int end = m_strText.Find(L'\n', start);
        if (end < 0) end = m_strText.GetLength();
        SetDlgItemText(IDC_INFO_LINE1 + k, m_strText.Mid(start, end - start));
        start = end + 1;
    }
    return TRUE;
}
