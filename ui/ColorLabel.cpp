#include "ui/ColorLabel.h"

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorLabel::CColorLabel()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_hBrush(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE))) {
    ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof m_lf, &m_lf);
    m_font.CreateFontIndirect(&m_lf);
}

CColorLabel::~CColorLabel() {
    m_font.DeleteObject();
    if (m_hBrush) ::DeleteObject(m_hBrush);
}

CColorLabel& CColorLabel::SetBkColor(COLORREF crBkgnd) {
    if (m_hBrush) ::DeleteObject(m_hBrush);
    m_hBrush = ::CreateSolidBrush(crBkgnd);
    return *this;
}

HBRUSH CColorLabel::CtlColor(CDC* pDC, UINT) {
    pDC->SelectObject(&m_font);
    pDC->SetTextColor(m_crText);
    pDC->SetBkMode(TRANSPARENT);
    return m_hBrush;
}
