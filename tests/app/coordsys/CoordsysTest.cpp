#include "tests/app/coordsys/CoordsysTest.h"

#include <filesystem>

#include "platform/base/Clock.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
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
    m_doc->DeriveJobPaths();
    std::filesystem::create_directories(Host("Flash Disk/Jobs/ruvo"));
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

std::function<void(HWND)> Gallery::Take(const std::string& title) {
    return [this, title](HWND dialog) { Add(dialog, title); };
}

void Gallery::Add(HWND dialog, const std::string& title) {
    quorvel::testing::PumpDialogMessages(dialog);
    quorvel::win::PumpUntilIdle();
    m_images.push_back(quorvel::gdi::CaptureWindow(dialog));
    m_text += "== " + title + "\n" + quorvel::testing::DumpDialog(dialog);
}

void Gallery::Check(const std::string& name) {
    quorvel::testing::ExpectMatchesReference(quorvel::testing::StackImages(m_images), name);
    ExpectMatchesText(m_text, name);
}

void ExpectMatchesText(const std::string& text, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        text, QUORVEL_SOURCE_DIR "/tests/app/coordsys/ref/" + name + ".txt");
}

}  // namespace coordsystest
