#include "platform/testing/DialogDump.h"

#include "platform/base/TextConv.h"
#include "platform/controls/Controls.h"

namespace quorvel::testing {
namespace {

void DumpChildren(HWND parent, int depth, std::string& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        out += std::string(static_cast<size_t>(2 * depth), ' ');
        out += controls::DescribeControl(c);
        out += "\n";
        DumpChildren(c, depth + 1, out);
    }
}

}  // namespace

std::string DumpDialog(HWND dialog) {
    wchar_t cls[64] = {};
    wchar_t caption[256] = {};
    GetClassName(dialog, cls, 64);
    GetWindowText(dialog, caption, 256);
    RECT r{};
    GetWindowRect(dialog, &r);
    std::string out = ToUtf8(cls) + " \"" + ToUtf8(caption) + "\" (" + std::to_string(r.left) +
                      "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
                      std::to_string(r.bottom - r.top) + ")" +
                      (IsWindowVisible(dialog) ? "" : " hidden") + "\n";
    DumpChildren(dialog, 1, out);
    return out;
}

}  // namespace quorvel::testing
