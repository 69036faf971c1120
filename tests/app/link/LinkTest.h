// The running program with the simulated receiver on COM1 (its own port
// setting, a quiet receiver that only logs what it is sent), over which the
// tests run the link dialogs modally: the virtual clock moved second by
// second inside the dialogs, so their timers and the frame's watchdog run
// as on the device, and what the program sent compared with references.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/Printers.h"
#include "sim/GnssSimulator.h"
#include "tests/app/ShellTest.h"

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

    // The job's settings as its file holds them now.
    static SystemParams SavedSettings();

    std::unique_ptr<quorvel::sim::GnssSimulator> m_sim;
    size_t m_logStart = 0;
};

// `seconds` of the virtual clock, one second at a time, with the messages
// each second brings served (the dialog's timers, the frame's watchdog).
void Tick(HWND dialog, int seconds);
std::wstring ItemText(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);

// A text compared with tests/app/link/data/<name>; written there only in
// an update run (QUORVEL_UPDATE_REFERENCES=1).
void ExpectMatchesText(const std::string& text, const std::string& name);

}  // namespace linktest
