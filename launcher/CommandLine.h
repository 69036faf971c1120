// The quorvel command's own options:
//   quorvel [--root DIR] [--port COMn=PATH]... [--headless] [--script FILE|-]
//           [--snapshots DIR] [--scale N] [--help]
// None of them reaches the application, whose command line stays empty.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quorvel::launcher {

struct LaunchOptions {
    std::string root = "device";
    std::vector<std::pair<int, std::string>> ports;  // port number, host path
    bool headless = false;                           // also set by a script
    std::string script;                              // "-" for stdin; empty: none
    std::string snapshots;                           // empty: none (the default with a script)
    int scale = 0;                                   // the window's; 0: as large as fits
    bool help = false;
};

// Parses argv[1..]. False with the reason in *error for an unknown option,
// a missing or bad value, or an argument that is no option.
bool ParseCommandLine(int argc, const char* const* argv, LaunchOptions* options,
                      std::string* error);

// "COMn=PATH", n from 1 to 99 in any case ("com3=/dev/pts/4"), PATH not
// empty. False when it is not of that form.
bool ParsePortOption(const std::string& text, int* port, std::string* path);

std::string UsageText();

}  // namespace quorvel::launcher
