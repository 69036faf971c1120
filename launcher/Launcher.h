// The quorvel command: takes its options, prepares the device root, and
// runs the application object of the program it is linked with under a
// backend, with snapshots, a script and signals handled at idle time.
#pragma once

namespace quorvel::launcher {

enum ExitStatus { kEnded = 0, kStartFailed = 1, kUsageError = 2, kScriptFailed = 3 };

struct LauncherHooks {
    // Ends the program as a Yes to its exit question would, without asking
    // (the program's own; called on the UI thread once no modal is open).
    void (*endProgram)() = nullptr;
};

// The main of the command. Usage errors (a bad option, an unreadable
// script, a script line that is no command) return 2 before anything starts
// and before the root is touched.
int RunLauncher(int argc, char** argv, const LauncherHooks& hooks);

}  // namespace quorvel::launcher
