#include "app/plan/LayoutDlgs.h"

#include <cmath>
#include <utility>

#include "app/libraries/CoordLibDlg.h"
#include "platform/base/Parse.h"
#include "res/resource.h"

namespace {

CString Fixed4(double value) {
    CString text;
    text.Format(L"%.4f", value);
    return text;
}

double Number(const CString& text) {
    return wcstod_c(text, nullptr);
}

// The coordinate library as a picker; FALSE when nothing was chosen.
BOOL PickFromLibrary(CWnd* pParent, CNamedPoint& point) {
    CCoordLibDlg library(pParent);
    if (library.DoModal() != IDOK || !library.m_bPicked) return FALSE;
    point.m_strName = library.m_strPickName;
    point.m_dX = Number(library.m_strPickNorth);
    point.m_dY = Number(library.m_strPickEast);
    point.m_dH = Number(library.m_strPickHeight);
    return TRUE;
}

}  // namespace

BOOL RefuseSpacing(CWnd* pDialog, double spacing) {
    if (spacing > 0.0 && std::isfinite(spacing)) return FALSE;
    pDialog->MessageBox(L"间距必须大于0,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
    return TRUE;
}

BEGIN_MESSAGE_MAP(CLayoutPointsDlg, CDialog)
ON_BN_CLICKED(IDC_LAYOUT_PICK, OnPick)
ON_BN_CLICKED(IDC_LAYOUT_ADD, OnAdd)
ON_BN_CLICKED(IDC_LAYOUT_INSERT, OnInsert)
ON_BN_CLICKED(IDC_LAYOUT_UP, OnUp)
ON_BN_CLICKED(IDC_LAYOUT_DOWN, OnDown)
ON_BN_CLICKED(IDC_LAYOUT_CLEAR, OnDelete)
ON_BN_CLICKED(IDC_LAYOUT_DELETE, OnDelete)
ON_NOTIFY(NM_CLICK, IDC_LAYOUT_LIST, OnClickList)
END_MESSAGE_MAP()

CLayoutPointsDlg::CLayoutPointsDlg(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent) {}

void CLayoutPointsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LAYOUT_LIST, m_list);
    DDX_Text(pDX, IDC_LAYOUT_NAME, m_strName);
    DDX_Text(pDX, IDC_LAYOUT_X, m_dX);
    DDX_Text(pDX, IDC_LAYOUT_Y, m_dY);
    DDX_Text(pDX, IDC_LAYOUT_H, m_dH);
}

BOOL CLayoutPointsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    m_list.SetExtendedStyle(57);  // grid lines, track select, header drag, full row
    static const struct {
        const wchar_t* text;
        int width;
    } columns[] = {{L"点名", 40}, {L"北坐标", 75}, {L"东坐标", 75}, {L"高程", 55}};
    for (int i = 0; i < 4; ++i)
        m_list.InsertColumn(i, columns[i].text, LVCFMT_CENTER, columns[i].width);
    return TRUE;
}

int CLayoutPointsDlg::SelectedRow() const {
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        if (m_list.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED) return i;
    return -1;
}

void CLayoutPointsDlg::AppendRow(const CNamedPoint& p) {
    const int item = m_list.InsertItem(m_list.GetItemCount(), p.m_strName);
    m_list.SetItemText(item, 1, Fixed4(p.m_dX));
    m_list.SetItemText(item, 2, Fixed4(p.m_dY));
    m_list.SetItemText(item, 3, Fixed4(p.m_dH));
}

void CLayoutPointsDlg::RebuildPoints() {
    m_points.clear();
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        CNamedPoint p;
        p.m_strName = m_list.GetItemText(i, 0);
        p.m_dX = Number(m_list.GetItemText(i, 1));
        p.m_dY = Number(m_list.GetItemText(i, 2));
        p.m_dH = Number(m_list.GetItemText(i, 3));
        m_points.push_back(p);
    }
}

void CLayoutPointsDlg::Refill() {
    m_list.DeleteAllItems();
    for (const CNamedPoint& p : m_points) AppendRow(p);
}

CNamedPoint CLayoutPointsDlg::FieldsPoint() const {
    CNamedPoint p;
    p.m_strName = m_strName;
    p.m_dX = m_dX;
    p.m_dY = m_dY;
    p.m_dH = m_dH;
    return p;
}

void CLayoutPointsDlg::OnPick() {
    CNamedPoint p;
    if (!PickFromLibrary(this, p)) return;
    m_strName = p.m_strName;
    m_dX = p.m_dX;
    m_dY = p.m_dY;
    m_dH = p.m_dH;
    UpdateData(FALSE);
    AppendRow(p);
}

void CLayoutPointsDlg::OnAdd() {
    if (UpdateData(TRUE)) AppendRow(FieldsPoint());
}

void CLayoutPointsDlg::OnInsert() {
    if (!UpdateData(TRUE)) return;
    const int row = SelectedRow();
    RebuildPoints();
    if (row < 0)
        m_points.push_back(FieldsPoint());
    else
        m_points.insert(m_points.begin() + row, FieldsPoint());
    Refill();
}

void CLayoutPointsDlg::OnUp() {
    const int row = SelectedRow();
    RebuildPoints();
    if (row > 0)
        std::swap(m_points[static_cast<size_t>(row)], m_points[static_cast<size_t>(row - 1)]);
    Refill();
}

