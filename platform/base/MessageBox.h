// Message boxes: MessageBox and AfxMessageBox hand every request to one
// handler. The dialogs library installs the handler that shows a real box;
// tests install a MessageBoxRecorder that answers from a script.
//
// With no handler installed, a request is written to stderr and answered
// with the box's default button, so nothing ever waits for a user that is
// not there.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/WinTypes.h"

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_TYPEMASK 0x0000000Fu
#define MB_ICONHAND 0x00000010u
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0u
#define MB_DEFBUTTON1 0x00000000u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_DEFMASK 0x00000F00u
#define MB_APPLMODAL 0x00000000u
#define MB_SETFOREGROUND 0x00010000u
#define MB_TOPMOST 0x00040000u

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// A null caption is "Error", as on the device.
int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);
// Caption: the program title (quorvel::SetAppTitle).
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
// Text from the string table; an id without a string shows empty text.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));

namespace quorvel {

struct MessageBoxRequest {
    HWND owner;
    CString text;
    CString caption;
    UINT type;
    DWORD threadId;
    // Raised through AfxMessageBox: the framework's box is modal to the
    // caller's active window, which the window layer knows and base does not.
    bool framework = false;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Installs `handler` (empty: none) and returns the previous one. Safe from
// any thread; a request already being answered keeps its handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

void SetAppTitle(LPCTSTR title);
CString GetAppTitle();

// The buttons of a box type, in order, and its default button's answer.
std::vector<int> MessageBoxButtons(UINT type);
int DefaultMessageBoxAnswer(UINT type);
// The answer a user gives by backing out: Cancel, else No, else Abort,
// else OK.
int EscapeMessageBoxAnswer(UINT type);

// Test helper: answers every box from a script and records it.
//   MessageBoxRecorder boxes;             // every box must be expected
//   boxes.Expect(L"保存", IDYES);         // next box's text contains "保存"
//   ... run the code ...
//   EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
// Expectations are met in order. A box that does not match the next one is
// unexpected: it is recorded and flagged, and answered with the default
// answer if one was set, otherwise as a user backing out. A default answer
// also answers boxes when no expectation is left, without flagging them.
class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    explicit MessageBoxRecorder(int defaultAnswer);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void Expect(LPCTSTR textSubstring, int answer);
    void SetDefaultAnswer(int answer);
    // Called at once, on the asking thread, for each unexpected box.
    void OnUnexpected(std::function<void(const MessageBoxRequest&)> callback);

    std::vector<MessageBoxRequest> Requests() const;
    int Count() const;
    std::vector<MessageBoxRequest> Unexpected() const;
    int PendingExpectations() const;
    // No unexpected box and no expectation left over.
    bool AllAnswered() const;
    // A readable list of the boxes and what went wrong, for test output.
    std::string Report() const;

  private:
    struct State;  // shared with the installed handler, which may outlive us
    std::shared_ptr<State> m_state;
    MessageBoxHandler m_previous;
};

}  // namespace quorvel
