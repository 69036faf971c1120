// The test-support library on its own: what every other test leans on must
// clean up after itself, fail with a message, and carry bytes both ways.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/base/Handle.h"
#include "platform/controls/ControlMessages.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"
#include "platform/serial/PortMap.h"
#include "platform/serial/SerialApi.h"
#include "platform/testing/ExpectedBoxes.h"
#include "platform/testing/ModalTest.h"
#include "platform/testing/PtyPeer.h"
#include "platform/testing/TemplateBuilder.h"
#include "platform/testing/WaitUntil.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

TEST(TempDeviceRootTest, IsTheDeviceRootWhileItLivesAndLeavesNothingBehind) {
    std::string base;
    {
        TempDeviceRoot root("quorvel-support");
        ASSERT_TRUE(root.Made());
        base = root.Base();
        EXPECT_EQ(GetDeviceRoot(), root.Root());
        ASSERT_TRUE(CreateDirectory(L"\\Flash Disk", nullptr));
        root.WriteHost("Flash Disk/locked/a.txt", "abc");
        EXPECT_EQ(root.ReadHost("Flash Disk/locked/a.txt"), "abc");
        // A folder a test left without write or search permission.
        ASSERT_EQ(chmod(root.Host("Flash Disk/locked").c_str(), 0), 0);
        EXPECT_TRUE(root.HostExists("Flash Disk/locked"));
    }
    EXPECT_FALSE(fs::exists(base)) << base;
    EXPECT_EQ(GetDeviceRoot(), "");
}

TEST(WaitUntilTest, SucceedsWhenAnotherThreadGetsThereAndSaysWhatNeverHappened) {
    std::atomic<bool> done{false};
    std::thread worker([&] { done = true; });
    EXPECT_TRUE(WaitUntil([&] { return done.load(); }, "the worker"));
    worker.join();

    int polls = 0;
    const ::testing::AssertionResult never =
        WaitUntil([] { return false; }, "the moon", 20, [&] { ++polls; });
    EXPECT_FALSE(never);
    EXPECT_STREQ(never.message(), "gave up after 20 ms waiting for the moon");
    EXPECT_GT(polls, 0);
}

class PtyPeerTest : public DeviceRootTest {
  protected:
    void TearDown() override {
        ClearSerialPortMappings();
        DeviceRootTest::TearDown();
    }
};

TEST_F(PtyPeerTest, CarriesBytesBothWaysThroughTheProgramsPort) {
    PtyPeer peer;
    std::string error;
    ASSERT_TRUE(peer.Open(Host("modem"), error)) << error;
    MapSerialPort(3, peer.Path());
    HANDLE port =
        CreateFileW(L"COM3:", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(peer.ReadLines().open);

    DWORD n = 0;
    ASSERT_TRUE(WriteFile(port, "AT\r\nATZ\r\n", 9, &n, nullptr));
    EXPECT_EQ(peer.ReadUntil("ATZ\r\n"), "AT\r\nATZ\r\n");
    EXPECT_EQ(peer.ReadUntil("never", 20), "");

    ASSERT_EQ(peer.Write("OK\r\n"), 4u);
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, 0};  // reads return at once
    ASSERT_TRUE(SetCommTimeouts(port, &timeouts));
    std::string heard;
    EXPECT_TRUE(WaitUntil(
        [&] {
            char buffer[16];
            if (ReadFile(port, buffer, sizeof buffer, &n, nullptr)) heard.append(buffer, n);
            return heard == "OK\r\n";
        },
        "the port to read what the peer wrote"))
        << heard;
    CloseHandle(port);
    EXPECT_FALSE(peer.ReadLines().open);

    peer.Close();
    EXPECT_FALSE(HostExists("modem"));
    EXPECT_FALSE(HostExists("modem.lines"));
}

TEST(ExpectedBoxesTest, AnExpectedBoxThatNeverCameFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            ExpectedBoxes boxes;
            boxes.Expect(L"保存", IDYES);
        },
        "expected but not shown: 保存");
}

BOOL PlainProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

class ModalFixtureTest : public ModalTest {};

TEST_F(ModalFixtureTest, AnswersBoxesAndDialogsBuiltFromACopiedTemplate) {
    m_modals.ExpectMessageBox(L"保存").Answer(IDNO);
    EXPECT_EQ(MessageBox(nullptr, L"保存修改吗?", L"Quorvel", MB_YESNO), IDNO);

    // The copy must not point into the original's lists.
    auto original = std::make_unique<TemplateBuilder>(2001);
    original->Combo(1001, 5, 5, {L"甲", L"乙", L"丙"}).Button(L"确定", IDOK, 5, 60, true);
    TemplateBuilder copy = *original;
    original.reset();
    LRESULT items = 0;
    m_modals.ExpectDialog(2001)
        .Do([&](HWND dialog) { items = SendDlgItemMessage(dialog, 1001, CB_GETCOUNT, 0, 0); })
        .Click(IDOK);
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, copy.Get(), nullptr, &PlainProc, 0), IDOK);
    EXPECT_EQ(items, 3);
    EXPECT_EQ(m_modals.Transcript(),
              "message box \"Quorvel\" \"保存修改吗?\"\n"
              "  answer 7\n"
              "  closed\n"
              "dialog 2001 \"测试\"\n"
              "  do\n"
              "  click 1\n"
              "  closed\n");
}

}  // namespace
}  // namespace quorvel::testing
