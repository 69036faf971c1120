// COwnerDrawButton's drawing: frame, face, border, icon, caption and focus
// rectangle, in that order, for every item draw.
#include "ui/OwnerDrawButton.h"

namespace {

constexpr int kMaxTitle = 256;

}  // namespace

void COwnerDrawButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) != 0 || (m_bIsCheckBox && m_nCheck);
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    CRect itemRect = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);

    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(&itemRect, &black);
        itemRect.DeflateRect(1, 1);
    }
    DrawBackground(pDC, &itemRect);
    DrawBorder(pDC, &itemRect);

    WCHAR buffer[kMaxTitle + 1] = {};
    GetWindowText(buffer, kMaxTitle);
    const CString title(buffer);
    CRect captionRect = lpDIS->rcItem;
    if (m_csIcons[0].hIcon) DrawTheIcon(pDC, !title.IsEmpty(), lpDIS->rcItem, &captionRect);
    if (!title.IsEmpty()) DrawTheText(pDC, title, &captionRect);

    if (m_bIsFocused && !m_bIsFlat) {
        CRect focusRect = itemRect;
        focusRect.DeflateRect(1, 1);
        pDC->DrawFocusRect(&focusRect);
    }
}

void COwnerDrawButton::DrawBackground(CDC* pDC, CRect* pRect) {
    COLORREF crFace = m_crColors[BTNST_COLOR_BK_OUT];
    if (m_bMouseOnButton || m_bIsPressed)
        crFace = m_crColors[BTNST_COLOR_BK_IN];
    else if (m_bIsFocused)
        crFace = m_crColors[BTNST_COLOR_BK_FOCUS];
    pDC->FillSolidRect(pRect, crFace);
}

void COwnerDrawButton::DrawBorder(CDC* pDC, CRect* pRect) {
    if (m_bIsPressed) {
        pDC->Draw3dRect(pRect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    if (m_bIsFlat && !m_bMouseOnButton) return;
    pDC->Draw3dRect(pRect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

// Disabled: the disabled icon, else the normal one. Check mode: the normal
// icon while checked, else the "out" icon when there is one. Otherwise the
// normal icon while pressed or hovered, else the "out" icon when there is
// one.
const COwnerDrawButton::IconInfo* COwnerDrawButton::ChooseIcon() const {
    const IconInfo* out = m_csIcons[1].hIcon ? &m_csIcons[1] : &m_csIcons[0];
    if (m_bIsDisabled) return m_csIcons[2].hIcon ? &m_csIcons[2] : &m_csIcons[0];
    if (m_bIsCheckBox) return m_nCheck ? &m_csIcons[0] : out;
    return (m_bIsPressed || m_bMouseOnButton) ? &m_csIcons[0] : out;
}

// Offsets are halves of the spare space; an icon larger than the button
// gets negative ones and is cut off by the button's edges.
void COwnerDrawButton::DrawTheIcon(CDC* pDC, BOOL bHasTitle, const CRect& rcItem, CRect* rpTitle) {
    const IconInfo& icon = *ChooseIcon();
    const int w = icon.cx, h = icon.cy;
    CRect image = rcItem;
    switch (m_nAlign) {
        case ST_ALIGN_HORIZ:
            if (bHasTitle) {
                image.left += 3;
                rpTitle->left += w + 3;
            } else {
                image.left += (image.Width() - w) / 2;
            }
            image.top += (image.Height() - h) / 2;
            break;
        case ST_ALIGN_VERT:
            image.left += (image.Width() - w) / 2;
            if (bHasTitle) {
                image.top = 3;
                rpTitle->top += h;
            } else {
                image.top += (image.Height() - h) / 2;
            }
            break;
        case ST_ALIGN_HORIZ_RIGHT: {
            CRect client;
            GetClientRect(&client);
            if (bHasTitle) {
                rpTitle->right = rpTitle->Width() - w - 3;
                rpTitle->left = 3;
                image.left = client.right - w - 3;
                image.top += (image.Height() - h) / 2;
            } else {
                image.left += (image.Width() - w) / 2;
            }
            break;
        }
        default:
            break;
    }
    if (m_bIsPressed && !m_bIsCheckBox) image.OffsetRect(1, 1);
    ::DrawIconEx(pDC->GetSafeHdc(), image.left, image.top, icon.hIcon, w, h, 0, nullptr, DI_NORMAL);
}

void COwnerDrawButton::DrawTheText(CDC* pDC, const CString& strTitle, CRect* rpCaption) {
    if (m_bIsPressed && !m_bIsCheckBox) rpCaption->OffsetRect(1, 1);
    CRect centerRect = *rpCaption;
    pDC->DrawText(strTitle, rpCaption, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    rpCaption->OffsetRect((centerRect.Width() - rpCaption->Width()) / 2,
                          (centerRect.Height() - rpCaption->Height()) / 2);
    if (m_bIsDisabled) {
        rpCaption->OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(strTitle, rpCaption, DT_WORDBREAK | DT_CENTER);
        rpCaption->OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        pDC->DrawText(strTitle, rpCaption, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const bool in = m_bMouseOnButton || m_bIsPressed;
    pDC->SetTextColor(m_crColors[in ? BTNST_COLOR_FG_IN : BTNST_COLOR_FG_OUT]);
    pDC->SetBkColor(m_crColors[in ? BTNST_COLOR_BK_IN : BTNST_COLOR_BK_OUT]);
    pDC->DrawText(strTitle, rpCaption, DT_WORDBREAK | DT_CENTER);
}
