// The drawing styles of the three sub-layers.
#include <algorithm>
#include <cmath>

#include "graphics/GraphRecords.h"

IMPLEMENT_DYNAMIC(CGraphLayer, CObject)

namespace {

constexpr COLORREF kBlue = 0xFF0000;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kBlack = 0x000000;
// Heights and widths read from a damaged file would only stall the painter.
constexpr long long kMaxFontHeight = 1000;
constexpr int kMaxPenWidth = 1000;

void MakeFont(CFont& font, long long height, int escapement, int weight, LPCTSTR face) {
    height = std::clamp(height, -kMaxFontHeight, kMaxFontHeight);
    font.CreateFont(static_cast<int>(height), 0, escapement, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0,
                    0, 0, 0, face);
}

// The name font of points and lines.
void MakeLabelFont(CFont& font) {
    MakeFont(font, 15, 0, 0, L"");
}

// Filled without outline: a null pen leaves the rectangle one pixel short
// on the right and bottom, as the painter does.
void FillBox(CDC* pDC, int left, int top, int right, int bottom, COLORREF color) {
    CBrush brush;
    brush.CreateSolidBrush(color);
    CGdiObject* oldPen = pDC->SelectStockObject(NULL_PEN);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(left, top, right, bottom);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

// Tenths of a degree for the font; angles beyond a turn are reduced first
// so that a damaged file's 1e300 neither loops nor overflows.
int Escapement(double angle) {
    if (!std::isfinite(angle)) return 0;
    if (std::fabs(angle) > 360.0) angle = std::fmod(angle, 360.0);
    return static_cast<int>(angle * 10.0);
}

}  // namespace

void DrawGraphPoint(CDC* pDC, const CGraphPoint& p) {
    const int x = p.m_nScreenX, y = p.m_nScreenY;
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, kBlue);
    CBrush blue;
    blue.CreateSolidBrush(kBlue);
    CPen* oldPen = pDC->SelectObject(&pen);
    if (p.m_nSymbol == 0) {
        pDC->Ellipse(x - 4, y - 4, x + 4, y + 4);
        CBrush* oldBrush = pDC->SelectObject(&blue);
        pDC->Ellipse(x - 1, y - 1, x + 1, y + 1);
        pDC->SelectObject(oldBrush);
        const COLORREF oldColor = pDC->SetTextColor(kBlue);
        pDC->TextOut(x + 6, y + 10, p.m_strName);
        pDC->SetTextColor(oldColor);
    } else if (p.m_nSymbol == 1) {
        CBrush* oldBrush = pDC->SelectObject(&blue);
        pDC->Ellipse(x - 2, y - 2, x + 2, y + 2);
        pDC->SelectObject(oldBrush);
    }
    pDC->SelectObject(oldPen);
}

void DrawPointNow(CDC* pDC, const CGraphPoint& point) {
    CFont font;
    MakeLabelFont(font);
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->SetTextAlign(TA_BASELINE);
    DrawGraphPoint(pDC, point);
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

void CGraphPointSet::Draw(CDC* pDC) const {
    if (!m_bVisible) return;
    CFont font;
    MakeLabelFont(font);
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->SetTextAlign(TA_BASELINE);
    const size_t first =
        m_items.size() > kDrawnTrackPoints ? m_items.size() - kDrawnTrackPoints : 0;
    for (size_t i = first; i < m_items.size(); ++i)
        if (m_items[i].m_bOnScreen) DrawGraphPoint(pDC, m_items[i]);
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

void DrawGraphText(CDC* pDC, const CGraphText& t) {
    const int x = t.m_nScreenX, y = t.m_nScreenY;
    FillBox(pDC, x - 1, y - 1, x + 2, y + 2, kGreen);
    CFont font;
    MakeFont(font, static_cast<long long>(t.m_nSize) + 3, Escapement(t.m_dAngle),
             t.m_bBold ? FW_BOLD : 0, t.m_strFace);
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->SetTextAlign(TA_BOTTOM | TA_CENTER);
    const COLORREF oldColor = pDC->SetTextColor(t.m_crColor);
    pDC->TextOut(x, y - 2, t.m_strText);
    pDC->SetTextColor(oldColor);
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

void CGraphTextSet::Draw(CDC* pDC) const {
    if (!m_bVisible) return;
    for (const CGraphText& text : m_items)
        if (text.m_bOnScreen) DrawGraphText(pDC, text);
}

void CGraphLineSet::Draw(CDC* pDC) const {
    if (!m_bVisible) return;
    CFont font;
    MakeLabelFont(font);
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->SetTextAlign(TA_BASELINE);
    const COLORREF oldColor = pDC->GetTextColor();
    for (const CGraphLine& l : m_items) {
        if (!l.m_bOnScreen) continue;
        const int style =
            l.m_nPenStyle >= PS_SOLID && l.m_nPenStyle <= PS_DASHDOTDOT ? l.m_nPenStyle : PS_SOLID;
        CPen pen;
        pen.CreatePen(style, std::clamp(l.m_nPenWidth, 0, kMaxPenWidth), l.m_crPen);
        CPen* oldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(l.m_nStartX, l.m_nStartY);
        pDC->LineTo(l.m_nEndX, l.m_nEndY);
        pDC->SelectObject(oldPen);
        FillBox(pDC, l.m_nStartX - 2, l.m_nStartY - 2, l.m_nStartX + 2, l.m_nStartY + 2, kGreen);
        FillBox(pDC, l.m_nEndX - 2, l.m_nEndY - 2, l.m_nEndX + 2, l.m_nEndY + 2, kBlack);
        pDC->SetTextColor(l.m_crText);
        pDC->TextOut(l.m_nStartX + 6, l.m_nStartY + 10, l.m_strName);
        pDC->TextOut(l.m_nEndX + 6, l.m_nEndY + 10, l.m_strName);
    }
    pDC->SetTextColor(oldColor);
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}

void CGraphLayer::Draw(CDC* pDC) const {
    m_texts.Draw(pDC);
    m_points.Draw(pDC);
    m_lines.Draw(pDC);
}
