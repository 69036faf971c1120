// Placeholder until cross-process sharing lands.
#include "platform/win/InstanceShare.h"

#include "platform/win/WinInternal.h"

namespace quorvel::win {
bool EnableInstanceSharing(const std::string&) {
    return false;
}
void DisableInstanceSharing() {}
}  // namespace quorvel::win

namespace quorvel::win::detail {
void RefreshRemoteWindows() {}
bool ForwardToRemote(HWND, int, int, BOOL*) {
    return false;
}
LRESULT RunRemoteCommand(HWND, WPARAM, LPARAM) {
    return 0;
}
}  // namespace quorvel::win::detail
