// Cross-process single-instance sharing (see EnableInstanceSharing in
// WinInternal.h): the published windows of other processes appear here as
// proxy top-level windows.
#pragma once

#include <string>

#include "platform/win/WinApi.h"

namespace quorvel::win::detail {

// The folder sharing runs in; empty when sharing is off.
std::string SharingDir();
// Forgets every proxy (lock held).
void DropAllProxies();
// Refreshes the proxies of other processes' windows (no lock held); a no-op
// when sharing is off.
void RefreshRemoteWindows();
// Carries out ShowWindow (what = 1), SetForegroundWindow (2) or
// BringWindowToTop (3) on a proxy through its owning process; false when
// `hwnd` is not a proxy. *result gets the remote call's result.
bool ForwardToRemote(HWND hwnd, int what, int arg, BOOL* result);
// Runs such a command on the window's own thread, in the owning process.
LRESULT RunRemoteCommand(HWND hwnd, WPARAM what, LPARAM arg);

}  // namespace quorvel::win::detail