void CLayoutPointsDlg::OnDown() {
    const int row = SelectedRow();
    RebuildPoints();
    if (row >= 0 && row + 1 < static_cast<int>(m_points.size()))
        std::swap(m_points[static_cast<size_t>(row)], m_points[static_cast<size_t>(row + 1)]);
    Refill();
}

void CLayoutPointsDlg::OnDelete() {
    const int row = SelectedRow();
    if (row < 0 || MessageBox(L"确实要删除该点吗?", L"提示", MB_YESNO) != IDYES) return;
    m_list.SetItemState(row, 0, LVIS_SELECTED);
    m_list.DeleteItem(row);
}

void CLayoutPointsDlg::OnClickList(NMHDR*, LRESULT* pResult) {
    const int row = SelectedRow();
    if (row >= 0) {
        m_strName = m_list.GetItemText(row, 0);
        m_dX = Number(m_list.GetItemText(row, 1));
        m_dY = Number(m_list.GetItemText(row, 2));
        m_dH = Number(m_list.GetItemText(row, 3));
        UpdateData(FALSE);
    }
    *pResult = 0;
}

void CLayoutPointsDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    RebuildPoints();
    if (!AcceptValues()) return;
    EndDialog(IDOK);
}

CAreaLayoutDlg::CAreaLayoutDlg(CWnd* pParent) : CLayoutPointsDlg(IDD_AREA_LAYOUT, pParent) {}

void CAreaLayoutDlg::DoDataExchange(CDataExchange* pDX) {
    CLayoutPointsDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AREA_AZIMUTH, m_dAzimuth);
    DDX_Text(pDX, IDC_LAYOUT_SPACING, m_dSpacing);
    DDX_Check(pDX, IDC_AREA_BOUNDARY, m_bBoundary);
}

BOOL CAreaLayoutDlg::AcceptValues() {
    return !RefuseSpacing(this, m_dSpacing);
}

CChannelLayoutDlg::CChannelLayoutDlg(CWnd* pParent)
    : CLayoutPointsDlg(IDD_CHANNEL_LAYOUT, pParent) {}

void CChannelLayoutDlg::DoDataExchange(CDataExchange* pDX) {
    CLayoutPointsDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CHANNEL_WIDTH, m_dChannelWidth);
    DDX_Text(pDX, IDC_CHANNEL_SURVEY_WIDTH, m_dSurveyWidth);
    DDX_Text(pDX, IDC_CHANNEL_SPACING, m_dSpacing);
}

BOOL CChannelLayoutDlg::AcceptValues() {
    if (m_points.size() < 2) {
        MessageBox(L"选取的点少于2个,不能做航道布线,退出请按取消", L"", MB_OK);
        return FALSE;
    }
    return !RefuseSpacing(this, m_dSpacing);
}

CPerpLayoutDlg::CPerpLayoutDlg(CWnd* pParent) : CLayoutPointsDlg(IDD_PERP_LAYOUT, pParent) {}

void CPerpLayoutDlg::DoDataExchange(CDataExchange* pDX) {
    CLayoutPointsDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LAYOUT_SPACING, m_dSpacing);
    DDX_Text(pDX, IDC_PERP_LEFT, m_dLeft);
    DDX_Text(pDX, IDC_PERP_RIGHT, m_dRight);
}

BOOL CPerpLayoutDlg::AcceptValues() {
    if (m_points.size() < 2) {
        MessageBox(L"选取的点少于2个,不能做垂直布线,退出请按取消", L"", MB_OK);
        return FALSE;
    }
    return !RefuseSpacing(this, m_dSpacing);
}

BEGIN_MESSAGE_MAP(CParallelLayoutDlg, CDialog)
ON_BN_CLICKED(IDC_PARALLEL_PICK_START, OnPickStart)
ON_BN_CLICKED(IDC_PARALLEL_PICK_END, OnPickEnd)
END_MESSAGE_MAP()

CParallelLayoutDlg::CParallelLayoutDlg(CWnd* pParent) : CDialog(IDD_PARALLEL_LAYOUT, pParent) {}

void CParallelLayoutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LAYOUT_SPACING, m_dSpacing);
    DDX_Text(pDX, IDC_PARALLEL_END_X, m_dEndX);
    DDX_Text(pDX, IDC_PARALLEL_END_Y, m_dEndY);
    DDX_Text(pDX, IDC_PARALLEL_LEFT_COUNT, m_nLeftCount);
    DDX_Text(pDX, IDC_PARALLEL_RIGHT_COUNT, m_nRightCount);
    DDX_Text(pDX, IDC_PARALLEL_START_X, m_dStartX);
    DDX_Text(pDX, IDC_PARALLEL_START_Y, m_dStartY);
}

BOOL CParallelLayoutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    return TRUE;
}

void CParallelLayoutDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CParallelLayoutDlg::OnPickStart() {
    CNamedPoint p;
    if (!UpdateData(TRUE) || !PickFromLibrary(this, p)) return;
    m_dStartX = p.m_dX;
    m_dStartY = p.m_dY;
    UpdateData(FALSE);
}

void CParallelLayoutDlg::OnPickEnd() {
    CNamedPoint p;
    if (!UpdateData(TRUE) || !PickFromLibrary(this, p)) return;
    m_dEndX = p.m_dX;
    m_dEndY = p.m_dY;
    UpdateData(FALSE);
}
