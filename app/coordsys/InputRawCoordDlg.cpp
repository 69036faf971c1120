#include "app/coordsys/InputRawCoordDlg.h"

#include <cmath>

#include "app/VendropDoc.h"
#include "res/resource.h"

namespace {

// The antenna's radius squared: a slant height is measured to its rim.
constexpr double kRimSquared = 0.00950625;
constexpr double kShortestSlant = 0.0975;

}  // namespace

CInputRawCoordDlg::CInputRawCoordDlg(CWnd* pParent) : CDialog(IDD_INPUT_RAW_COORD, pParent) {}

void CInputRawCoordDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RAW_X, m_strX);
    DDX_Text(pDX, IDC_RAW_Y, m_strY);
    DDX_Text(pDX, IDC_RAW_H, m_dH);
    DDX_Text(pDX, IDC_RAW_ANT_HEIGHT, m_dAntHeight);
    DDX_Radio(pDX, IDC_RAW_VERTICAL, m_nHeightType);
}

BOOL CInputRawCoordDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // A library point or a typed position carries no antenna.
    if (m_nSrcKind == 0 || m_nSrcKind == 3) {
        GetDlgItem(IDC_RAW_ANT_HEIGHT)->EnableWindow(FALSE);
        GetDlgItem(IDC_RAW_VERTICAL)->EnableWindow(FALSE);
        GetDlgItem(IDC_RAW_SLANT)->EnableWindow(FALSE);
    }
    CenterWindow();
    return TRUE;
}

void CInputRawCoordDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nHeightType == 1) {
        if (!(m_dAntHeight >= kShortestSlant)) {
            MessageBox(L"斜高不能小于0.0975米,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
            return;
        }
        const double dConst = g_pDoc ? g_pDoc->m_dAntennaConst : 0.0;
        m_dAntHeight = std::sqrt(m_dAntHeight * m_dAntHeight - kRimSquared) + dConst;
    }
    UpdateData(FALSE);
    EndDialog(IDOK);
}
