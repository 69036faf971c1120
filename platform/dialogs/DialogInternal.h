// What the dialog manager keeps for each dialog, and the pieces its files
// share. Internal to platform/dialogs.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/base/Collections.h"
#include "platform/base/Geometry.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/dialogs/Dialogs.h"

namespace quorvel::dialogs::detail {

inline constexpr const wchar_t* kDialogClass = L"Dialog";
// Where the state pointer sits in the dialog's extra window bytes, after
// the three public slots.
inline constexpr int kStateSlot = DWLP_USER + static_cast<int>(sizeof(void*));

// The loop of a modal dialog, shared with its window so that EndDialog and
// the window's destruction both reach it.
struct ModalRun {
    std::atomic<bool> ended{false};
    std::atomic<INT_PTR> result{0};
    std::atomic<bool> overdue{false};  // set by the watchdog
};

struct DialogState {
    DLGPROC proc = nullptr;
    UINT templateId = 0;
    DWORD templateStyle = 0;  // WS_VISIBLE and WS_MAXIMIZE say how to show it
    HFONT font = nullptr;     // the template's font; shared, never deleted here
    resources::DialogBaseUnits units{};
    UINT defId = 0;                 // DM_SETDEFID, else the template's default button
    HWND savedFocus = nullptr;      // restored when the dialog is active again
    std::shared_ptr<ModalRun> run;  // set while a modal loop runs
    bool endedEarly = false;        // EndDialog before the loop started
    INT_PTR result = 0;
    std::vector<HANDLE> images;  // icons and bitmaps loaded for static controls
};

DialogState* StateOf(HWND dialog);
// The state the next dialog window created on this thread takes on at its
// first message.
void SetPendingState(DialogState* state);
DialogState* TakePendingState();
// A resource template named by MAKEINTRESOURCE, or null.
const resources::DialogTemplate* FindTemplate(LPCTSTR name);

// The font of a template (its FONT, else the system font) and its units.
HFONT TemplateFont(const resources::DialogTemplate& tmpl);
resources::DialogBaseUnits MeasureFont(HFONT font);

// Creates the dialog window and its controls and runs WM_INITDIALOG; the
// dialog stays hidden. Null on failure.
HWND BuildDialog(const resources::DialogTemplate& tmpl, HWND parent, DLGPROC proc, LPARAM init);
// Shows a dialog made by BuildDialog as its template asks (maximised for
// WS_MAXIMIZE).
void ShowBuiltDialog(HWND dialog, bool force);
// The modal loop over a built dialog: disables the owner, shows the dialog,
// calls the modal hook, runs until EndDialog, restores the owner and
// destroys the dialog. `info` describes the modal for the hook.
INT_PTR RunModal(HWND dialog, HWND owner, ModalInfo info);
// The owner a modal dialog disables: the top-level window of `parent`.
HWND OwnerFor(HWND parent);

// Focus to a control the way the dialog manager moves it: the text of an
// edit selected, the default push button following the focus.
void SetDialogFocus(HWND dialog, HWND control);
// The control of the dialog that has the focus (a direct child, also when
// the focus is inside a combo's edit), or null.
HWND FocusedControl(HWND dialog);
// The dialog-code bits a control answers.
UINT DialogCode(HWND control, const MSG* msg = nullptr);
// For a radio button: the checked button of its group, else itself.
HWND CheckedRadioOfGroup(HWND dialog, HWND radio);
// The button that Enter presses: the focused push button, else the default.
UINT EnterButtonId(HWND dialog);

// The caption's adornments (OK for WS_EX_CAPTIONOKBTN, close for WS_SYSMENU)
// drawn over the frame the drawing library painted.
void PaintCaptionAdornments(HWND dialog);
// Hit test and taps of the adornments; true when the point or tap was one's.
bool AdornmentHit(HWND dialog, LPARAM screenPoint);
bool AdornmentTap(HWND dialog, UINT msg, LPARAM clientPoint);

void RecordFailure(const ModalInfo& info, const std::string& reason);
ModalVerdict CallModalHook(const ModalInfo& info);

// The answer of a message box run on this thread (used by the installed
// handler).
int ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type);

}  // namespace quorvel::dialogs::detail
