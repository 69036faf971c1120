#include "tests/app/link/LinkTest.h"

#include <map>
#include <thread>

#include "app/settings/IniFile.h"
#include "platform/base/Clock.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "receiver/link/PortMessages.h"
#include "res/resource.h"

namespace linktest {
namespace {

// Some dialogs here run for minutes of the virtual clock.
constexpr uint32_t kLongModalMs = 600000;

}  // namespace

void LinkTest::SetUp() {
    ShellTest::SetUp();
    if (HasFatalFailure()) return;
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/link/ref");
    quorvel::dialogs::SetModalWatchdog(kLongModalMs);
    m_sim = shelltest::StartQuietReceiver(m_root + "/gnss");
    ASSERT_TRUE(m_sim);
    // The link is the program's one global object: what an earlier test
    // left in its mailbox goes.
    CGpsComm& link = g_gpsComm;
    link.m_linkInfo = CNetLinkInfo{};
    link.m_bNetReadOk = link.m_bNetSetOk = link.m_bNetConnectOk = link.m_bNetDisconnectOk = 0;
    link.m_bGsmSetOk = link.m_bGsmReadOk = link.m_bGsmDialOk = link.m_bGsmHangUpOk = 0;
    link.m_strGsmBaseNumber.Empty();
    link.m_strModemState.Empty();
    link.m_strGsmNewNumber.Empty();
}

void LinkTest::TearDown() {
    ShellTest::TearDown();
    m_sim.reset();
}

void LinkTest::StartProgram(void (*change)(SystemParams&)) {
    WriteDefaultJob(change ? change : [](SystemParams&) {});
    StartAndSettle();
    // The link's start: the output set-up after its pauses, then the two
    // link-start frames as the read loop begins. The clock moves (only
    // while the reader sleeps on it) until the reader is in its read loop,
    // and not after: the frames go out without a pause, and moving the
    // clock on while a busy simulator has yet to read them would carry the
    // frame's watchdog past its first notice unseen.
    ASSERT_TRUE(RunLinkToItsReadLoop());
    ASSERT_TRUE(m_sim->Log().WaitFor(
        [](const std::vector<quorvel::sim::LoggedCommand>& items) {
            int frames = 0;
            for (const auto& c : items) frames += c.frameId == 52 ? 1 : 0;
            return frames >= 2;
        },
        quorvel::testing::kWaitMs))
        << "the link-start frames";
    ASSERT_LT(Frame()->m_nNoDataTicks, 10) << "the watchdog ran out during the link's start";
    ClearSent();
}

void LinkTest::PassFirstNotice() {
    for (int second = 0; second < 15 && Frame()->m_nNoDataTicks <= 10; ++second) Advance(1000);
    ASSERT_GT(Frame()->m_nNoDataTicks, 10);
    ASSERT_TRUE(WaitForSent(2)) << Sent();
    ClearSent();
}

std::string LinkTest::Sent() const {
    const std::vector<std::string> entries = shelltest::LogEntries(m_sim->Log());
    std::string text;
    for (size_t i = m_logStart; i < entries.size(); ++i) text += entries[i] + "\n";
    return text;
}

void LinkTest::ClearSent() {
    m_logStart = shelltest::LogEntries(m_sim->Log()).size();
}

bool LinkTest::WaitForSent(size_t count) const {
    const size_t total = m_logStart + count;
    return m_sim->Log().WaitFor(
        [total](const std::vector<quorvel::sim::LoggedCommand>& items) {
            size_t n = 0;
            for (const auto& c : items) n += c.kind != quorvel::sim::LoggedCommand::Kind::kLines;
            return n >= total;
        },
        quorvel::testing::kWaitMs);
}

namespace {

std::map<HWND, ControlWatch*> g_watches;

HWND Tab(HWND dialog) {
    return ::GetDlgItem(dialog, IDC_INFO_TAB);
}

}  // namespace

ControlWatch::~ControlWatch() {
    if (m_control && ::IsWindow(m_control))
        ::SetWindowLongPtr(m_control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    g_watches.erase(m_control);
}

void ControlWatch::Watch(HWND control) {
    m_control = control;
    m_previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(control, GWLP_WNDPROC));
    g_watches[control] = this;
    ::SetWindowLongPtr(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
}

LRESULT CALLBACK ControlWatch::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto it = g_watches.find(hwnd);
    if (it == g_watches.end()) return ::DefWindowProc(hwnd, msg, wParam, lParam);
    ControlWatch* watch = it->second;
    const LPARAM count = msg == WM_BT_SERIAL_DATA ? lParam : 0;
    const LRESULT result = ::CallWindowProc(watch->m_previous, hwnd, msg, wParam, lParam);
    watch->serialBytes += static_cast<size_t>(count);
    if (msg == WM_SETTEXT) watch->texts.emplace_back(reinterpret_cast<LPCTSTR>(lParam));
    if (msg == PBM_SETPOS || msg == PBM_DELTAPOS)
        watch->positions.push_back(
            static_cast<int>(::CallWindowProc(watch->m_previous, hwnd, PBM_GETPOS, 0, 0)));
    if (msg == WM_NCDESTROY) {
        g_watches.erase(hwnd);
        watch->m_control = nullptr;
    }
    return result;
}

bool ServeUntil(HWND dialog, const std::function<bool()>& done, const std::string& what) {
    return quorvel::testing::WaitUntil(done, what, quorvel::testing::kWaitMs, [dialog] {
        quorvel::testing::PumpDialogMessages(dialog);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
}

// The page on top: the visible child of the tab control.
HWND Page(HWND dialog) {
    for (HWND child = ::GetWindow(Tab(dialog), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// A tap on tab `index`, as the stylus gives it.
void TapTab(HWND dialog, int index) {
    RECT item{};
    ::SendMessage(Tab(dialog), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(&item));
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(Tab(dialog), &centre);
    quorvel::win::InjectStylus(centre.x, centre.y, true);
    quorvel::testing::PumpDialogMessages(dialog);
    quorvel::win::InjectStylus(centre.x, centre.y, false);
    quorvel::testing::PumpDialogMessages(dialog);
}

void Tick(HWND dialog, int seconds) {
    for (int i = 0; i < seconds; ++i) {
        quorvel::AdvanceVirtualClock(1000);
        quorvel::testing::PumpDialogMessages(dialog);
    }
}

void ExpectMatchesText(const std::string& text, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(text,
                                                 QUORVEL_SOURCE_DIR "/tests/app/link/data/" + name);
}

}  // namespace linktest
