// CStatic over a "Static" control.
#pragma once

#include "platform/framework/Wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
  public:
    CStatic() = default;
    using CWnd::Create;
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);
    // The image replaced, for the caller to destroy.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
};
