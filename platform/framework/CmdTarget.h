// Command targets and their message maps.
//
// A class that handles messages, notifications or commands writes
// DECLARE_MESSAGE_MAP() in its body and, in its source file,
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_TIMER()
//       ON_BN_CLICKED(IDC_GO, OnGo)
//   END_MESSAGE_MAP()
// The entries (platform/framework/MessageMap.h) bind each message to a
// handler with the framework's signature, checked when the map is compiled.
// A map is searched from the most derived class to CCmdTarget; the first
// entry that matches handles the message.
//
// Commands (menu items, toolbar buttons, control notifications) go through
// OnCmdMsg, which classes that route commands further (frame, view,
// document) override. The update pass asks the same maps, with a CCmdUI,
// whether a command is enabled, checked or what its text is.
#pragma once

#include "platform/base/CString.h"
#include "platform/framework/Object.h"
#include "platform/win/WinApi.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

namespace quorvel::framework {

// One call of a handler: the message as it came, and what the dispatcher
// worked out of it for commands and notifications.
struct MsgCall {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT result = 0;
    UINT id = 0;            // command or control id
    void* extra = nullptr;  // CCmdUI* for update handlers, NMHDR* for notifications
    LRESULT* notifyResult = nullptr;
};

// Calls the handler an entry names; FALSE when the handler declined (the _EX
// forms) so that the search goes on.
using MsgThunk = BOOL (*)(CCmdTarget* target, MsgCall& call);

}  // namespace quorvel::framework

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_*, WM_COMMAND, WM_NOTIFY, or a reflected form
    UINT nCode;     // notification code, CN_UPDATE_COMMAND_UI, or 0
    UINT nID;       // first control or command id
    UINT nLastID;   // last id of a range (nID for one id)
    quorvel::framework::MsgThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// OnCmdMsg codes besides control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)
// Reflected messages are searched under WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00

// What OnCmdMsg fills in when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

// Notifications travel through OnCmdMsg with nCode MAKELONG(code, WM_NOTIFY)
// and this as pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    void* pNMHDR;
};

#define DECLARE_MESSAGE_MAP()                     \
  protected:                                      \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        typedef theClass ThisClass;                     \
        typedef baseClass TheBaseClass;                 \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, 0, 0, nullptr }                                                                       \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
  public:
    CCmdTarget() = default;

    // Routes a command (nCode CN_COMMAND or a control notification), an
    // update request (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) or a
    // notification (MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY) to this
    // object's map. With pHandlerInfo it only says whether a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The entry that handles `message` with `code` for `id`, searched from
    // this class up; null when none does.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;

    // The wait cursor while a long operation runs on this thread. Calls
    // nest: the cursor shown before the outermost Begin comes back with its
    // End. Restore shows the wait cursor again after something (a message
    // box) changed it meanwhile.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

  protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// The state of one user-interface item (menu item, toolbar button, or a
// control) that an ON_UPDATE_COMMAND_UI handler sets. The command bar
// derives its own for menu items and buttons; this base one acts on
// m_pOther, a window standing for the command, when there is one.
class CCmdUI {
  public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    // Overrides set m_bEnableChanged (or call this one).
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks `target` for this item's state. Without any update handler the item
    // is disabled when bDisableIfNoHandler is set and nothing would handle
    // the command itself. TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* target, BOOL bDisableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;  // index of the item in its menu or bar
    UINT m_nIndexMax = 0;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// The wait cursor for the object's lifetime.
class CWaitCursor {
  public:
    CWaitCursor() { m_target.BeginWaitCursor(); }
    ~CWaitCursor() { m_target.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore() { m_target.RestoreWaitCursor(); }

  private:
    CCmdTarget m_target;
};
