#include "app/plan/PickPointDlg.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/shell/VendropDoc.h"
#include "platform/base/Parse.h"
#include "platform/base/TextConv.h"
#include "platform/files/File.h"
#include "platform/files/FileApi.h"
#include "pointdata/StoredLines.h"
#include "res/resource.h"
#include "ui/FileOpenDlg.h"

BEGIN_MESSAGE_MAP(CPickPointDlg, CDialog)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_DRAWITEM()
ON_BN_CLICKED(IDC_PICK_OPEN, OnOpen)
ON_BN_CLICKED(IDC_PICK_ZOOM_IN, OnZoomIn)
ON_BN_CLICKED(IDC_PICK_ZOOM_OUT, OnZoomOut)
ON_BN_CLICKED(IDC_PICK_ZOOM_WINDOW, OnZoomWindow)
ON_BN_CLICKED(IDC_PICK_ZOOM_ALL, OnZoomAll)
END_MESSAGE_MAP()

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

CPickPointDlg::CPickPointDlg(CWnd* pParent) : CDialog(IDD_PICK_POINT, pParent) {
    m_hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
}

void CPickPointDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PICK_ZOOM_OUT, m_btnZoomOut);
    DDX_Control(pDX, IDC_PICK_ZOOM_IN, m_btnZoomIn);
    DDX_Control(pDX, IDC_PICK_ZOOM_WINDOW, m_btnWindow);
    DDX_Control(pDX, IDC_PICK_ZOOM_ALL, m_btnAll);
    DDX_Text(pDX, IDC_PICK_INFO, m_strInfo);
    DDX_Text(pDX, IDC_PICK_PATH, m_strPath);
    DDX_Text(pDX, IDC_PICK_SCALE_TEXT, m_strScale);
}

CRect CPickPointDlg::PlanControlRect() const {
    CRect rect;
    if (CWnd* plan = GetDlgItem(IDC_PICK_PLAN)) {
        plan->GetWindowRect(&rect);
        ScreenToClient(&rect);
    }
    return rect;
}

BOOL CPickPointDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    m_nPicked = 0;
    m_nPickedIndex = -1;
    m_rcSelection = RECT{-1, -1, -1, -1};
    m_ptDrag = m_ptBand = m_ptUp = m_ptDown = CPoint(-1, -1);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
    const struct {
        COwnerDrawButton* button;
        int icon;
    } buttons[] = {{&m_btnZoomOut, IDI_ZOOM_OUT},
                   {&m_btnZoomIn, IDI_ZOOM_IN},
                   {&m_btnWindow, IDI_ZOOM_WINDOW},
                   {&m_btnAll, IDI_ZOOM_ALL}};
    for (const auto& b : buttons) {
        b.button->SetFont(GetFont());
        b.button->SetIcon(b.icon, 30, 30);
        b.button->SetColor(COwnerDrawButton::BTNST_COLOR_BK_IN,
                           ::GetSysColor(COLOR_BTNFACE) + 1973790);
        b.button->SetColor(COwnerDrawButton::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        b.button->SetAlign(COwnerDrawButton::ST_ALIGN_HORIZ_RIGHT);
        b.button->SetFlat(FALSE);
    }
    m_rcPlan = PlanControlRect();
    m_rcPlan.DeflateRect(6, 6);
    m_dScale = 50.0 / std::max(1, m_rcPlan.Width());
    m_bZoomWindow = 0;
    if (const CVendropDoc* doc = g_pDoc) {
        m_strDefaultFile =
            doc->m_strJobDir + doc->m_strIniName.Left(doc->m_strIniName.GetLength() - 3) + L"lib";
        if (GetFileAttributes(m_strDefaultFile) != INVALID_FILE_ATTRIBUTES) {
            m_nFileKind = 1;
            LoadPointFile(m_strDefaultFile);
            ZoomAll();
        }
    }
    m_strPath = m_strDefaultFile;
    UpdateData(FALSE);
    return TRUE;
}

