// The program with a live receiver link: the simulated receiver on a
// pseudo-terminal behind COM1 and COM5 (or the quiet peer of every shell
// test, written to by the test itself), the link brought up on the virtual
// clock, and whatever the frame's dispatcher makes of the lines.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/GnssSimulator.h"
#include "tests/app/ShellTest.h"

namespace shelltest {

// A simulator's log without time stamps or line-state notes, one entry per
// text line or frame: TEXT "ecutoff,0\r\n", FRAME id=30 len=1 payload=04 xor=ok.
std::vector<std::string> LogEntries(const quorvel::sim::CommandLog& log);

// A simulated receiver behind COM1 that says nothing and logs what it is
// sent; null (with a failure) when it cannot start.
std::unique_ptr<quorvel::sim::GnssSimulator> StartQuietReceiver(const std::string& linkPath);

class DispatchTest : public ShellTest {
  protected:
    void TearDown() override;

    // A simulated receiver (a new one each call) behind COM1 and COM5.
    void StartReceiver(quorvel::sim::GnssSimOptions options = {});
    // A started program whose job has the default settings with `change`.
    CMainFrame* StartProgram(void (*change)(SystemParams&) = [](SystemParams&) {});
    // Moves the clock on in 10 ms steps, serving the reader, until `done`
    // or `clockMs` have passed.
    bool AdvanceUntil(const std::function<bool()>& done, uint64_t clockMs = 5000);
    // Serves the reader and the message queue in real time (the clock
    // stands still) until `done` or `realMs`.
    bool Serve(const std::function<bool()>& done, int realMs = 20000);
    // Writes one line (CR LF at its end) as the quiet receiver and waits,
    // serving, until the dispatcher has taken it (its CR) or `realMs` passed.
    bool Deliver(const std::string& line, int realMs = 20000);
    // The link is up once the simulator has both link-start frames; the
    // clock moves on only until the link's read loop runs.
    bool BringUpLink();

    // The simulator's log without time stamps or line-state notes.
    std::vector<std::string> LogEntries() const;
    // The text lines the program sent, line ends kept.
    std::vector<std::string> SentTexts() const;

    std::unique_ptr<quorvel::sim::GnssSimulator> m_sim;
    int m_sims = 0;
};

// A top-level window standing for the current screen: it copies every
// position it is posted, with the document's current fix at that moment.
class ScreenWindow {
  public:
    ScreenWindow();
    ~ScreenWindow();
    HWND Handle() const { return m_hwnd; }

    struct Seen {
        SurveyRecord fix;
        SurveyRecord curFix;  // the document's at the same moment
    };
    std::vector<Seen> positions;
    std::vector<SurveyRecord> notices;  // status-only (lParam 4)

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

}  // namespace shelltest
