// A program run as a child process, for the end-to-end tests: in a given
// folder, with text on its standard input, its output collected in files
// there. Each child leads a process group of its own, so whatever it starts
// in turn (a simulator, a shell script's programs) goes with it.
//
//   ChildProcess quorvel(kQuorvel, {"--root", "root", "--script", "-"}, dir);
//   quorvel.Write("expect \"ready\"\n");
//   quorvel.CloseInput();
//   const ProcessResult r = quorvel.Wait();
//   EXPECT_EQ(r.status, 0) << r.err;
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::testing {

struct ProcessResult {
    int status = -1;  // exit status, 128 + the signal when killed; -1 when still running
    std::string out;
    std::string err;
};

class ChildProcess {
  public:
    // Starts `program` with `args` in `dir`. Standard output and error go to
    // <dir>/stdout.txt and stderr.txt, or <name>.stdout.txt and
    // <name>.stderr.txt when a name is given. The standard input is a pipe
    // kept open until CloseInput. `inChild` runs in the child just before
    // the program starts (limits, signal dispositions); it may only make
    // system calls.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& dir, const std::string& name = {},
                 const std::function<void()>& inChild = {});
    // Kills what is left of the process group.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void Write(const std::string& text);
    void CloseInput();
    void Signal(int sig);
    // The exit status once the child has ended, without waiting.
    std::optional<int> Exited();
    // Waits (real time, generous: it only bounds a hang) for the exit; kills
    // the group after `limitMs`.
    ProcessResult Wait(int limitMs = 60000);
    // True when no process of the child's group is left, the child's own
    // children included.
    bool GroupGone() const;

    std::string StdoutPath() const { return m_out; }
    std::string StderrPath() const { return m_err; }

  private:
    pid_t m_pid = -1;
    pid_t m_group = -1;
    int m_input = -1;
    std::optional<int> m_status;
    std::string m_out, m_err;
};

// Runs to the end with `input` on stdin.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, const std::string& input = {});

// The bytes of a host file; empty when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace quorvel::testing
