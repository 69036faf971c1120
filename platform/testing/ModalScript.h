// Scripted answers for every modal dialog and message box a test runs into.
//
//   quorvel::testing::ModalScript modals;
//   modals.ExpectDialog(IDD_SETTINGS).SetText(IDC_HEIGHT, L"1.5").Click(IDOK);
//   modals.ExpectMessageBox(L"保存").Answer(IDYES);
//   ... run the code that shows them ...
//   EXPECT_EQ(modals.Transcript(), "...");
//
// Each modal, when its loop starts, is matched with the next expectation in
// order (a dialog by template id, a message box by a piece of its text).
// The expectation's actions then run on the live dialog, on its own thread:
// messages to its controls, keys through the window manager, clicks, so
// that the dialog's own handlers and data exchange run as they would for a
// user. Modals opened by an action (a prompt from OnOK, a nested dialog)
// take the next expectations while the action runs.
//
// A modal nobody expected, or one still open after its actions (unless the
// expectation says it ends later), fails the test at once: a gtest failure
// is recorded and the modal ends with IDCANCEL. A watchdog ends any modal
// that runs too long, so a test never hangs. Expectations left over fail the
// test when the script goes.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/win/WinApi.h"

namespace quorvel::testing {

class ModalStep {
  public:
    // WM_SETTEXT on the control; an edit then tells its dialog EN_CHANGE.
    ModalStep& SetText(int id, LPCTSTR text);
    // Focus to the control, then each character typed through the window
    // manager's input, as keys from the keyboard are.
    ModalStep& Type(int id, LPCTSTR text);
    // A click of a button (BM_CLICK): auto check boxes and radio buttons
    // change state, the dialog gets BN_CLICKED.
    ModalStep& Click(int id);
    // Checks or clears a check box or radio button the way a click does.
    ModalStep& Check(int id, bool checked = true);
    // Selects item `index` of a list box or combo box and tells the dialog
    // (LBN_SELCHANGE / CBN_SELCHANGE), as a user's choice does; of a list
    // view, makes the row the only selected one and the focused one.
    ModalStep& Select(int id, int index);
    // A key pressed and released (to the focus).
    ModalStep& Key(UINT virtualKey);
    // A message box's answer: presses its button IDOK, IDYES, IDNO ...
    ModalStep& Answer(int buttonId);
    // Anything else, with the dialog's handle.
    ModalStep& Do(std::function<void(HWND dialog)> action);
    // The dialog stays open after the actions and ends by itself later.
    ModalStep& EndsLater();

  private:
    friend class ModalScript;
    struct Action {
        std::string description;
        std::function<void(HWND)> run;
    };
    ModalStep& Add(std::string description, std::function<void(HWND)> run);

    UINT m_templateId = 0;
    CString m_text;  // for message boxes
    bool m_isBox = false;
    bool m_endsLater = false;
    std::vector<Action> m_actions;
};

class ModalScript {
  public:
    // watchdogMs: the longest any modal may run before it is ended.
    explicit ModalScript(uint32_t watchdogMs = 10000);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalStep& ExpectDialog(UINT templateId);
    ModalStep& ExpectMessageBox(LPCTSTR textPart);

    // Every modal shown, indented by nesting, with what was done to it and
    // how it ended, one line each (UTF-8):
    //   dialog 2001 "设置"
    //     set 1001 "abc"
    //     click 1
    //     message box "Quorvel" "请输入一个数字。"
    //       answer 1
    //       closed
    //     closed
    std::string Transcript() const;
    int Pending() const;

    // For the hook; runs on the modal's thread.
    dialogs::ModalVerdict OnModal(const dialogs::ModalInfo& info);
    void OnFailure(const dialogs::ModalFailure& failure);
    void OnClosed(int depth);

  private:
    void Note(int depth, const std::string& line);
    void RunStep(const dialogs::ModalInfo& info, const ModalStep& step);

    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<ModalStep>> m_steps;
    size_t m_next = 0;
    std::vector<std::string> m_transcript;
    dialogs::ModalHook m_previousHook;
    dialogs::ModalFailureHandler m_previousFailure;
};

// Runs the dialog's loop steps by hand: every queued message (keys offered
// to the pre-translation and the dialog's keyboard handling first), until
// none is left.
void PumpDialogMessages(HWND dialog);

}  // namespace quorvel::testing
