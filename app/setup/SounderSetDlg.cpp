#include "app/setup/SounderSetDlg.h"

#include "res/resource.h"

namespace {

constexpr int kRates[] = {4800, 9600, 19200, 57600, 115200};
constexpr int kRateCount = 5;

}  // namespace

CSounderSetDlg::CSounderSetDlg(CWnd* pParent) : CDialog(IDD_SOUNDER_SET, pParent) {}

void CSounderSetDlg::FromSettings(const SystemParams& params) {
    m_nPort = params.SoundPort;
    m_bUse = params.SoundUse;
    m_nType = params.SoundType;
    m_nBaud = -1;
    for (int i = 0; i < kRateCount; ++i)
        if (kRates[i] == params.SoundBandrate) m_nBaud = i;
}

void CSounderSetDlg::ToSettings(SystemParams& params) const {
    params.SoundPort = m_nPort;
    params.SoundUse = m_bUse;
    params.SoundType = m_nType;
    if (m_nBaud >= 0 && m_nBaud < kRateCount) params.SoundBandrate = kRates[m_nBaud];
}

BOOL CSounderSetDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_SHOWMAXIMIZED);
    return TRUE;
}

void CSounderSetDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SOUNDER_PORT, m_nPort);
    DDX_CBIndex(pDX, IDC_SOUNDER_BAUD, m_nBaud);
    DDX_Check(pDX, IDC_SOUNDER_USE, m_bUse);
    DDX_CBIndex(pDX, IDC_SOUNDER_TYPE, m_nType);
}
