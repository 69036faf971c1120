// The running program with the simulated receiver on COM1, for the receiver
// set-up commands and their dialogs: the job's settings chosen before the
// start, the link started as at every start-up, the receiver's
// identification sentence written to the program as the receiver sends it,
// and what the program sent read back from the simulator's log.
//
// The receiver says nothing by itself (no epochs), so that the log holds
// only what the commands send. Two things that the receiver dispatcher of
// the frame does in the whole program are done here by the fixture: a
// GPXXX line's identification reaches the document's current fix and its
// receiver variant, and the document learns that the link has started.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sim/GnssSimulator.h"
#include "tests/app/ShellTest.h"
#include "tests/app/shell/DispatchTest.h"

namespace setuptest {

class SetupTest : public shelltest::ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A job with the default settings and `change` applied, the program
    // started and its link up; the log holds nothing yet.
    void StartProgram(void (*change)(SystemParams&) = nullptr);
    // The receiver's identification sentence, "$GPXXX,<id>,2.30,<id>,<model>,..."
    // with its checksum; returns once the document has taken it.
    void Identify(const std::string& id, const std::string& model = "Q27-1");

    // What reached the receiver since the start (or the last ClearLog), one
    // entry per text line or frame, as the simulator logs them without their
    // time stamps: TEXT "ecutoff,0\r\n", FRAME id=30 len=1 payload=04 xor=ok.
    std::vector<std::string> Log() const;
    void ClearLog();
    // Waits (real time, serving the link meanwhile) for `count` entries.
    bool WaitForLog(size_t count);
    // A reference log of tests/app/setup/data, one entry a line.
    static std::vector<std::string> ReferenceLog(const std::string& name);
    // The reference with `count` entries arrived and equals the log.
    void ExpectLog(const std::string& name);

    void Command(UINT id);
    // The text and state the command bar would give the item now.
    struct ItemState {
        std::string text;  // empty when the handler set none
        bool enabled = true;
    };
    static ItemState Item(UINT id);

    std::unique_ptr<quorvel::sim::GnssSimulator> m_sim;
};

// "%.*f" of the value.
std::string Fixed(double value, int decimals);
// A control's text, UTF-8.
std::string Text(HWND dialog, int id);
using shelltest::ItemEnabled;
// The dialog's control tree against tests/app/setup/ref/<name>.txt
// (written instead in an update run, QUORVEL_UPDATE_REFERENCES=1).
void ExpectDump(HWND dialog, const std::string& name);
// The same as a responder's action.
inline auto Dump(const std::string& name) {
    return [name](HWND dialog) { ExpectDump(dialog, name); };
}

}  // namespace setuptest
