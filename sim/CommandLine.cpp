#include "sim/CommandLine.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace quorvel::sim {
namespace {

std::atomic<bool> g_signalled{false};

void OnSignal(int) {
    g_signalled = true;
}

long long DaysFromCivil(long long y, long long m, long long d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

}  // namespace

bool ParseCommandLine(int argc, char** argv, const std::vector<CliOption>& options, bool& wantHelp,
                      std::string& error) {
    wantHelp = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            wantHelp = true;
            return true;
        }
        const CliOption* option = nullptr;
        for (const CliOption& o : options) {
            if (o.name == arg) option = &o;
        }
        if (option == nullptr) {
            error = "unknown option " + arg;
            return false;
        }
        std::string value;
        if (!option->argument.empty()) {
            if (i + 1 >= argc) {
                error = arg + " needs " + option->argument;
                return false;
            }
            value = argv[++i];
        }
        if (!option->apply(value)) {
            error = "bad value for " + arg + ": " + value;
            return false;
        }
    }
    return true;
}

std::string UsageText(const std::string& program, const std::string& summary,
                      const std::vector<CliOption>& options) {
    std::string text = "usage: " + program + " [options]\n" + summary + "\n\noptions:\n";
    for (const CliOption& o : options) {
        std::string left = "  " + o.name + (o.argument.empty() ? "" : " " + o.argument);
        if (left.size() < 28) left.resize(28, ' ');
        text += left + " " + o.help + "\n";
    }
    text += "  --help                       this text\n";
    return text;
}

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end != nullptr && *end == '\0';
}

bool ParseInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end != nullptr && *end == '\0';
}

std::function<bool(const std::string&)> NumberInto(double& target) {
    return [&target](const std::string& v) { return ParseNumber(v, target); };
}

std::function<bool(const std::string&)> IntegerInto(int& target, long long lo, long long hi) {
    return [&target, lo, hi](const std::string& v) {
        long long n = 0;
        if (!ParseInteger(v, n) || n < lo || n > hi) return false;
        target = static_cast<int>(n);
        return true;
    };
}

bool ParseUtc(const std::string& text, long long& unixSeconds) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    int n = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail);
    if (n != 6 && !(n == 7 && tail == 'Z')) return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) return false;
    unixSeconds = DaysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
    return true;
}

void CatchEndingSignals() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void WaitForSignalOr(const std::function<bool()>& done) {
    while (!g_signalled && !done()) usleep(50 * 1000);
}

}  // namespace quorvel::sim
