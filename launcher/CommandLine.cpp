#include "launcher/CommandLine.h"

#include <cctype>

#include "platform/backends/Backend.h"

namespace quorvel::launcher {
namespace {

bool TakesValue(const std::string& arg) {
    return arg == "--root" || arg == "--port" || arg == "--script" || arg == "--snapshots" ||
           arg == "--scale";
}

bool ApplyValue(const std::string& option, const std::string& value, LaunchOptions* options,
                bool* snapshotsGiven, std::string* error) {
    if (value.empty()) {
        *error = option + " needs a value that is not empty";
        return false;
    }
    if (option == "--root") {
        options->root = value;
    } else if (option == "--port") {
        int port = 0;
        std::string path;
        if (!ParsePortOption(value, &port, &path)) {
            *error = "--port takes COMn=PATH with n from 1 to 99, not \"" + value + "\"";
            return false;
        }
        options->ports.emplace_back(port, path);
    } else if (option == "--script") {
        options->script = value;
    } else if (option == "--scale") {
        return backends::ParseScale(value, &options->scale, error);
    } else {
        options->snapshots = value;
        *snapshotsGiven = true;
    }
    return true;
}

}  // namespace

bool ParsePortOption(const std::string& text, int* port, std::string* path) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals < 4 || equals > 5) return false;
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != "COM"[i]) return false;
    int n = 0;
    for (size_t i = 3; i < equals; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        n = n * 10 + (text[i] - '0');
    }
    if (n < 1 || n > 99 || equals + 1 >= text.size()) return false;
    *port = n;
    *path = text.substr(equals + 1);
    return true;
}

bool ParseCommandLine(int argc, const char* const* argv, LaunchOptions* options,
                      std::string* error) {
    bool snapshotsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (TakesValue(arg)) {
            if (i + 1 >= argc) {
                *error = arg + " needs a value";
                return false;
            }
            if (!ApplyValue(arg, argv[++i], options, &snapshotsGiven, error)) return false;
        } else if (arg == "--headless") {
            options->headless = true;
        } else if (arg == "--help") {
            options->help = true;
        } else {
            *error = (arg.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") + arg;
            return false;
        }
    }
    if (!options->script.empty()) options->headless = true;
    if (!snapshotsGiven && options->script.empty()) options->snapshots = "snapshots";
    return true;
}

std::string UsageText() {
    return "usage: quorvel [--root DIR] [--port COMn=PATH]... [--headless] [--script FILE|-]\n"
           "               [--snapshots DIR] [--scale N] [--help]\n"
           "  --root DIR          the device root (default ./device); a missing or empty\n"
           "                      folder is first laid out as a fresh handheld\n"
           "  --port COMn=PATH    port n (1 to 99) opens the host device PATH; repeatable;\n"
           "                      overrides the root's ports file\n"
           "  --headless          no window, even with a display\n"
           "  --script FILE|-     runs the script's lines (\"-\": standard input as it\n"
           "                      comes); implies --headless\n"
           "  --snapshots DIR     headless: DIR/latest.png follows the screen, at most once\n"
           "                      a second; a script's relative snapshot and dump paths\n"
           "                      and its failure.png go there (else to the current\n"
           "                      folder); default ./snapshots, none with a script\n"
           "  --scale N           the window shows each screen pixel as N x N (1 to 8);\n"
           "                      default: as large as fits the display\n"
           "  --help              this text\n"
           "exit status: 0 ended, 1 start-up failed, 2 usage error, 3 script failure\n";
}

}  // namespace quorvel::launcher
