#include "tests/app/setup/SetupTest.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "app/settings/DefaultRecords.h"
#include "app/shell/AppGlobals.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "receiver/ReceiverParser.h"
#include "receiver/link/ByteBuffer.h"
#include "receiver/link/PortMessages.h"
#include "sim/Nmea.h"

namespace setuptest {
namespace {

void (*g_change)(SystemParams&) = nullptr;
WNDPROC g_frameProc = nullptr;

// What the frame's receiver dispatcher does with a GPXXX line.
void TakeIdentification(const CByteBuffer& buffer) {
    CString line(reinterpret_cast<const char*>(buffer.GetAt(0)));
    if (line.Find(L"GPXXX") < 0) return;
    CReceiverParser parser;
    SurveyRecord record;
    parser.ParseGpxxx(line, &record);
    CVendropDoc& doc = *g_pDoc;
    doc.m_curFix.strRxId1 = record.strRxId1;
    doc.m_curFix.strRxId3 = record.strRxId3;
    doc.m_curFix.strRxId3Copy = record.strRxId3Copy;
    if (record.strRxId1.GetLength() > 5) {
        if (record.strRxId1[5] == L'0') doc.m_nReceiverVariant = 0;
        if (record.strRxId1[5] == L'5') doc.m_nReceiverVariant = 1;
    }
}

LRESULT FrameWatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProc(g_frameProc, hwnd, message, wParam, lParam);
    if (message == WM_GPS_SENTENCE && g_pDoc)
        TakeIdentification(*reinterpret_cast<const CByteBuffer*>(wParam));
    return result;
}

void ServeBriefly() {
    quorvel::win::ServeSentMessages();
    usleep(500);
}

class ItemProbe : public CCmdUI {
  public:
    void Enable(BOOL bOn) override {
        CCmdUI::Enable(bOn);
        m_bOn = bOn;
    }
    void SetText(LPCTSTR text) override { m_text = quorvel::ToUtf8(text); }
    BOOL m_bOn = TRUE;
    std::string m_text;
};

}  // namespace

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Text(HWND dialog, int id) {
    wchar_t text[512] = {};
    GetWindowText(GetDlgItem(dialog, id), text, 512);
    return quorvel::ToUtf8(text);
}

void ExpectDump(HWND dialog, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        quorvel::testing::DumpDialog(dialog),
        QUORVEL_SOURCE_DIR "/tests/app/setup/ref/" + name + ".txt");
}

void SetupTest::SetUp() {
    ShellTest::SetUp();
    if (HasFatalFailure()) return;
    m_sim = shelltest::StartQuietReceiver(m_root + "/gnss");
    ASSERT_TRUE(m_sim);
}

void SetupTest::TearDown() {
    ShellTest::TearDown();
    if (m_sim) m_sim->Stop();
    quorvel::ClearSerialPortMappings();
    g_frameProc = nullptr;
}

void SetupTest::StartProgram(void (*change)(SystemParams&)) {
    g_change = change;
    WriteDefaultJob([](SystemParams& p) {
        p.Port = 1;
        if (g_change) g_change(p);
    });
    StartAndSettle();
    const HWND frame = Frame()->m_hWnd;
    g_frameProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(frame, GWLP_WNDPROC));
    SetWindowLongPtr(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameWatch));
    // The link opens, sends its set-up lists (its pauses run on the virtual
    // clock) and starts reading with two start frames.
    auto started = [this] {
        int frames = 0;
        for (const auto& item : m_sim->Log().Items())
            frames += item.kind == quorvel::sim::LoggedCommand::Kind::kFrame && item.frameId == 52;
        return frames == 2;
    };
    ASSERT_TRUE(RunLinkToItsReadLoop());
    ASSERT_TRUE(quorvel::testing::WaitUntil(started, "the link's two start frames",
                                            quorvel::testing::kWaitMs, ServeBriefly));
    ClearLog();
}

void SetupTest::Identify(const std::string& id, const std::string& model) {
    const std::string sentence =
        quorvel::sim::NmeaSentence("GPXXX," + id + ",2.30," + id + "," + model + ",0,0,0,0,0");
    ASSERT_EQ(m_sim->Pty().Write(sentence, quorvel::testing::kWaitMs), sentence.size());
    const CString expected(id.c_str());
    ASSERT_TRUE(quorvel::testing::WaitUntil([&] { return Doc().m_curFix.strRxId1 == expected; },
                                            "the identification in the document",
                                            quorvel::testing::kWaitMs, ServeBriefly));
}

std::vector<std::string> SetupTest::Log() const {
    return shelltest::LogEntries(m_sim->Log());
}

void SetupTest::ClearLog() {
    m_sim->Log().Clear();
}

bool SetupTest::WaitForLog(size_t count) {
    return quorvel::testing::WaitUntil([&] { return Log().size() >= count; },
                                       std::to_string(count) + " commands at the receiver",
                                       quorvel::testing::kWaitMs, ServeBriefly);
}

std::vector<std::string> SetupTest::ReferenceLog(const std::string& name) {
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/tests/app/setup/data/" + name);
    EXPECT_TRUE(in.good()) << "missing reference " << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    return lines;
}

void SetupTest::ExpectLog(const std::string& name) {
    const std::vector<std::string> expected = ReferenceLog(name);
    WaitForLog(expected.size());
    // Anything more would have come with the rest.
    usleep(20000);
    EXPECT_EQ(Log(), expected) << "differs from data/" << name;
}

void SetupTest::Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id);
}

SetupTest::ItemState SetupTest::Item(UINT id) {
    ItemProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(Frame(), TRUE);
    return {probe.m_text, probe.m_bOn != 0};
}

}  // namespace setuptest
