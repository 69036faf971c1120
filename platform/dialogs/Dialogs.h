// What the rest of the platform (framework, testing, the application's
// start-up) needs of the dialog manager beyond the program's own calls:
// start-up, the real message box, the modal hook through which tests answer
// every modal dialog and message box, and small helpers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/resources/DialogUnits.h"
#include "platform/win/WinApi.h"

namespace quorvel::dialogs {

// Registers the dialog class and the standard control classes and hands the
// window manager its default painting. Creating a dialog does it too.
// Calling it again does no harm.
void Install();

// Installs the real message box as base's MessageBoxHandler (and Install()).
// Boxes are modal dialogs built in code: the icon, the text wrapped to fit
// the screen, the buttons of the type with Chinese labels ("确定", "取消",
// "是", "否", "重试", "中止", "忽略"), the MB_DEFBUTTONn default, Escape as
// Cancel (OK for MB_OK; nothing when there is neither), Enter as the focused
// button. A box runs its loop on the asking thread; an owner of another
// thread is not disabled.
void InstallMessageBoxes();

// ---- The modal hook ---------------------------------------------------------------
// What a modal loop that starts is showing. Dialogs have their template id
// (indirect templates too) and caption; message boxes have template id 0,
// their caption, text and MB_* type.
struct ModalInfo {
    HWND dialog = nullptr;
    UINT templateId = 0;
    CString caption;
    CString text;
    UINT type = 0;
    int depth = 0;  // 1 for the outermost modal loop of the thread
    bool messageBox = false;
    DWORD thread = 0;    // the thread whose loop it is
    bool ended = false;  // ended, its loop not yet returned (AllRunningModals)
};

enum class ModalVerdict {
    kProceed,     // the loop runs; the hook may already have ended the dialog
    kUnexpected,  // nobody expected this modal: it ends at once with IDCANCEL
};

// Called on the dialog's thread by every modal dialog and message box when
// its loop starts: after WM_INITDIALOG, once the dialog is shown, before any
// message is retrieved. The hook may send messages, inject input and call
// EndDialog. A dialog ended from WM_INITDIALOG never reaches the hook.
// Empty: no hook (the default), and nothing changes.
using ModalHook = std::function<ModalVerdict(const ModalInfo&)>;
ModalHook SetModalHook(ModalHook hook);  // returns the previous hook

// A modal that failed: refused by the hook, or stopped by the watchdog.
struct ModalFailure {
    ModalInfo info;
    std::string reason;
};
// Called at once on the dialog's thread; without a handler the failure is
// written to stderr. Failures are also kept until taken.
using ModalFailureHandler = std::function<void(const ModalFailure&)>;
ModalFailureHandler SetModalFailureHandler(ModalFailureHandler handler);
std::vector<ModalFailure> TakeModalFailures();

// Safety net for tests: a modal loop that runs longer than `ms` without
// being ended, on the active clock or in real time, whichever comes first,
// is ended with IDCANCEL and recorded as a failure. The real-time limit
// catches a loop on the virtual clock that nobody moves. 0 (the default)
// turns it off.
void SetModalWatchdog(uint32_t ms);

// Modal loops (dialogs and message boxes) running on the calling thread.
int ModalDepth();
// What those loops show, the outermost first (an ended one stays listed
// until its loop has returned).
std::vector<ModalInfo> RunningModals();

// ---- Every thread's modals -------------------------------------------------------------
// A box of a worker thread (a port that cannot be opened) runs its loop on
// that thread; whoever drives or ends the program must see and end it too.
//
// The modal loops of every thread of the process, in the order they
// started (so each thread's outermost first), with `ended` set for one that
// has been ended and whose loop has not yet returned.
std::vector<ModalInfo> AllRunningModals();
// Ends the running modal loop of `dialog`, whatever thread runs it, as
// EndDialog does on the dialog's own thread. False when no loop runs it.
bool EndModal(HWND dialog, INT_PTR result);
// The program's ending: every modal loop of every thread ends with
// IDCANCEL, those running now and, until it is turned off, any that starts
// (before its hook, once it shows); what a dialog's code does after its
// loop returns is its own.
void CancelEveryModal(bool on);

// ---- Helpers ------------------------------------------------------------------------
// Centres a window over `over` (default: a child's parent, else the owner,
// else the screen), kept on the screen.
void CenterWindow(HWND hwnd, HWND over = nullptr);

// Whether the window is a dialog made by this manager.
bool IsDialogWindow(HWND hwnd);
// The id of the template a dialog was made from; 0 for message boxes and
// other windows.
UINT DialogTemplateId(HWND dialog);
// The base units of a dialog's font (the system font's for other windows).
resources::DialogBaseUnits DialogUnitsOf(HWND dialog);

}  // namespace quorvel::dialogs
