#include "app/setup/InstrumentSetDlg.h"

#include "res/resource.h"

CInstrumentSetDlg::CInstrumentSetDlg(CWnd* pParent) : CDialog(IDD_INSTRUMENT_SET, pParent) {}

BOOL CInstrumentSetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CInstrumentSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_INSTRUMENT_DYNAMIC, m_nMode);
}
