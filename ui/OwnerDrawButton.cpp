// COwnerDrawButton: its settings, icons, subclassing and messages.
#include "ui/OwnerDrawButton.h"

BEGIN_MESSAGE_MAP(COwnerDrawButton, CButton)
ON_WM_LBUTTONDOWN()
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_KILLFOCUS()
ON_WM_CANCELMODE()
ON_WM_ACTIVATE()
ON_WM_ENABLE()
ON_WM_GETDLGCODE()
ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

COwnerDrawButton::COwnerDrawButton() {
    SetDefaultColors(FALSE);
}

COwnerDrawButton::~COwnerDrawButton() {
    FreeIcons();
}

// ---- Settings ----

DWORD COwnerDrawButton::SetFlat(BOOL bFlat, BOOL bRepaint) {
    m_bIsFlat = bFlat;
    if (bRepaint && m_hWnd) Invalidate();
    return BTNST_OK;
}

DWORD COwnerDrawButton::SetAlign(int nAlign, BOOL bRepaint) {
    if (nAlign < ST_ALIGN_HORIZ || nAlign > ST_ALIGN_HORIZ_RIGHT) return BTNST_INVALIDALIGN;
    m_nAlign = nAlign;
    if (bRepaint && m_hWnd) Invalidate();
    return BTNST_OK;
}

DWORD COwnerDrawButton::SetColor(int nIndex, COLORREF crColor, BOOL bRepaint) {
    if (nIndex < 0 || nIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
    m_crColors[nIndex] = crColor;
    if (bRepaint && m_hWnd) Invalidate();
    return BTNST_OK;
}

DWORD COwnerDrawButton::SetDefaultColors(BOOL bRepaint) {
    for (int i = 0; i < BTNST_MAX_COLORS; ++i)
        m_crColors[i] = ::GetSysColor(i % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    if (bRepaint && m_hWnd) Invalidate();
    return BTNST_OK;
}

// ---- Icons ----

// Loaded at the size asked for; 0 x 0 keeps the image's own size, which is
// then read back from the icon.
HICON COwnerDrawButton::LoadIconSized(int nId, int& cx, int& cy) {
    if (nId == 0) return nullptr;
    const bool natural = cx <= 0 || cy <= 0;
    auto hIcon =
        static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nId), IMAGE_ICON,
                                       natural ? 0 : cx, natural ? 0 : cy, LR_DEFAULTCOLOR));
    if (!hIcon || !natural) return hIcon;
    ICONINFO info{};
    if (::GetIconInfo(hIcon, &info)) {
        BITMAP bm{};
        if (::GetObject(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm)) {
            cx = bm.bmWidth;
            cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        }
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
    }
    return hIcon;
}

DWORD COwnerDrawButton::SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut, int cxOut, int cyOut,
                                int nIconDis, int cxDis, int cyDis) {
    HICON hIn = LoadIconSized(nIconIn, cxIn, cyIn);
    HICON hOut = LoadIconSized(nIconOut, cxOut, cyOut);
    HICON hDis = LoadIconSized(nIconDis, cxDis, cyDis);
    return SetIcon(hIn, cxIn, cyIn, hOut, cxOut, cyOut, hDis, cxDis, cyDis);
}

DWORD COwnerDrawButton::SetIcon(HICON hIconIn, int cxIn, int cyIn, HICON hIconOut, int cxOut,
                                int cyOut, HICON hIconDis, int cxDis, int cyDis) {
    FreeIcons();
    if (hIconIn) {
        m_csIcons[0] = {hIconIn, cxIn, cyIn};
        if (hIconOut) m_csIcons[1] = {hIconOut, cxOut, cyOut};
        if (hIconDis) m_csIcons[2] = {hIconDis, cxDis, cyDis};
    } else {
        // Without a normal icon the others are not shown, but they were
        // handed over all the same.
        if (hIconOut) ::DestroyIcon(hIconOut);
        if (hIconDis) ::DestroyIcon(hIconDis);
    }
    if (m_hWnd) Invalidate();
    return BTNST_OK;
}

