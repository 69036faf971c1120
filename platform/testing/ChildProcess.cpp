#include "platform/testing/ChildProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <sstream>

#include "platform/testing/WaitUntil.h"

namespace quorvel::testing {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& dir, const std::string& name,
                           const std::function<void()>& inChild) {
    const std::string prefix = dir + "/" + (name.empty() ? "" : name + ".");
    m_out = prefix + "stdout.txt";
    m_err = prefix + "stderr.txt";
    int in[2];
    if (pipe2(in, O_CLOEXEC) != 0) return;
    // Everything the child needs is made before fork: after it only system
    // calls are safe in a process that may have threads.
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
        setpgid(0, 0);
        dup2(in[0], 0);
        const int o = open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, 1);
        dup2(e, 2);
        if (chdir(dir.c_str()) != 0) _exit(126);
        if (inChild) inChild();
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    if (m_pid < 0) {
        close(in[1]);
        return;
    }
    // Also here, so that the group exists before the first signal to it.
    setpgid(m_pid, m_pid);
    m_group = m_pid;
    m_input = in[1];
}

ChildProcess::~ChildProcess() {
    CloseInput();
    if (m_group > 0) kill(-m_group, SIGKILL);
    if (m_pid > 0) waitpid(m_pid, nullptr, 0);
}

void ChildProcess::Write(const std::string& text) {
    if (m_input < 0) return;
    // A child that has gone must not end the test with SIGPIPE.
    const sighandler_t previous = std::signal(SIGPIPE, SIG_IGN);
    (void)!write(m_input, text.data(), text.size());
    std::signal(SIGPIPE, previous);
}

void ChildProcess::CloseInput() {
    if (m_input >= 0) close(m_input);
    m_input = -1;
}

void ChildProcess::Signal(int sig) {
    if (m_pid > 0) kill(m_pid, sig);
}

std::optional<int> ChildProcess::Exited() {
    int status = 0;
    if (m_pid > 0 && waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return m_status;
}

ProcessResult ChildProcess::Wait(int limitMs) {
    ProcessResult result;
    const bool exited =
        WaitUntil([&] { return Exited().has_value(); }, "the child process to end", limitMs);
    if (!exited && m_group > 0) kill(-m_group, SIGKILL);
    result.status = m_status.value_or(-1);
    result.out = ReadFile(m_out);
    result.err = ReadFile(m_err);
    return result;
}

bool ChildProcess::GroupGone() const {
    return m_group <= 0 || (kill(-m_group, 0) != 0 && errno == ESRCH);
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, const std::string& input) {
    ChildProcess child(program, args, dir);
    child.Write(input);
    child.CloseInput();
    return child.Wait();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace quorvel::testing
