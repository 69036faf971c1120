// CSplashWnd: the start-up splash, bitmap 175 in a borderless window over
// the main frame for one second. Keys and taps do not close it; only its
// timer does. At most one exists; it deletes itself with its window.
#pragma once

#include "platform/framework/Afx.h"
#include "res/resource.h"

class CSplashWnd : public CWnd {
  public:
    ~CSplashWnd() override;

    // The start-up passes the command line's splash flag.
    static void EnableSplashScreen(BOOL bEnable = TRUE);
    // Nothing when the flag is clear or a splash shows already; otherwise
    // a splash owned by pParentWnd, painted at once, or none when its
    // bitmap cannot be loaded.
    static void ShowSplashScreen(CWnd* pParentWnd = nullptr);
    static CSplashWnd* GetSplash() { return c_pSplashWnd; }

    // FALSE when the bitmap cannot be loaded.
    using CWnd::Create;
    BOOL Create(CWnd* pParentWnd = nullptr, UINT nBitmapId = IDB_SPLASH);
    void HideSplashScreen();

  protected:
    CSplashWnd() = default;
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    CBitmap m_bitmap;
    static BOOL c_bShowSplashWnd;
    static CSplashWnd* c_pSplashWnd;
};
