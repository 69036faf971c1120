// Single instance across processes: this test program starts itself again
// as the second instance, which must find the first one's marked window,
// show it maximised, bring it to the front, and end.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/testing/TempDeviceRoot.h"
#include "tests/platform/win/WinTestSupport.h"

extern char** environ;

using namespace wintest;

namespace {

constexpr char kDirVariable[] = "QUORVEL_WIN_INSTANCE_DIR";

BOOL FindPreviousInstance(HWND hwnd, LPARAM found) {
    if (GetProp(hwnd, L"Vendrop") != reinterpret_cast<HANDLE>(1)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

// The second instance; runs only when started by the test below.
TEST(InstanceChild, SecondInstanceFindsTheFirstAndEnds) {
    const char* dir = std::getenv(kDirVariable);
    if (!dir) GTEST_SKIP() << "started only as the second instance";
    ASSERT_TRUE(quorvel::win::EnableInstanceSharing(dir));
    HWND previous = nullptr;
    EnumWindows(FindPreviousInstance, reinterpret_cast<LPARAM>(&previous));
    ASSERT_NE(previous, nullptr);
    wchar_t title[64];
    GetWindowText(previous, title, 64);
    EXPECT_STREQ(title, L"Quorvel");
    EXPECT_FALSE(IsWindowVisible(previous));
    ShowWindow(previous, 11);
    EXPECT_TRUE(SetForegroundWindow(previous));
    EXPECT_EQ(SendMessage(previous, WM_CLOSE, 0, 0), 0);  // messages are not carried
    quorvel::win::DisableInstanceSharing();
    EXPECT_FALSE(IsWindow(previous));
}

class Instance : public WinTest {};

pid_t StartSecondInstance(const std::string& dir) {
    const std::string filter = "--gtest_filter=InstanceChild.*";
    const std::string variable = std::string(kDirVariable) + "=" + dir;
    std::vector<char*> env;
    for (char** e = environ; *e; ++e) env.push_back(*e);
    env.push_back(const_cast<char*>(variable.c_str()));
    env.push_back(nullptr);
    char self[] = "/proc/self/exe";
    char* argv[] = {self, const_cast<char*>(filter.c_str()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, self, nullptr, nullptr, argv, env.data()) != 0) return -1;
    return pid;
}

TEST_F(Instance, SecondInstanceShowsTheFirstAndBringsItToTheFront) {
    const quorvel::testing::TempFolder folder("quorvel-win");
    ASSERT_TRUE(folder.Made());
    const std::string& dir = folder.Path();
    ASSERT_TRUE(quorvel::win::EnableInstanceSharing(dir));
    HWND main = Top(0, {0, 0, 100, 100});
    SetWindowText(main, L"Quorvel");
    SetProp(main, L"Vendrop", reinterpret_cast<HANDLE>(1));
    HWND other = Top(WS_VISIBLE | WS_POPUP, {0, 0, 50, 50});
    ASSERT_EQ(GetForegroundWindow(), other);

    const pid_t child = StartSecondInstance(dir);
    ASSERT_GT(child, 0);
    // This thread runs its message loop (serving the second instance's
    // requests) until the second instance has ended.
    int status = -1;
    const DWORD ui = GetCurrentThreadId();
    std::thread waiter([&] {
        waitpid(child, &status, 0);
        PostThreadMessage(ui, WM_QUIT, 0, 0);
    });
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
    waiter.join();
    quorvel::win::DisableInstanceSharing();
    std::filesystem::remove_all(dir);

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsZoomed(main));
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_EQ(GetWindow(other, GW_HWNDFIRST), main);
    EXPECT_EQ(Log::Get().Of(main, WM_SHOWWINDOW).size(), 1u);
    EXPECT_TRUE(Log::Get().Of(main, WM_CLOSE).empty());
}

}  // namespace
