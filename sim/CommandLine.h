// Option parsing shared by the two simulator programs: "--name value" and
// "--flag", each option described once for both parsing and --help.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace quorvel::sim {

struct CliOption {
    std::string name;      // "--rate"
    std::string argument;  // "HZ"; empty for a flag
    std::string help;
    // Takes the value (empty for a flag); false when it is not acceptable.
    std::function<bool(const std::string&)> apply;
};

// Applies the options of argv; false with a message on an unknown option,
// a missing or bad value. `wantHelp` is set by --help.
bool ParseCommandLine(int argc, char** argv, const std::vector<CliOption>& options, bool& wantHelp,
                      std::string& error);
std::string UsageText(const std::string& program, const std::string& summary,
                      const std::vector<CliOption>& options);

bool ParseNumber(const std::string& text, double& value);
bool ParseInteger(const std::string& text, long long& value);
// The appliers of the usual options: a number, a whole number in lo..hi.
std::function<bool(const std::string&)> NumberInto(double& target);
std::function<bool(const std::string&)> IntegerInto(int& target, long long lo, long long hi);
// "YYYY-MM-DDThh:mm:ss" (UTC) to seconds since 1970.
bool ParseUtc(const std::string& text, long long& unixSeconds);

// From here on SIGINT and SIGTERM only mark the run to end. Set before the
// terminal shows: whoever sees it may signal at once.
void CatchEndingSignals();
// Blocks until SIGINT or SIGTERM has arrived (since CatchEndingSignals) or
// `done` returns true (polled).
void WaitForSignalOr(const std::function<bool()>& done);

// The main of a simulator program: parses the options, answers --help,
// starts the simulator, prints its terminal's path as the first line and
// runs until a signal or a hang-up. Returns the process exit code.
template <typename Simulator, typename Options>
int RunSimulatorMain(int argc, char** argv, const char* program, const char* summary,
                     Options& options, const std::vector<CliOption>& cli) {
    bool help = false;
    std::string error;
    if (!ParseCommandLine(argc, argv, cli, help, error)) {
        std::fprintf(stderr, "%s: %s (try --help)\n", program, error.c_str());
        return 2;
    }
    if (help) {
        std::fputs(UsageText(program, summary, cli).c_str(), stdout);
        return 0;
    }
    CatchEndingSignals();
    Simulator sim(options);
    if (!sim.Start(error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return 1;
    }
    std::printf("%s\n", sim.Path().c_str());
    std::fflush(stdout);
    WaitForSignalOr([&sim] { return sim.HungUp(); });
    sim.Stop();
    return 0;
}

}  // namespace quorvel::sim
