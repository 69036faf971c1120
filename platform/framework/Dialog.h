// CDialog: a dialog from a template, run modally (DoModal, on the dialog
// manager's modal loop) or modeless (Create: a top-level window owned by
// the parent, or a child when the template has WS_CHILD).
//
// OnInitDialog fills the controls (UpdateData(FALSE)); OK reads and
// validates them (UpdateData(TRUE)) and ends the dialog with IDOK only when
// that succeeded; Cancel, Escape and the close box end it with IDCANCEL.
// The dialog's keyboard handling (Tab, arrows, Enter, Escape) runs in its
// PreTranslateMessage, so keys typed into a dialog stay in it.
#pragma once

#include "platform/dialogs/DialogApi.h"
#include "platform/framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
  public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could
    // not be made. With no parent the main window owns the dialog.
    virtual INT_PTR DoModal();
    // A template built in code, for DoModal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    using CWnd::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

  protected:
    // The window a modal dialog is modal to: the parent's top-level window
    // (the main window's without a parent), or the enabled dialog it owns
    // that is active, so that a dialog opened from a dialog nests over it.
    HWND OwnerWindow() const;

    DECLARE_MESSAGE_MAP()

  private:
    BOOL CreateModeless(CWnd* pParentWnd);
};

// The dialog procedure the framework's dialogs run with: it turns
// WM_INITDIALOG into OnInitDialog; everything else goes through the
// message maps before it reaches the dialog manager.
BOOL AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
