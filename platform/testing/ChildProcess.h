// Runs a program as a child process for the end-to-end tests: in a given
// folder, with text on its standard input, its output collected.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace launcher_test {

struct ProcessResult {
    int status = -1;  // exit status; -1 when it did not exit in time
    std::string out;
    std::string err;
};

class ChildProcess {
  public:
    // Starts `program` with `args` in `dir`; stdout and stderr go to files
    // in `dir`. The standard input is a pipe kept open until CloseInput.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& dir);
    ~ChildProcess();

    void Write(const std::string& text);
    void CloseInput();
    void Signal(int sig);
    // Waits (real time, generous) for the exit; kills it after `limitMs`.
    ProcessResult Wait(int limitMs = 60000);

  private:
    pid_t m_pid = -1;
    int m_input = -1;
    std::string m_dir;
};

// Runs to the end with `input` on stdin.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, const std::string& input = {});

// Polls `condition` every 20 ms of real time for up to `limitMs`.
bool WaitUntil(const std::function<bool()>& condition, int limitMs = 30000);

std::string ReadFile(const std::string& path);

}  // namespace launcher_test
