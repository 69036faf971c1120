// The program's CPU load while it follows a receiver: the real quorvel
// command (headless, on a fresh device root in a temporary folder) with the
// receiver simulator at 20 Hz and its eight sentences an epoch on a
// pseudo-terminal as COM1. After it has settled, the CPU time the program's
// process uses over a fixed stretch of real time is read from /proc and
// reported as a share of one core ("cpu_pct"; the goal is under 1 %), with
// the simulator's own ("sim_cpu_pct") and the machine's load average at
// the end ("load1"), since the machine may be shared.
//
// "snapshots" 1 keeps DIR/latest.png following the screen (the default of
// a headless run without a script); 0 takes the script from a pipe that
// stays open and silent, which turns them off. "screen" 1 (with a script)
// first makes the point-measuring screen current, which draws every fix.
//
// One iteration takes about half a minute; run a single case with
//   bench_program --benchmark_filter='snapshots:0'
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kSettle = std::chrono::seconds(5);
constexpr auto kMeasure = std::chrono::seconds(20);

// A child process with its standard output in a file and, on request, its
// standard input a pipe held open here.
class Child {
  public:
    Child(const std::vector<std::string>& argv, const std::string& out, bool inputPipe) {
        int pipeFds[2] = {-1, -1};
        if (inputPipe && pipe2(pipeFds, O_CLOEXEC) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (outFd >= 0) dup2(outFd, STDOUT_FILENO);
            const int inFd = inputPipe ? pipeFds[0] : open("/dev/null", O_RDONLY);
            if (inFd >= 0) dup2(inFd, STDIN_FILENO);
            std::vector<char*> args;
            for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
        if (inputPipe) {
            close(pipeFds[0]);
            m_input = pipeFds[1];
        }
    }
    ~Child() { Stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Write(const std::string& text) {
        return m_input >= 0 &&
               write(m_input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    }
    bool Alive() const { return m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0; }

    // Ends it as a person would (end of input, then a signal), killing it
    // only when it does not go within a few seconds.
    void Stop() {
        if (m_input >= 0) close(m_input);
        m_input = -1;
        if (m_pid <= 0) return;
        kill(m_pid, SIGTERM);
        const auto limit = Clock::now() + std::chrono::seconds(10);
        while (waitpid(m_pid, nullptr, WNOHANG) == 0) {
            if (Clock::now() > limit) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        m_pid = -1;
    }

  private:
    pid_t m_pid = -1;
    int m_input = -1;
};

// User plus system time of a process so far, in seconds; negative when it
// cannot be read.
double CpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields counted from after it.
    const size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double LoadAverage() {
    double load = -1;
    std::ifstream("/proc/loadavg") >> load;
    return load;
}

// The first line the simulator prints: its terminal's path.
std::string WaitForFirstLine(const std::string& path) {
    const auto limit = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < limit) {
        std::ifstream in(path);
        std::string line;
        if (std::getline(in, line) && in.good()) return line;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

void BM_ProgramCpu(benchmark::State& state) {
    const bool snapshots = state.range(0) != 0;
    const bool screen = state.range(1) != 0;
    // Short: the window-sharing socket lives under the device root.
    std::string pattern = (fs::temp_directory_path() / "qcpu-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("cannot make a temporary folder");
        return;
    }
    const std::string dir = pattern;
    for (auto _ : state) {
        Child sim({QUORVEL_GNSS_SIM, "--rate", "20"}, dir + "/sim.out", false);
        const std::string pty = WaitForFirstLine(dir + "/sim.out");
        if (pty.empty()) {
            state.SkipWithError("the simulator did not start");
            break;
        }
        std::vector<std::string> args = {QUORVEL_COMMAND, "--root",      dir + "/root",
                                         "--port",        "COM1=" + pty, "--headless"};
        if (snapshots) {
            args.insert(args.end(), {"--snapshots", dir + "/snapshots"});
        } else {
            args.insert(args.end(), {"--script", "-"});
        }
        Child quorvel(args, dir + "/quorvel.out", !snapshots);
        if (screen && !quorvel.Write("command 32781\n")) {
            state.SkipWithError("the script pipe is closed");
            break;
        }
        std::this_thread::sleep_for(kSettle);
        const double before = CpuSeconds(quorvel.Pid());
        const double simBefore = CpuSeconds(sim.Pid());
        const auto start = Clock::now();
        std::this_thread::sleep_for(kMeasure);
        const double after = CpuSeconds(quorvel.Pid());
        const double simAfter = CpuSeconds(sim.Pid());
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!quorvel.Alive() || before < 0 || after < 0) {
            state.SkipWithError("the program ended early");
            break;
        }
        if (snapshots && !fs::exists(dir + "/snapshots/latest.png")) {
            state.SkipWithError("no snapshot was written");
            break;
        }
        state.counters["cpu_pct"] = 100.0 * (after - before) / seconds;
        state.counters["sim_cpu_pct"] = 100.0 * (simAfter - simBefore) / seconds;
        state.counters["load1"] = LoadAverage();
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_ProgramCpu)
    ->ArgNames({"snapshots", "screen"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
