// quorvel-bt-sim: the handheld's built-in Bluetooth module on a
// pseudo-terminal. Prints the path to give the program as its COM1 as its
// first line, then runs until interrupted.
#include <cstdio>
#include <sstream>
#include <string>

#include "sim/BtModule.h"
#include "sim/CommandLine.h"

using namespace quorvel::sim;

namespace {

bool AddDevice(BtModuleOptions& o, const std::string& value, bool& replaced) {
    const size_t comma = value.find(',');
    if (comma == std::string::npos || comma == 0) return false;
    if (!replaced) o.devices.clear();
    replaced = true;
    o.devices.push_back({value.substr(0, comma), value.substr(comma + 1)});
    return true;
}

bool AddSilent(BtModuleOptions& o, const std::string& value) {
    std::istringstream in(value);
    for (std::string name; std::getline(in, name, ',');) {
        if (!name.empty()) o.silent.insert(name);
    }
    return !value.empty();
}

std::vector<CliOption> Options(BtModuleOptions& o, bool& replaced) {
    return {
        {"--device", "ADDRESS,NAME",
         "a device the inquiry finds (repeatable; replaces the two default ones)",
         [&o, &replaced](const std::string& v) { return AddDevice(o, v, replaced); }},
        {"--silent", "CMD[,CMD...]",
         "commands that get no reply: AT, AT+ROLE, AT+INQ, AT+CANCEL, AT+RADDR or all",
         [&o](const std::string& v) { return AddSilent(o, v); }},
        {"--split", "", "send each reply in two pieces",
         [&o](const std::string&) { return o.splitReplies = true; }},
        {"--result-gap", "S", "seconds between the inquiry's replies (0.1)",
         [&o](const std::string& v) { return ParseNumber(v, o.resultGapS) && o.resultGapS >= 0; }},
        {"--no-inquiry-end", "", "never send +INQCOMP",
         [&o](const std::string&) { return !(o.completeInquiry = false); }},
        {"--relay", "PATH", "the terminal to relay once connected (a receiver simulator's)",
         [&o](const std::string& v) { return !(o.relayPath = v).empty(); }},
        {"--link", "PATH", "make PATH a link to the terminal",
         [&o](const std::string& v) { return !(o.linkPath = v).empty(); }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    BtModuleOptions options;
    bool replaced = false;
    const std::vector<CliOption> cli = Options(options, replaced);
    return RunSimulatorMain<BtModuleSimulator>(
        argc, argv, "quorvel-bt-sim",
        "The built-in Bluetooth module on a pseudo-terminal; the first line printed is the path "
        "to map the program's COM1 to.",
        options, cli);
}
