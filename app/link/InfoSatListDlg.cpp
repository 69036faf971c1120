#include "app/link/InfoSatListDlg.h"

#include "res/resource.h"

namespace {

constexpr int kColumnWidth = 50;

BOOL SameSatellite(const SatelliteInfo& a, const SatelliteInfo& b) {
    return a.nPrn == b.nPrn && a.nElevation == b.nElevation && a.nAzimuth == b.nAzimuth &&
           a.nSnr == b.nSnr;
}

CString Number(LPCTSTR format, int value) {
    CString text;
    text.Format(format, value);
    return text;
}

}  // namespace

void CInfoSatListDlg::DoDataExchange(CDataExchange* pDX) {
    CInfoPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_INFO_SAT_LIST, m_list);
}

BOOL CInfoSatListDlg::OnInitDialog() {
    CInfoPage::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT |
                            LVS_EX_HEADERDRAGDROP);
    m_images.Create(IDB_SAT_NO_SNR, 16, 1, RGB(255, 255, 255));
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    const UINT titles[4] = {IDS_STRING61431, IDS_STRING61432, IDS_STRING61433, IDS_STRING61434};
    for (int i = 0; i < 4; ++i) {
        CString title;
        title.LoadString(titles[i]);
        m_list.InsertColumn(i, title, LVCFMT_CENTER, kColumnWidth);
    }
    return TRUE;
}

void CInfoSatListDlg::Refresh() {
    BOOL same = TRUE;
    for (int i = 0; i < SurveyRecord::kMaxSatellites; ++i)
        same = same && SameSatellite(m_shown[i], m_record.sats[i]);
    if (same) return;
    for (int i = 0; i < SurveyRecord::kMaxSatellites; ++i) m_shown[i] = m_record.sats[i];
    m_list.DeleteAllItems();
    if (m_record.nSatsInView > SurveyRecord::kMaxSatellites) return;
    for (int i = 0; i < m_record.nSatsInView; ++i) {
        const SatelliteInfo& sat = m_shown[i];
        const int row = m_list.InsertItem(i, Number(L"%02d", sat.nPrn), 0);
        m_list.SetItemText(row, 1, Number(L"%02d", sat.nElevation));
        m_list.SetItemText(row, 2, Number(L"%03d", sat.nAzimuth));
        m_list.SetItemText(row, 3, Number(L"%02d", sat.nSnr));
    }
}
