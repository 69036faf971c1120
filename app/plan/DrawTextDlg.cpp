#include "app/plan/DrawTextDlg.h"

#include "app/coordsys/CoordSysUi.h"
#include "platform/base/Parse.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CDrawTextDlg, CDialog)
ON_BN_CLICKED(IDC_DRAW_TEXT_COLOR, OnColor)
ON_WM_PAINT()
END_MESSAGE_MAP()

CDrawTextDlg::CDrawTextDlg(CWnd* pParent) : CDialog(IDD_DRAW_TEXT, pParent) {}

void CDrawTextDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DRAW_TEXT_CONTENT, m_strContent);
    DDX_CBString(pDX, IDC_DRAW_TEXT_SIZE, m_strSize);
    DDX_CBString(pDX, IDC_DRAW_TEXT_ANGLE, m_strAngle);
}

BOOL CDrawTextDlg::OnInitDialog() {
    m_strSize.Format(L"%d", m_nSize);
    m_strAngle.Format(L"%d", m_nAngle);
    CDialog::OnInitDialog();
    return TRUE;
}

// Leading digits count ("25mm" is 25); text that is no number is 0. A
// separator in the content would break the line of "text.sg": refused.
void CDrawTextDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (coordsys::RefuseSeparators(this, {&m_strContent})) return;
    m_nAngle = static_cast<int>(wcstol_c(m_strAngle, nullptr, 10));
    m_nSize = static_cast<int>(wcstol_c(m_strSize, nullptr, 10));
    EndDialog(IDOK);
}

void CDrawTextDlg::OnColor() {
    CColorDialog chooser(0, 0, this);
    if (chooser.DoModal() != IDOK) return;
    m_crColor = chooser.GetColor();
    if (CWnd* preview = GetDlgItem(IDC_DRAW_TEXT_PREVIEW)) preview->Invalidate();
    Invalidate(FALSE);
}

// The sample goes on the preview's own surface, after the preview has
// painted itself, so that its background does not cover it.
void CDrawTextDlg::OnPaint() {
    CPaintDC paint(this);
    CWnd* preview = GetDlgItem(IDC_DRAW_TEXT_PREVIEW);
    if (preview == nullptr) return;
    preview->UpdateWindow();
    CClientDC dc(preview);
    CFont* oldFont = dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_crColor);
    dc.TextOut(0, 0, kDrawTextSample);
    dc.SelectObject(oldFont);
}
