#include "tests/app/coordsys/CoordsysTest.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/base/Clock.h"
#include "platform/testing/DialogDump.h"
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

std::wstring ItemText(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemText(dialog, id, text, 512);
    return text;
}

bool ItemEnabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
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
    quorvel::gdi::Image sheet;
    for (const auto& image : m_images) sheet.width = std::max(sheet.width, image.width + 4);
    for (const auto& image : m_images) sheet.height += image.height + 2;
    sheet.height += 2;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0x303030u);
    int top = 2;
    for (const auto& image : m_images) {
        for (int y = 0; y < image.height; ++y)
            std::copy_n(image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width, image.width,
                        sheet.pixels.begin() + static_cast<ptrdiff_t>(top + y) * sheet.width + 2);
        top += image.height + 2;
    }
    quorvel::testing::ExpectMatchesReference(sheet, name);
    ExpectMatchesText(m_text, name);
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
