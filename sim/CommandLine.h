// Option parsing shared by the two simulator programs: "--name value" and
// "--flag", each option described once for both parsing and --help.
#pragma once

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
// "YYYY-MM-DDThh:mm:ss" (UTC) to seconds since 1970.
bool ParseUtc(const std::string& text, long long& unixSeconds);

// Blocks until SIGINT or SIGTERM arrives or `done` returns true (polled).
void WaitForSignalOr(const std::function<bool()>& done);

}  // namespace quorvel::sim
