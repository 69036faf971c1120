#include "app/libraries/FindCoordDlg.h"

#include <algorithm>

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CFindPointDlg, CDialog)
ON_BN_CLICKED(IDC_FIND_GO, OnFind)
ON_LBN_SELCHANGE(IDC_FIND_LIST, OnSelChange)
END_MESSAGE_MAP()

CFindPointDlg::CFindPointDlg(UINT nIDTemplate, CWnd* pParent, LPCTSTR lpszFormat)
    : CDialog(nIDTemplate, pParent), m_lpszFormat(lpszFormat) {}

CFindCoordDlg::CFindCoordDlg(CWnd* pParent) : CFindPointDlg(IDD_FIND_COORD, pParent, L"%.4f") {}

CFindGeoCoordDlg::CFindGeoCoordDlg(CWnd* pParent)
    : CFindPointDlg(IDD_FIND_GEO_COORD, pParent, L"%.10f") {}

std::vector<size_t> CFindPointDlg::Matches(const std::vector<GeoPointRecord>& points,
                                           const CString& text) {
    std::vector<std::pair<int, size_t>> found;  // first position, point
    CString wanted = text;
    wanted.MakeUpper();
    for (size_t i = 0; i < points.size(); ++i) {
        CString name = points[i].point.strName;
        name.MakeUpper();
        const int at = wanted.IsEmpty() ? 0 : name.Find(wanted);
        if (at >= 0) found.emplace_back(at, i);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<size_t> result;
    result.reserve(found.size());
    for (const auto& f : found) result.push_back(f.second);
    return result;
}

BOOL CFindPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    std::vector<size_t> all(m_points.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    FillList(all);
    CenterWindow();
    return TRUE;
}

void CFindPointDlg::FillList(const std::vector<size_t>& shown) {
    m_shown = shown;
    CListBox* pList = static_cast<CListBox*>(GetDlgItem(IDC_FIND_LIST));
    pList->ResetContent();
    for (size_t i : m_shown) pList->AddString(m_points[i].point.strName);
    pList->SetCurSel(m_shown.empty() ? -1 : 0);
    ShowEntry(m_shown.empty() ? -1 : 0);
}

void CFindPointDlg::ShowEntry(int nEntry) {
    CString x;
    CString y;
    CString h;
    CString code;
    m_nResult = -1;
    if (nEntry >= 0 && nEntry < static_cast<int>(m_shown.size())) {
        const GeoPointRecord& p = m_points[m_shown[static_cast<size_t>(nEntry)]];
        x.Format(m_lpszFormat, p.point.dX);
        y.Format(m_lpszFormat, p.point.dY);
        h.Format(m_lpszFormat, p.point.dH);
        code = p.point.strCode;
        m_nResult = p.index;
    }
    SetDlgItemText(IDC_FIND_X, x);
    SetDlgItemText(IDC_FIND_Y, y);
    SetDlgItemText(IDC_FIND_H, h);
    SetDlgItemText(IDC_FIND_CODE, code);
}

void CFindPointDlg::OnFind() {
    CString text;
    GetDlgItemText(IDC_FIND_TEXT, text);
    FillList(Matches(m_points, text));
}

void CFindPointDlg::OnSelChange() {
    const int nEntry = static_cast<int>(SendDlgItemMessage(IDC_FIND_LIST, LB_GETCURSEL, 0, 0));
    ShowEntry(nEntry);
}
