// The dialog manager as the program's code calls on it: dialogs from
// templates, modal and modeless, the dialog procedure and its default
// handling, dialog keyboard navigation, dialog units and the item helpers.
// Names, signatures and values are those of the device's system.
//
// Templates: resource templates are found by id (MAKEINTRESOURCE) through
// the resource tables; an indirect template is the compiled form itself
// (quorvel::resources::DialogTemplate), which tests may build in code.
//
// Threads: a dialog belongs to the thread that creates it; a modal dialog
// runs its loop on that thread.
//
// Sections: styles and messages; procedures; creation; navigation and
// keyboard; units; items.
#pragma once

#include "platform/base/MessageBox.h"  // IDOK, IDCANCEL
#include "platform/base/WinTypes.h"
#include "platform/resources/Templates.h"
#include "platform/win/WinApi.h"

// ---- Styles and messages -------------------------------------------------------
#define DS_ABSALIGN 0x0001L
#define DS_SYSMODAL 0x0002L
#define DS_3DLOOK 0x0004L
#define DS_FIXEDSYS 0x0008L
#define DS_NOFAILCREATE 0x0010L
#define DS_LOCALEDIT 0x0020L
#define DS_SETFONT 0x0040L
#define DS_MODALFRAME 0x0080L
#define DS_NOIDLEMSG 0x0100L
#define DS_SETFOREGROUND 0x0200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L

#define WM_NEXTDLGCTL 0x0028

#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
// High word of a DM_GETDEFID answer that carries an id.
#define DC_HASDEFID 0x534B

// ---- Procedures ----------------------------------------------------------------
// A dialog procedure answers TRUE for a message it handled, FALSE to leave it
// to the default handling. A handled message's result goes through
// SetWindowLong(dialog, DWL_MSGRESULT, result); WM_INITDIALOG,
// WM_CTLCOLOR*, WM_COMPAREITEM, WM_VKEYTOITEM, WM_CHARTOITEM and
// WM_QUERYDRAGICON answer with the return value itself.
typedef BOOL (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// The window procedure of the dialog class: the dialog procedure first, then
// the default handling (focus kept across activation, the default button,
// WM_NEXTDLGCTL, WM_CLOSE as IDCANCEL, the dialog font, the caption's
// adornments). A framework that subclasses a dialog passes what it does not
// handle here.
LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

typedef quorvel::resources::DialogTemplate DLGTEMPLATE;
typedef const DLGTEMPLATE* LPCDLGTEMPLATE;

// ---- Creation ------------------------------------------------------------------
// Modeless: returns the dialog after WM_INITDIALOG, shown when the template
// has WS_VISIBLE. A WS_CHILD template makes a child of `parent`; otherwise
// `parent` (its top-level window) owns the dialog. NULL when the template
// does not exist or a control's class is unknown.
HWND CreateDialogParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam);
HWND CreateDialogIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                               DLGPROC proc, LPARAM initParam);
inline HWND CreateDialog(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC proc) {
    return CreateDialogParam(instance, templateName, parent, proc, 0);
}
inline HWND CreateDialogIndirect(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                 DLGPROC proc) {
    return CreateDialogIndirectParam(instance, dialogTemplate, parent, proc, 0);
}

// Modal: runs a message loop on the calling thread until EndDialog, with the
// owner (the top-level window of `parent`) disabled meanwhile and enabled
// and activated again before the dialog goes. Returns EndDialog's result,
// or -1 when the dialog could not be created.
INT_PTR DialogBoxParam(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC proc,
                       LPARAM initParam);
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                               DLGPROC proc, LPARAM initParam);
inline INT_PTR DialogBox(HINSTANCE instance, LPCTSTR templateName, HWND parent, DLGPROC proc) {
    return DialogBoxParam(instance, templateName, parent, proc, 0);
}
inline INT_PTR DialogBoxIndirect(HINSTANCE instance, LPCDLGTEMPLATE dialogTemplate, HWND parent,
                                 DLGPROC proc) {
    return DialogBoxIndirectParam(instance, dialogTemplate, parent, proc, 0);
}

// Ends a modal dialog's loop with `result` (also from WM_INITDIALOG: the
// dialog is then never shown). On a modeless dialog it only records the
// result; the program destroys the window itself.
BOOL EndDialog(HWND dialog, INT_PTR result);

// ---- Navigation and keyboard ----------------------------------------------------
// Handles the message when it is for the dialog or one of its controls:
// Tab and Shift+Tab over WS_TABSTOP controls, arrows within a WS_GROUP
// group (checking auto radio buttons), Enter for the focused push button or
// else the default button (IDOK without one), Escape as IDCANCEL, with each
// control's WM_GETDLGCODE honoured. Every other message for the dialog is
// translated and dispatched here. TRUE when the message was for the dialog.
BOOL IsDialogMessage(HWND dialog, LPMSG msg);
// The next (or previous) visible, enabled WS_TABSTOP control after `control`,
// wrapping around; `control` NULL starts at the first (or last) control.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) visible, enabled control of `control`'s group,
// wrapping within the group.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// ---- Units ---------------------------------------------------------------------
// Dialog units to pixels with the dialog's own font.
BOOL MapDialogRect(HWND dialog, LPRECT rect);
// The system font's average character width (low word) and height (high word).
LONG GetDialogBaseUnits();

// ---- Items ---------------------------------------------------------------------
UINT GetDlgItemText(HWND dialog, int id, LPTSTR buffer, int maxCount);
BOOL SetDlgItemText(HWND dialog, int id, LPCTSTR text);
// Leading and trailing blanks are allowed; *translated is FALSE for text
// that is not a number or does not fit.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and clears every other button from `first` to `last`.
BOOL CheckRadioButton(HWND dialog, int first, int last, int check);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
