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
    // Moves the clock, only while a thread sleeps on it, until the link's
    // reader is in its read loop, and no further: what goes out then leaves
    // without a pause, and a clock run on while a busy simulator has yet to
    // read it would carry the frame's watchdog past its first notice.
    bool ReachReadLoop();
    // The link is up once the simulator has both link-start frames.
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
