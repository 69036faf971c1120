// The running program with the simulated receiver on COM1 (its own port
// setting, a quiet receiver that only logs what it is sent), over which the
// tests run the link dialogs modally: the virtual clock moved second by
// second inside the dialogs, so their timers and the frame's watchdog run
// as on the device, and what the program sent compared with references.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/AppGlobals.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/Printers.h"
#include "sim/GnssSimulator.h"
#include "tests/app/ShellTest.h"
#include "tests/app/shell/DispatchTest.h"

namespace linktest {

class LinkTest : public shelltest::ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The program started with the default job's settings changed by
    // `change`, once its receiver link has sent its start-up lists; the
    // log is then cleared.
    void StartProgram(void (*change)(SystemParams&) = nullptr);
    // Moves the clock on past the frame's first no-data notice (ten
    // silent seconds), which also clears the mailbox and sends the
    // resume frame twice; the log is then cleared.
    void PassFirstNotice();

    // Everything the receiver was sent since the log was last cleared, one
    // entry a line as the simulator logs it, without time stamps.
    std::string Sent() const;
    void ClearSent();
    // Waits until `count` entries have arrived since the log was cleared.
    bool WaitForSent(size_t count) const;

    std::unique_ptr<quorvel::sim::GnssSimulator> m_sim;
    size_t m_logStart = 0;
};

// What a control of a live dialog is told, as it happens: the texts set
// into it, for a progress bar its position after each change, for the
// dialog itself the bytes its serial port's reader brought.
class ControlWatch {
  public:
    ControlWatch() = default;
    ~ControlWatch();
    ControlWatch(const ControlWatch&) = delete;
    ControlWatch& operator=(const ControlWatch&) = delete;

    void Watch(HWND control);

    std::vector<std::wstring> texts;
    std::vector<int> positions;
    // The bytes a serial port's reader handed over (WM_BT_SERIAL_DATA).
    size_t serialBytes = 0;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_control = nullptr;
    WNDPROC m_previous = nullptr;
};

// Serves the dialog's messages (the port readers' among them) in real
// time until `done` holds; false, with a test failure naming `what`, when
// it never does.
bool ServeUntil(HWND dialog, const std::function<bool()>& done, const std::string& what);

// `seconds` of the virtual clock, one second at a time, with the messages
// each second brings served (the dialog's timers, the frame's watchdog).
void Tick(HWND dialog, int seconds);
using shelltest::ItemEnabled;
using shelltest::ItemText;
// The information display's page on top, and a stylus tap on a tab.
HWND Page(HWND dialog);
void TapTab(HWND dialog, int index);

// A text compared with tests/app/link/data/<name>; written there only in
// an update run (QUORVEL_UPDATE_REFERENCES=1).
void ExpectMatchesText(const std::string& text, const std::string& name);

}  // namespace linktest
