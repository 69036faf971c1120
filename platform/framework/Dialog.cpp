#include "platform/framework/Dialog.h"

#include "platform/framework/AfxGlobals.h"
#include "platform/framework/FrameworkInternal.h"
#include "platform/framework/MessageMap.h"
#include "platform/resources/Resources.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

using quorvel::framework::CreateHookScope;

BOOL AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return dialog ? dialog->OnInitDialog() : TRUE;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)),
      m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<uintptr_t>(lpszTemplateName));
    }
}

CDialog::~CDialog() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

namespace {

HWND TopLevelOf(HWND hWnd) {
    while (hWnd && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
    return hWnd;
}

bool OwnedBy(HWND popup, HWND owner) {
    for (HWND h = ::GetWindow(popup, GW_OWNER); h; h = ::GetWindow(h, GW_OWNER)) {
        if (h == owner) return true;
    }
    return false;
}

}  // namespace

// A dialog opened with no parent from inside another modal dialog belongs to
// that dialog, the active window the main window owns, so that the dialog
// under it is disabled while it runs.
HWND CDialog::OwnerWindow() const {
    CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND owner = TopLevelOf(parent ? parent->GetSafeHwnd() : nullptr);
    const HWND active = ::GetActiveWindow();
    if (owner && active && active != owner && ::IsWindowEnabled(active) && OwnedBy(active, owner)) {
        owner = active;
    }
    return owner;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal() {
    const HWND owner = OwnerWindow();
    const HINSTANCE instance = AfxGetResourceHandle();
    CreateHookScope scope(this);
    if (m_lpDialogTemplate) {
        return ::DialogBoxIndirectParam(instance, m_lpDialogTemplate, owner, AfxDlgProc, 0);
    }
    return ::DialogBoxParam(instance, m_lpszTemplateName, owner, AfxDlgProc, 0);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    m_lpDialogTemplate = nullptr;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0) {
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<uintptr_t>(lpszTemplateName));
    }
    return CreateModeless(pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    m_lpDialogTemplate = lpDialogTemplate;
    return CreateModeless(pParentWnd);
}

BOOL CDialog::CreateModeless(CWnd* pParentWnd) {
    if (!pParentWnd) pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    const HWND parent = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    const HINSTANCE instance = AfxGetResourceHandle();
    HWND made;
    {
        CreateHookScope scope(this);
        made =
            m_lpDialogTemplate
                ? ::CreateDialogIndirectParam(instance, m_lpDialogTemplate, parent, AfxDlgProc, 0)
                : ::CreateDialogParam(instance, m_lpszTemplateName, parent, AfxDlgProc, 0);
    }
    return made != nullptr;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult) {
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::NextDlgCtrl() const {
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const {
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl) {
        ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
    }
}

void CDialog::SetDefID(UINT nID) {
    ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const {
    ::MapDialogRect(m_hWnd, lpRect);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
    return PreTranslateInput(pMsg);
}
