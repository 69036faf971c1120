#include "app/setup/RoverAntHeightDlg.h"

#include "app/VendropDoc.h"
#include "res/resource.h"

namespace {

// The antenna's radius: the slant height reaches its rim.
constexpr double kAntennaRadius = 0.0975;

}  // namespace

CRoverAntHeightDlg::CRoverAntHeightDlg(CWnd* pParent) : CDialog(IDD_ROVER_ANT_HEIGHT, pParent) {}

BOOL CRoverAntHeightDlg::OnInitDialog() {
    if (g_pDoc) {
        const SystemParams& p = g_pDoc->m_sysParams;
        m_szdSourceAntHgt = p.szdSourceAntHgt;
        m_nAntHgtType = p.nAntHgtType;
        m_nUseAntHgt = p.nUseAntHgt;
    }
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CRoverAntHeightDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ANT_HEIGHT, m_szdSourceAntHgt);
    DDX_Radio(pDX, IDC_ANT_VERTICAL, m_nAntHgtType);
    DDX_Check(pDX, IDC_ANT_SHOW_REAL, m_nUseAntHgt);
}

void CRoverAntHeightDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nAntHgtType == 1 && m_szdSourceAntHgt < kAntennaRadius) {
        MessageBox(L"斜高不能小于0.0975米,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
        GotoDlgCtrl(GetDlgItem(IDC_ANT_HEIGHT));
        return;
    }
    EndDialog(IDOK);
}
