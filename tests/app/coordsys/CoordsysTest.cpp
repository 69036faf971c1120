#include "tests/app/coordsys/CoordsysTest.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/base/Clock.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"

namespace coordsystest {

void CoordsysTest::SetUp() {
    ModalTest::SetUp();
    if (HasFatalFailure()) return;
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 8, 0, 0, 0});
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/coordsys/ref");
    m_doc = std::make_unique<CVendropDoc>();
    g_pDoc = m_doc.get();
    m_doc->SetDefaultJob();
    m_doc->SetDefaultIniRecord();
    m_doc->SetDefaultParRecord();
    ASSERT_TRUE(m_main.CreateEx(0, AfxRegisterWndClass(0), L"Quorvel", WS_POPUP | WS_VISIBLE, 0, 0,
                                240, 320, nullptr, nullptr));
    m_thread.m_pMainWnd = &m_main;
    Pump();
}

void CoordsysTest::TearDown() {
    if (m_main.GetSafeHwnd()) m_main.DestroyWindow();
    m_thread.m_pMainWnd = nullptr;
    Pump();
    g_pDoc = nullptr;
    m_doc.reset();
    AfxDeleteTempMaps();
    quorvel::UseRealClock();
    ModalTest::TearDown();
}

void CoordsysTest::Pump() {
    quorvel::win::PumpUntilIdle();
}

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemText(dialog, id, text, 512);
    return text;
}

void ExpectMatchesText(const std::string& text, const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(QUORVEL_SOURCE_DIR "/tests/app/coordsys/ref") / (name + ".txt");
    if (quorvel::testing::UpdatingReferences()) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no reference " << path << "; the text was:\n" << text;
    const std::string expected((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    EXPECT_EQ(text, expected) << "differs from " << path;
}

}  // namespace coordsystest
