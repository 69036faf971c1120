#include "launcher/WindowTree.h"

#include <unistd.h>

#include <vector>

#include "platform/base/Thread.h"
#include "platform/controls/Controls.h"

namespace quorvel::launcher {
namespace {

// The windows of every thread of the program (a worker's message box
// among them); windows of other running copies (shared top-level windows)
// are not ours to look at.
std::vector<HWND> OwnTopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(hwnd, &process);
            if (process == static_cast<DWORD>(getpid()))
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

CString TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    GetWindowText(hwnd, text.data(), length + 1);
    return CString(text.data());
}

bool ShowsIn(HWND hwnd, const CString& text) {
    if (!IsWindowVisible(hwnd)) return false;
    if (TextOf(hwnd).Find(text) >= 0) return true;
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (ShowsIn(c, text)) return true;
    return false;
}

void Dump(HWND hwnd, int depth, std::string& out) {
    out += std::string(static_cast<size_t>(2 * depth), ' ');
    out += controls::DescribeControl(hwnd);
    // A top-level window's place among the others.
    if (depth == 0 && IsZoomed(hwnd)) out += " maximized";
    if (depth == 0 && GetForegroundWindow() == hwnd) out += " foreground";
    out += "\n";
    for (HWND c = GetWindow(hwnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        Dump(c, depth + 1, out);
}

}  // namespace

bool VisibleWindowShows(const CString& text) {
    for (HWND hwnd : OwnTopLevelWindows())
        if (ShowsIn(hwnd, text)) return true;
    return false;
}

std::string DumpWindowTree() {
    std::string out;
    for (HWND hwnd : OwnTopLevelWindows()) Dump(hwnd, 0, out);
    return out;
}

}  // namespace quorvel::launcher
