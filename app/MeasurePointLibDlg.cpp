#include "app/MeasurePointLibDlg.h"

#include <string>

#include "app/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "res/resource.h"

CMeasurePointLibDlg::CMeasurePointLibDlg(CWnd* pParent) : CDialog(IDD_MEASURE_POINT_LIB, pParent) {}

BOOL CMeasurePointLibDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const CString path = g_pDoc ? g_pDoc->m_fileWriter.MeasuredPointPath() : CString();
    CFile file;
    if (!path.IsEmpty() && file.Open(path, CFile::modeRead)) {
        std::string bytes;
        char buffer[512];
        UINT got = 0;
        while ((got = file.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
        const CString text = quorvel::FromGbk(bytes.data(), bytes.size());
        int start = 0;
        for (int end = text.Find(L'\n'); end >= 0; start = end + 1, end = text.Find(L'\n', start)) {
            CString line = text.Mid(start, end - start);
            line.TrimRight(L'\r');
            const int comma = line.Find(L',');
            SendDlgItemMessage(
                IDC_POINT_LIB_LIST, LB_INSERTSTRING, 0,
                reinterpret_cast<LPARAM>((comma < 0 ? line : line.Left(comma)).GetString()));
        }
    }
    CenterWindow();
    return TRUE;
}
