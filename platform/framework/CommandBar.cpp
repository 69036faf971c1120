#include "platform/framework/CommandBar.h"

#include "platform/framework/CommandBarControl.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageMap.h"

using quorvel::framework::CommandBarControl;
using quorvel::framework::MenuItem;

IMPLEMENT_DYNAMIC(CCommandBar, CWnd)

BEGIN_MESSAGE_MAP(CCommandBar, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The state of a menu item, as update handlers set it.
class CMenuItemCmdUI : public CCmdUI {
  public:
    explicit CMenuItemCmdUI(MenuItem& item) : m_item(item) {}
    void Enable(BOOL bOn) override {
        m_item.enabled = bOn != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { m_item.checked = nCheck != 0; }
    void SetRadio(BOOL bOn) override { m_item.checked = bOn != FALSE; }
    void SetText(LPCTSTR lpszText) override { m_item.text = lpszText; }

  private:
    MenuItem& m_item;
};

// The state of a toolbar button; buttons show no text.
class CToolButtonCmdUI : public CCmdUI {
  public:
    explicit CToolButtonCmdUI(CommandBarControl& bar) : m_bar(bar) {}
    void Enable(BOOL bOn) override {
        m_bar.SetButtonState(m_nID, bOn != FALSE, Button().checked);
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override {
        m_bar.SetButtonState(m_nID, Button().enabled, nCheck != 0);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}

  private:
    const CommandBarControl::Item& Button() const { return *m_bar.FindButton(m_nID); }
    CommandBarControl& m_bar;
};

}  // namespace

namespace quorvel::framework {

void UpdateMenuItems(MenuItem& popup, CCmdTarget* target, BOOL disableIfNoHandler) {
    const UINT count = static_cast<UINT>(popup.children.size());
    for (UINT i = 0; i < count; ++i) {
        MenuItem& item = popup.children[i];
        if (!item.IsCommand()) continue;
        CMenuItemCmdUI state(item);
        state.m_nID = item.id;
        state.m_nIndex = i;
        state.m_nIndexMax = count;
        // System command ids never have handlers of the program's.
        state.DoUpdate(target, disableIfNoHandler && item.id < 0xF000);
    }
}

}  // namespace quorvel::framework

CCommandBar::CCommandBar() = default;
CCommandBar::~CCommandBar() = default;

BOOL CCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    if (!pParentWnd || !CommandBarControl::Register()) return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    CRect client;
    pParentWnd->GetClientRect(&client);
    const DWORD style = (dwStyle & ~CBRS_ALL) | WS_CHILD;
    if (!CreateEx(0, CommandBarControl::kClassName, L"", style, 0, 0, client.Width(),
                  CommandBarControl::kRowHeight, pParentWnd->m_hWnd,
                  reinterpret_cast<HMENU>(static_cast<uintptr_t>(nID))))
        return FALSE;
    m_pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    if (m_pFrame) m_pFrame->AddControlBar(this);
    return TRUE;
}

CommandBarControl* CCommandBar::GetControl() const {
    return CommandBarControl::From(m_hWnd);
}

BOOL CCommandBar::InsertMenuBar(UINT nMenuID) {
    CommandBarControl* bar = GetControl();
    if (!bar || !bar->InsertMenuBar(nMenuID)) return FALSE;
    if (m_pFrame) m_pFrame->DelayRecalcLayout();
    return TRUE;
}

BOOL CCommandBar::InsertSeparator(int nWidth) {
    CommandBarControl* bar = GetControl();
    if (!bar) return FALSE;
    bar->InsertSeparator(nWidth);
    if (m_pFrame) m_pFrame->DelayRecalcLayout();
    return TRUE;
}

BOOL CCommandBar::LoadToolBar(UINT nIDResource) {
    CommandBarControl* bar = GetControl();
    if (!bar || !bar->AddToolbar(nIDResource)) return FALSE;
    if (m_pFrame) m_pFrame->DelayRecalcLayout();
    return TRUE;
}

BOOL CCommandBar::AddAdornments(DWORD dwFlags) {
    CommandBarControl* bar = GetControl();
    if (!bar) return FALSE;
    bar->AddAdornments(dwFlags);
    if (m_pFrame) m_pFrame->DelayRecalcLayout();
    return TRUE;
}

void CCommandBar::SetBarStyle(DWORD dwStyle) {
    m_dwStyle = dwStyle & CBRS_ALL;
    if (m_pFrame) m_pFrame->DelayRecalcLayout();
}

int CCommandBar::CalcHeight(int cx) const {
    CommandBarControl* bar = GetControl();
    return bar ? bar->HeightFor(cx) : 0;
}

void CCommandBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {
    CommandBarControl* bar = GetControl();
    if (!bar || !pTarget) return;
    CToolButtonCmdUI state(*bar);
    const auto& items = bar->Items();
    state.m_nIndexMax = static_cast<UINT>(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind != CommandBarControl::Item::Button) continue;
        state.m_nID = items[i].id;
        state.m_nIndex = static_cast<UINT>(i);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

void CCommandBar::OnDestroy() {
    if (m_pFrame) m_pFrame->RemoveControlBar(this);
    m_pFrame = nullptr;
    CWnd::OnDestroy();
}
