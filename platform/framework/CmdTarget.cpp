#include "platform/framework/CmdTarget.h"

#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/framework/Wnd.h"

using quorvel::framework::MsgCall;

namespace {

// The wait cursor is the thread's, not one object's: a dialog may begin it
// and its document end it.
thread_local int t_waitDepth = 0;
thread_local HCURSOR t_beforeWait = nullptr;

HCURSOR WaitCursor() {
    return ::LoadCursor(nullptr, IDC_WAIT);
}

}  // namespace

void CCmdTarget::BeginWaitCursor() {
    const HCURSOR before = ::SetCursor(WaitCursor());
    if (t_waitDepth++ == 0) t_beforeWait = before;
}

void CCmdTarget::EndWaitCursor() {
    if (t_waitDepth == 0) return;
    if (--t_waitDepth == 0)
        ::SetCursor(t_beforeWait ? t_beforeWait : ::LoadCursor(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor() {
    if (t_waitDepth > 0) ::SetCursor(WaitCursor());
}

const CRuntimeClass CCmdTarget::classCCmdTarget = {
    "CCmdTarget", static_cast<int>(sizeof(CCmdTarget)), 0xFFFF, nullptr, &CObject::classCObject};

CRuntimeClass* CCmdTarget::GetRuntimeClass() const {
    return RUNTIME_CLASS(CCmdTarget);
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

namespace {

// Notification codes are negative numbers carried in 16 or 32 bits
// depending on the path, so only their low words are compared.
bool Matches(const AFX_MSGMAP_ENTRY& e, UINT message, UINT code, UINT id) {
    if (e.nMessage != message) return false;
    const bool notify = message == WM_NOTIFY || message == WM_REFLECT_BASE + WM_NOTIFY;
    if (notify ? LOWORD(e.nCode) != LOWORD(code) : e.nCode != code) return false;
    return id >= e.nID && id <= e.nLastID;
}

}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (Matches(*e, message, code, id)) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    MsgCall call;
    call.id = nID;
    UINT message = WM_COMMAND;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI && HIWORD(code) == WM_NOTIFY) {
        message = WM_NOTIFY;
        code = LOWORD(code);
        auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
        call.extra = notify ? notify->pNMHDR : nullptr;
        call.notifyResult = notify ? notify->pResult : nullptr;
    } else {
        call.extra = pExtra;
    }
    call.message = message;
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (!Matches(*e, message, code, nID)) continue;
            if (pHandlerInfo) {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            if (e->pfn(this, call)) return TRUE;
        }
    }
    return FALSE;
}

// ---- CCmdUI ----

void CCmdUI::Enable(BOOL bOn) {
    if (m_pOther) {
        // A control that loses the enabled state while it has the focus would
        // leave the focus nowhere: it goes to the next control first.
        if (!bOn && ::GetFocus() == m_pOther->GetSafeHwnd()) {
            if (CWnd* parent = m_pOther->GetParent()) parent->SendMessage(WM_NEXTDLGCTL, 0, 0);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pOther) m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck), 0);
}

void CCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText) {
    if (m_pOther) m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL bDisableIfNoHandler) {
    if (!target) return FALSE;
    m_bEnableChanged = FALSE;
    BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr};
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}
