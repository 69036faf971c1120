// The harness of the end-to-end tests: the real quorvel command and the
// receiver simulator as processes, on the real clock.
//
// Each test gets a short temporary folder (the window-sharing socket lives
// under the root, and socket paths are short) holding the device root
// "root", the scripts and whatever the runs leave; and a receiver simulator
// on a pseudo-terminal linked as "gnss", which every run gets as COM1.
// Nothing waits a fixed time: a run is waited for until it ends, and an
// interactive run is followed by the dumps it writes, each within a
// generous deadline that only bounds a hang.
//
//   TEST_F(QuorvelTest, Example) {
//       const ProcessResult r = RunScript("expect \"Quorvel<ruvo.dat>\"\n");
//       EXPECT_EQ(r.status, 0) << r.err;
//       auto quorvel = StartInteractive();
//       const std::optional<std::string> tree = RunLines(*quorvel, "key h\n");
//   }
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/ChildProcess.h"
#include "platform/testing/TempDeviceRoot.h"

namespace e2e {

using quorvel::testing::ChildProcess;
using quorvel::testing::ProcessResult;

// Bounds a hang; a passing run takes a second or two.
inline constexpr int kRunMs = 60000;

// The title the default job's main window shows.
inline constexpr const char* kTitle = "Quorvel<ruvo.dat>";
inline constexpr const char* kExitQuestion = "确定退出程序吗?";

// A box's answer: the button for boxes whose text holds `text`.
struct BoxAnswer {
    std::string text;
    std::string button;  // OK, CANCEL, YES or NO
};

class QuorvelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Host paths in the test's folder and under the device root.
    std::string Path(const std::string& relative) const {
        return m_folder->Path() + "/" + relative;
    }
    std::string Host(const std::string& relative) const { return Path("root/" + relative); }
    std::string ReadHost(const std::string& relative) const;
    void WriteHost(const std::string& relative, const std::string& bytes) const;
    // A reference file of tests/e2e/data or tests/app/data.
    static std::string Reference(const std::string& name);

    // The root, the simulator as COM1, then `more`.
    std::vector<std::string> Args(const std::vector<std::string>& more = {}) const;
    // Runs quorvel to its end with `script` as its script file.
    ProcessResult RunScript(const std::string& script, const std::vector<std::string>& more = {});
    // Starts quorvel taking its script from standard input, with `more`
    // options after the root and COM1.
    std::unique_ptr<ChildProcess> StartInteractive(const std::string& name = "quorvel",
                                                   const std::vector<std::string>& more = {});
    // Sends `lines`, then a dump: the window tree once the lines have run,
    // nothing when the program ended first (or, failing the test, never
    // got there).
    std::optional<std::string> RunLines(ChildProcess& quorvel, const std::string& lines);
    // Sends `lines`, then follows the program through the message boxes it
    // shows, answering each as `answers` says (OK when none matches), until
    // its main window shows without a box or it ends. One line each:
    //   box "CAPTION" "TEXT" [BUTTON...] -> ANSWER
    //   main window "TITLE"
    //   ended STATUS
    std::string TraceBoxes(ChildProcess& quorvel, const std::string& lines = {},
                           const std::vector<BoxAnswer>& answers = {});

    // The receiver simulator started afresh with `more` options (a place,
    // a rate) on the same link.
    void RestartSimulator(const std::vector<std::string>& more);
    // Ends the receiver simulator: the program's COM1 hangs up.
    void StopSimulator();
    // Waits until the program has sent the receiver the last line of its
    // set-up, as the simulator's `--log` file shows: its reader has opened
    // the port (and written the registry doing so) and reads on quietly.
    bool WaitForReceiverSetUp(const std::string& log);

    // The first start on the empty root, left as it leaves it.
    void FirstStart();
    // The default job's central meridian moved to the receiver's (114°), so
    // that no parameter prompt takes the keys.
    void SetMeridianAtReceiver();
    // A key of the default job's settings file, set before the start.
    void SetSetting(const std::string& key, const std::string& value);
    // The receiver replays `lines` from the test's file `name`, one line an
    // epoch, CR LF ended; `more` options after that.
    void ReplayLines(const std::string& name, const std::vector<std::string>& lines,
                     const std::vector<std::string>& more = {});
    // One fixed position, 22°30' N 114°15' E, sent again every second;
    // `more` options after it.
    void StandStill(const std::vector<std::string>& more = {});
    // Quits through the exit question; the program must end well.
    void Quit(ChildProcess& quorvel);
    // Every entry under the root, by relative path: a file's bytes, "<dir>"
    // for a folder. The window-sharing sockets are left out.
    std::map<std::string, std::string> RootEntries() const;
    // A REG_SZ value of the root's registry; "<none>" when there is none.
    std::string RegistryText(const std::wstring& subKey, const std::wstring& name) const;

    static bool IsPng(const std::string& path);
    // A job's .ini as a start that read it writes it back: the title line
    // is never read, so the record keeps the default job's; "Port" 3 reads
    // as its newer spelling 1.
    static std::string WrittenBack(const std::string& ini);

  private:
    std::unique_ptr<quorvel::testing::TempFolder> m_folder;
    std::unique_ptr<ChildProcess> m_simulator;
    int m_dumps = 0;
};

// The first start's root with the job's meridian at the receiver, and the
// receiver standing still: where the store and stake-out flows begin.
class StillReceiverTest : public QuorvelTest {
  protected:
    void SetUp() override;
};

// Quotes a text for a script line.
std::string ScriptQuoted(const std::string& text);
// An NMEA sentence from its body: "$", the body, "*" and its checksum.
std::string Checksummed(const std::string& body);
// The lines of a text cut at CR LF (a last line without one is left out).
std::vector<std::string> LinesOf(const std::string& text);

}  // namespace e2e
