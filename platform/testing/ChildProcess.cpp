#include "tests/launcher/ChildProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

namespace launcher_test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& dir)
    : m_dir(dir) {
    int in[2];
    if (pipe(in) != 0) return;
    const std::string out = dir + "/stdout.txt", err = dir + "/stderr.txt";
    m_pid = fork();
    if (m_pid == 0) {
        dup2(in[0], 0);
        close(in[0]);
        close(in[1]);
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, 1);
        dup2(e, 2);
        if (chdir(dir.c_str()) != 0) _exit(126);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    m_input = in[1];
}

ChildProcess::~ChildProcess() {
    CloseInput();
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

void ChildProcess::Write(const std::string& text) {
    if (m_input >= 0) (void)!write(m_input, text.data(), text.size());
}

void ChildProcess::CloseInput() {
    if (m_input >= 0) close(m_input);
    m_input = -1;
}

void ChildProcess::Signal(int sig) {
    if (m_pid > 0) kill(m_pid, sig);
}

ProcessResult ChildProcess::Wait(int limitMs) {
    ProcessResult result;
    int status = 0;
    const bool exited =
        WaitUntil([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; }, limitMs);
    if (exited) {
        m_pid = -1;
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    result.out = ReadFile(m_dir + "/stdout.txt");
    result.err = ReadFile(m_dir + "/stderr.txt");
    return result;
}

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& dir, const std::string& input) {
    ChildProcess child(program, args, dir);
    child.Write(input);
    child.CloseInput();
    return child.Wait();
}

bool WaitUntil(const std::function<bool()>& condition, int limitMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace launcher_test
