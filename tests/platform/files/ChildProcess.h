// Runs a function in a forked child and reports how the child ended.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

struct ChildResult {
    bool exited = false;
    int code = -1;
    bool killed = false;
};

inline ChildResult Wait(pid_t pid) {
    int status = 0;
    ChildResult result;
    if (::waitpid(pid, &status, 0) != pid) return result;
    result.exited = WIFEXITED(status);
    result.code = result.exited ? WEXITSTATUS(status) : -1;
    result.killed = WIFSIGNALED(status);
    return result;
}

// The child runs `body` and exits with its result, skipping every destructor
// and atexit handler of the test process.
inline pid_t Spawn(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    return pid;
}

inline ChildResult RunChild(const std::function<int()>& body) {
    return Wait(Spawn(body));
}
