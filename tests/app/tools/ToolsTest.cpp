#include "tests/app/tools/ToolsTest.h"

#include <algorithm>
#include <cctype>

#include "app/settings/DefaultRecords.h"
#include "platform/base/TextConv.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"

namespace toolstest {

CoordSysParams PlainJob() {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.szdCenter = 117.0;
    return p;
}

void ToolsTest::SetUp() {
    ShellTest::SetUp();
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/tools/ref");
}

void ToolsTest::TearDown() {
    ShellTest::TearDown();
}

void ToolsTest::StartJob(const CoordSysParams& params) {
    WriteDefaultJob([](SystemParams&) {});
    CIniFile ini;
    ASSERT_TRUE(ini.WriteCoordParams(kJobDir, L"ruvo.par", params));
    ASSERT_NE(StartAndSettle(), nullptr);
}

void ToolsTest::Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id);
    Pump();
}

HWND Root(HWND window) {
    while (window && (::GetWindowLong(window, GWL_STYLE) & WS_CHILD)) window = ::GetParent(window);
    return window;
}

std::string Text(HWND dialog, int id) {
    return quorvel::ToUtf8(shelltest::ItemText(dialog, id).c_str());
}

namespace {
HWND TabOf(HWND tool) {
    for (HWND child = ::GetWindow(tool, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        ::GetClassName(child, name, 64);
        if (std::wstring(name) == L"SysTabControl32") return child;
    }
    return nullptr;
}
}  // namespace

// The pages are told apart by a control of their own: the result page's
// store button, the graph page's zoom-all button.
HWND Page(HWND tool, int index) {
    for (HWND child = ::GetWindow(TabOf(tool), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const bool result = ::GetDlgItem(child, IDC_RESULT_STORE) != nullptr;
        const bool graph = ::GetDlgItem(child, IDC_GRAPH_ZOOM_ALL) != nullptr;
        if ((index == 1 && result) || (index == 2 && graph) || (index == 0 && !result && !graph))
            return child;
    }
    return nullptr;
}

void Set(HWND page, int id, LPCTSTR text) {
    ::SetDlgItemText(page, id, text);
}

void Click(HWND page, int id) {
    ::SendMessage(::GetDlgItem(page, id), BM_CLICK, 0, 0);
    quorvel::testing::PumpDialogMessages(Root(page));
}

void TapAt(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    quorvel::win::InjectStylus(client.x, client.y, true);
    quorvel::testing::PumpDialogMessages(Root(window));
    quorvel::win::InjectStylus(client.x, client.y, false);
    quorvel::testing::PumpDialogMessages(Root(window));
}

void DragOn(HWND window, POINT from, POINT to) {
    ::ClientToScreen(window, &from);
    ::ClientToScreen(window, &to);
    quorvel::win::InjectStylus(from.x, from.y, true);
    quorvel::testing::PumpDialogMessages(Root(window));
    quorvel::win::InjectStylus(to.x, to.y, true);
    quorvel::testing::PumpDialogMessages(Root(window));
    quorvel::win::InjectStylus(to.x, to.y, false);
    quorvel::testing::PumpDialogMessages(Root(window));
}

void TapTab(HWND tool, int index) {
    RECT item{};
    ::SendMessage(TabOf(tool), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(&item));
    TapAt(TabOf(tool), POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
}

std::string ResultLines(HWND resultPage) {
    std::string joined;
    for (int id = IDC_RESULT_LINE0; id <= IDC_RESULT_LINE9; ++id) {
        if (id != IDC_RESULT_LINE0) joined += "|";
        joined += Text(resultPage, id);
    }
    return joined;
}

std::string Gbk(const std::string& utf8) {
    return quorvel::ToGbk(quorvel::FromUtf8(utf8).GetString());
}

void ExpectDialogMatches(HWND dialog, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        quorvel::testing::DumpDialog(dialog),
        QUORVEL_SOURCE_DIR "/tests/app/tools/ref/" + name + ".txt");
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), name);
}

bool HoldsNonNumber(const std::string& bytes) {
    std::string lower(bytes);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

}  // namespace toolstest
