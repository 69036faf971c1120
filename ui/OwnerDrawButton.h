// COwnerDrawButton: the push button of most of the program's dialogs. A
// dialog subclasses its button control with it, then gives it icons,
// colours, an alignment and the flat style; the button draws itself (face,
// icon, centred multi-line caption, 3-D border, focus rectangle).
//
// Subclassing turns the control's type into owner-draw, remembering check
// mode (the check-box bit, 2, of the style) and whether it was the default
// push button; the dialog manager keeps that default state current through
// BM_SETSTYLE as the focus moves between push buttons. A click reaches the
// parent as the ordinary BN_CLICKED (in check mode it also toggles the
// check state).
//
// Flat buttons show a border only while the pointer is over them: the first
// move over the button starts a 50 ms timer (id 1) whose callback posts
// WM_MOUSELEAVE once the pointer has left the client area.
//
// The button owns its icons and destroys them when others are set and when
// it is destroyed.
//
// Files: state and messages (OwnerDrawButton.cpp), drawing
// (OwnerDrawButtonPaint.cpp).
#pragma once

#include "platform/framework/Afx.h"

class COwnerDrawButton : public CButton {
  public:
    // Results of the setters.
    enum { BTNST_OK = 0, BTNST_INVALIDINDEX = 3, BTNST_INVALIDALIGN = 4 };
    // Colour indexes: face and caption when hovered or pressed (0, 1),
    // normally (2, 3) and when focused (4, 5; the focused caption colour is
    // kept but not drawn).
    enum {
        BTNST_COLOR_BK_IN,
        BTNST_COLOR_FG_IN,
        BTNST_COLOR_BK_OUT,
        BTNST_COLOR_FG_OUT,
        BTNST_COLOR_BK_FOCUS,
        BTNST_COLOR_FG_FOCUS,
        BTNST_MAX_COLORS
    };
    // Alignments of icon and caption: icon left of the caption, above it,
    // right of it.
    enum { ST_ALIGN_HORIZ, ST_ALIGN_VERT, ST_ALIGN_HORIZ_RIGHT };
    static constexpr UINT_PTR kHoverTimerId = 1;
    static constexpr UINT kHoverPeriodMs = 50;

    COwnerDrawButton();
    ~COwnerDrawButton() override;

    DWORD SetFlat(BOOL bFlat, BOOL bRepaint = TRUE);
    DWORD SetAlign(int nAlign, BOOL bRepaint = TRUE);
    DWORD SetColor(int nIndex, COLORREF crColor, BOOL bRepaint = TRUE);
    DWORD SetDefaultColors(BOOL bRepaint = TRUE);
    // Icons from the program's resources: normal ("in"), shown while
    // neither hovered nor pressed ("out"), disabled; id 0 for none. Each is
    // loaded and drawn at the width and height given (0 x 0: its own size).
    DWORD SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut = 0, int cxOut = 0, int cyOut = 0,
                  int nIconDis = 0, int cxDis = 0, int cyDis = 0);
    // Icons the button takes over; the "out" and disabled icons are kept
    // only when an "in" icon is given.
    DWORD SetIcon(HICON hIconIn, int cxIn, int cyIn, HICON hIconOut = nullptr, int cxOut = 0,
                  int cyOut = 0, HICON hIconDis = nullptr, int cxDis = 0, int cyDis = 0);

    BOOL GetCheckState() const { return m_nCheck; }
    BOOL IsHovered() const { return m_bMouseOnButton; }
    BOOL IsDefaultButton() const { return m_bIsDefault; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  protected:
    void PreSubclassWindow() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void DrawBorder(CDC* pDC, CRect* pRect);
    virtual void DrawBackground(CDC* pDC, CRect* pRect);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnClicked();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg UINT OnGetDlgCode();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    struct IconInfo {
        HICON hIcon = nullptr;
        int cx = 0;
        int cy = 0;
    };
    static void CALLBACK HoverTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);
    static HICON LoadIconSized(int nId, int& cx, int& cy);
    void CancelHover();
    void FreeIcons();
    const IconInfo* ChooseIcon() const;
    void DrawTheIcon(CDC* pDC, BOOL bHasTitle, const CRect& rcItem, CRect* rpTitle);
    void DrawTheText(CDC* pDC, const CString& strTitle, CRect* rpCaption);

    BOOL m_bIsFlat = TRUE;
    BOOL m_bMouseOnButton = FALSE;
    BOOL m_bIsPressed = FALSE;
    BOOL m_bIsFocused = FALSE;
    BOOL m_bIsDisabled = FALSE;
    BOOL m_bIsDefault = FALSE;
    BOOL m_bIsCheckBox = FALSE;
    BOOL m_nCheck = FALSE;
    int m_nAlign = ST_ALIGN_HORIZ;
    COLORREF m_crColors[BTNST_MAX_COLORS];
    IconInfo m_csIcons[3];
    UINT_PTR m_nTimerId = 0;
};
