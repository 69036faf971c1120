// Runs a script's commands on the UI thread, one at a time, whenever the
// innermost message loop is idle (the launcher calls Run from the window
// layer's idle hook), so input reaches modal dialogs as a user's would.
//
// Commands come from a whole file at start or, for standard input, line by
// line from a reader thread. The message boxes and dialogs of every thread
// of the program are seen (a worker's box, such as the receiver link's
// "无法打开串口", as much as the UI thread's). A script fails when `expect` or `answer` waits
// in vain, when input (a key, a character, the stylus, `quit`, `command`)
// comes while a message box shows, or when a message box is left at the
// end: the line goes to the standard error stream, the screen to
// failure.png (in the output folder, see below), and the run is to end
// with status 3.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "launcher/Script.h"
#include "platform/base/WinTypes.h"

namespace quorvel::launcher {

class CScriptRunner {
  public:
    enum class State { kRunning, kFinished, kFailed };

    // Relative snapshot, dump and failure paths go to `outputDir` (the
    // current folder when empty).
    explicit CScriptRunner(std::string outputDir);

    // From any thread.
    void Add(ScriptCommand command);
    void EndOfInput();

    // On the UI thread: runs what is due. Returns how long the loop may wait
    // before calling again (UINT32_MAX: until a message or a new line comes).
    uint32_t Run();
    State GetState() const { return m_state; }
    std::string OutputPath(const std::string& path) const;

  private:
    struct Result {
        bool done = false;
        uint32_t waitMs = 0;  // while not done
        std::string failure;  // not empty: the script failed
    };
    static Result Done() { return {true, 0, {}}; }
    static Result Waiting(uint32_t ms) { return {false, ms, {}}; }
    static Result Failure(std::string reason) { return {false, 0, std::move(reason)}; }
    Result Execute(const ScriptCommand& c, uint64_t elapsedMs);
    Result Input(const ScriptCommand& c);
    Result Answer(const ScriptCommand& c, uint64_t elapsedMs);
    Result Expect(const ScriptCommand& c, uint64_t elapsedMs);
    Result Write(const ScriptCommand& c);
    bool TakeNext();
    void Fail(const std::string& where, const std::string& reason);

    std::string m_outputDir;
    std::mutex m_mutex;
    std::deque<ScriptCommand> m_queue;
    bool m_inputEnded = false;
    std::optional<ScriptCommand> m_current;
    HWND m_clicked = nullptr;  // the box the current `answer` has clicked
    uint64_t m_clickedMs = 0;  // when, from the line's start
    uint64_t m_startedMs = 0;
    State m_state = State::kRunning;
};

}  // namespace quorvel::launcher