void CPickPointDlg::LoadPointFile(const CString& path) {
    std::string bytes;
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return;
    char buffer[65536];
    UINT got = 0;
    while ((got = file.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, got);
    file.Close();
    // Points change: whatever was picked no longer names the same point.
    m_nPickedIndex = -1;
    m_rcSelection = RECT{-1, -1, -1, -1};
    for (CString line : SplitStoredLines(quorvel::FromGbk(bytes.data(), bytes.size()))) {
        line.Trim();
        if (line.IsEmpty()) continue;
        const int first = m_nFileKind == 1 ? 1 : 0;
        if (m_nFileKind == 1 && StoredField(line, 0) == L"1") continue;
        const double north = wcstod_c(StoredField(line, first + 1), nullptr);
        const double east = wcstod_c(StoredField(line, first + 2), nullptr);
        // A point that cannot be placed on the plan cannot be tapped.
        if (!std::isfinite(north) || !std::isfinite(east)) continue;
        m_names.push_back(StoredField(line, first));
        m_north.push_back(north);
        m_east.push_back(east);
        m_height.push_back(wcstod_c(StoredField(line, first + 3), nullptr));
        m_codes.push_back(StoredField(line, first + 4));
    }
    ComputeScreenPoints();
}

void CPickPointDlg::ComputeScreenPoints() {
    m_screen.resize(m_north.size());
    for (size_t i = 0; i < m_north.size(); ++i) {
        const double x = (m_east[i] - m_dE0) / m_dScale + m_rcPlan.left;
        const double y = m_rcPlan.bottom - (m_north[i] - m_dN0) / m_dScale;
        // Held far outside the plan, so that the pixel fits an int.
        m_screen[i].x = static_cast<LONG>(std::clamp(std::isnan(x) ? -1e7 : x, -1e7, 1e7));
        m_screen[i].y = static_cast<LONG>(std::clamp(std::isnan(y) ? -1e7 : y, -1e7, 1e7));
    }
}

POINT CPickPointDlg::ScreenPointOf(int index) const {
    if (index < 0 || index >= static_cast<int>(m_screen.size())) return POINT{-1, -1};
    return m_screen[static_cast<size_t>(index)];
}

void CPickPointDlg::ZoomAll() {
    if (m_north.empty()) return;
    const auto [minN, maxN] = std::minmax_element(m_north.begin(), m_north.end());
    const auto [minE, maxE] = std::minmax_element(m_east.begin(), m_east.end());
    double scale = std::max((*maxN - *minN) / std::max(1, m_rcPlan.Height()),
                            (*maxE - *minE) / std::max(1, m_rcPlan.Width()));
    if (!(scale >= kMinWindowScale)) scale = kMinWindowScale;
    scale *= 1.1;
    if (!std::isfinite(scale)) return;
    m_dScale = scale;
    m_dN0 = (*minN + *maxN) / 2 - m_rcPlan.Height() * scale / 2;
    m_dE0 = (*minE + *maxE) / 2 - m_rcPlan.Width() * scale / 2;
    ComputeScreenPoints();
    Invalidate(TRUE);
}

BOOL CPickPointDlg::GetPickedPoint(PointRecord& point) const {
    if (!m_nPicked || m_nPickedIndex < 0 || m_nPickedIndex >= PointCount()) return FALSE;
    const auto i = static_cast<size_t>(m_nPickedIndex);
    point.strName = m_names[i];
    point.dX = m_north[i];
    point.dY = m_east[i];
    point.dH = m_height[i];
    point.strCode = m_codes[i];
    return TRUE;
}

void CPickPointDlg::SetHint(const CString& text) {
    m_strInfo = text;
    if (m_hWnd != nullptr) SetDlgItemText(IDC_PICK_INFO, text);
}

void CPickPointDlg::OnOK() {
    UpdateData(TRUE);
    if (m_nPickedIndex >= 0) {
        m_nPicked = 1;
        EndDialog(IDOK);
        return;
    }
    m_nPicked = 0;
    if (MessageBox(LoadText(IDS_STRING61428), LoadText(IDS_STRING61429),
                   MB_YESNO | MB_ICONINFORMATION) == IDYES)
        EndDialog(IDOK);
}

void CPickPointDlg::OnOpen() {
    CFileOpenDlg open(this);
    open.AddFilter(L"*.lib");
    open.AddFilter(L"*.dat");
    if (g_pDoc != nullptr) open.SetInitialPath(g_pDoc->m_strJobDir);
    if (open.DoModal() != IDOK) return;
    const CString path = open.GetPathName();
    m_strPath = path;
    SetDlgItemText(IDC_PICK_PATH, path);
    const CString kind = path.Right(3);
    if (kind == L"dat")
        m_nFileKind = 0;
    else if (kind == L"lib")
        m_nFileKind = 1;
    if (!path.IsEmpty()) {
        m_north.clear();
        m_east.clear();
        m_height.clear();
        m_names.clear();
        m_codes.clear();
        LoadPointFile(path);
    }
    ZoomAll();
    ComputeScreenPoints();
    Invalidate(TRUE);
}

void CPickPointDlg::OnZoomIn() {
    m_dN0 += m_rcPlan.Height() * m_dScale * 0.125;
    m_dE0 += m_rcPlan.Width() * m_dScale * 0.125;
    m_dScale *= 0.75;
    ComputeScreenPoints();
    Invalidate(TRUE);
}

void CPickPointDlg::OnZoomOut() {
    m_dN0 -= m_rcPlan.Height() * m_dScale * 0.125;
    m_dE0 -= m_rcPlan.Width() * m_dScale * 0.125;
    m_dScale *= 1.25;
    ComputeScreenPoints();
    Invalidate(TRUE);
}

void CPickPointDlg::OnZoomWindow() {
    m_bZoomWindow = 1;
}

void CPickPointDlg::OnZoomAll() {
    ZoomAll();
}
