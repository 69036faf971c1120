// CCommandBar: the frame's command bar as the program builds it in its
// frame's OnCreate:
//   m_wndCommandBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR);
//   m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME);
//   m_wndCommandBar.InsertSeparator(6);
//   m_wndCommandBar.LoadToolBar(IDR_MAINFRAME);
//   m_wndCommandBar.AddAdornments(0);
//   m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_SIZE_FIXED);
// The bar window is platform/framework/CommandBarControl.h; this class
// registers it with its frame, which places it (RecalcLayout) and runs the
// update handlers of its buttons at idle time and of a drop-down's items
// when it opens.
#pragma once

#include "platform/framework/FrameworkIds.h"
#include "platform/framework/Wnd.h"

namespace quorvel::framework {
class CommandBarControl;
struct MenuItem;
}  // namespace quorvel::framework

class CFrameWnd;

// Bar styles, kept apart from the window style (GetBarStyle).
#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_ALL 0xFFFFL
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// AddAdornments flags. The close box is always added; these add nothing on
// this device.
#define CMDBAR_HELP 0x0001
#define CMDBAR_OK 0x0002

class CCommandBar : public CWnd {
    DECLARE_DYNAMIC(CCommandBar)
  public:
    CCommandBar();
    ~CCommandBar() override;

    using CWnd::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR);
    // Each adds at the end of the bar; FALSE when the resource is missing.
    BOOL InsertMenuBar(UINT nMenuID);
    BOOL InsertSeparator(int nWidth = 6);
    BOOL LoadToolBar(UINT nIDResource);
    BOOL AddAdornments(DWORD dwFlags = 0);

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // The height the bar takes at the given width.
    int CalcHeight(int cx) const;

    // Update handlers of the toolbar buttons, asked of `pTarget`.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler);

    quorvel::framework::CommandBarControl* GetControl() const;

  protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    DWORD m_dwStyle = 0;
    CFrameWnd* m_pFrame = nullptr;
};

namespace quorvel::framework {
// Update handlers of a drop-down's command items, asked of `target` when
// the drop-down opens: enabled, checked and text.
void UpdateMenuItems(MenuItem& popup, CCmdTarget* target, BOOL disableIfNoHandler);
}  // namespace quorvel::framework