void COwnerDrawButton::FreeIcons() {
    for (IconInfo& icon : m_csIcons) {
        if (icon.hIcon) ::DestroyIcon(icon.hIcon);
        icon = IconInfo{};
    }
}

// ---- Subclassing and messages ----

void COwnerDrawButton::PreSubclassWindow() {
    const UINT nStyle = GetButtonStyle();
    if (nStyle & BS_CHECKBOX) m_bIsCheckBox = TRUE;
    if ((nStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON) m_bIsDefault = TRUE;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

// A second tap in quick succession is a press like the first.
LRESULT COwnerDrawButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDBLCLK) message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

void COwnerDrawButton::OnLButtonDown(UINT nFlags, CPoint point) {
    SendMessage(BM_SETSTATE, TRUE);
    CButton::OnLButtonDown(nFlags, point);
}

BOOL COwnerDrawButton::OnClicked() {
    if (m_bIsCheckBox) m_nCheck = !m_nCheck;
    Invalidate();
    return FALSE;  // the parent hears of the click too
}

void COwnerDrawButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton) return;
    if (!m_bIsFlat) return;
    CPoint onScreen = point;
    ClientToScreen(&onScreen);
    const HWND under = ::WindowFromPoint(onScreen);
    if (under != m_hWnd || m_bMouseOnButton) return;
    m_bMouseOnButton = TRUE;
    Invalidate();
    m_nTimerId = SetTimer(kHoverTimerId, kHoverPeriodMs, &HoverTimerProc);
}

void CALLBACK COwnerDrawButton::HoverTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD) {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    ::ScreenToClient(hWnd, &pointer);
    RECT client{};
    ::GetClientRect(hWnd, &client);
    if (!::PtInRect(&client, pointer)) ::PostMessage(hWnd, WM_MOUSELEAVE, 0, 0);
}

// The timer goes even when the flat style was switched off meanwhile, so
// that it never outlives the hover.
void COwnerDrawButton::CancelHover() {
    if (m_nTimerId) {
        KillTimer(m_nTimerId);
        m_nTimerId = 0;
    }
    if (!m_bMouseOnButton) return;
    m_bMouseOnButton = FALSE;
    Invalidate();
}

void COwnerDrawButton::OnMouseLeave() {
    CancelHover();
    CButton::OnMouseLeave();
}

void COwnerDrawButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    CancelHover();
}

void COwnerDrawButton::OnCancelMode() {
    CButton::OnCancelMode();
    CancelHover();
}

void COwnerDrawButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) CancelHover();
}

// A disabled button cannot keep the focus: the window manager has taken it
// away, and it goes on to the next control of the dialog, or to the dialog
// itself when there is none. A focus elsewhere stays where it is.
void COwnerDrawButton::OnEnable(BOOL bEnable) {
    CButton::OnEnable(bEnable);
    if (bEnable) return;
    CWnd* pParent = GetParent();
    const HWND hFocus = ::GetFocus();
    if (pParent && (!hFocus || hFocus == m_hWnd)) {
        CWnd* pNext = pParent->GetNextDlgTabItem(this);
        if (pNext && pNext->m_hWnd != m_hWnd)
            pNext->SetFocus();
        else
            pParent->SetFocus();
    }
    CancelHover();
}

UINT COwnerDrawButton::OnGetDlgCode() {
    UINT nCode = CButton::OnGetDlgCode();
    nCode |= m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return nCode;
}

LRESULT COwnerDrawButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    const UINT nType = static_cast<UINT>(wParam) & BS_TYPEMASK;
    if (nType == BS_DEFPUSHBUTTON)
        m_bIsDefault = TRUE;
    else if (nType == BS_PUSHBUTTON)
        m_bIsDefault = FALSE;
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW,
                         lParam);
}

HBRUSH COwnerDrawButton::CtlColor(CDC*, UINT) {
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void COwnerDrawButton::OnDestroy() {
    if (m_nTimerId) {
        KillTimer(m_nTimerId);
        m_nTimerId = 0;
    }
    CButton::OnDestroy();
}
