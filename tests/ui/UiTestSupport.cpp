#include "tests/ui/UiTestSupport.h"

#include "platform/base/Clock.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/testing/TreeItems.h"
#include "platform/win/WinInternal.h"

namespace uitest {

void UiTest::SetUp() {
    ModalTest::SetUp();
    if (HasFatalFailure()) return;
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 8, 0, 0, 0});
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/ui/ref");
    ASSERT_TRUE(m_main.CreateEx(0, AfxRegisterWndClass(0), L"Quorvel", WS_POPUP | WS_VISIBLE, 0, 0,
                                240, 320, nullptr, nullptr));
    m_thread.m_pMainWnd = &m_main;
    Pump();
}

void UiTest::TearDown() {
    if (m_main.GetSafeHwnd()) m_main.DestroyWindow();
    m_thread.m_pMainWnd = nullptr;
    Pump();
    AfxDeleteTempMaps();
    quorvel::UseRealClock();
    ModalTest::TearDown();
}

void UiTest::WriteJobFolder() {
    for (const char* name : {"A.DAT", "b.dat", "c.txt", "x.udat", "测量.dat"})
        WriteHost(std::string("Flash Disk/Jobs/ruvo/") + name, "1,2,3\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/data/pt.dat", "");
    WriteHost("Flash Disk/Jobs/ruvo/road.1/line.lnb", "");
}

void UiTest::Pump() {
    quorvel::win::PumpUntilIdle();
}

void UiTest::Tap(HWND hwnd, POINT p) {
    ::ClientToScreen(hwnd, &p);
    quorvel::win::InjectStylus(p.x, p.y, true);
    quorvel::win::InjectStylus(p.x, p.y, false);
    Pump();
}

void UiTest::Advance(uint32_t ms) {
    quorvel::AdvanceVirtualClock(ms);
    Pump();
}

HTREEITEM TreeItem(HWND tree, const std::vector<std::wstring>& texts) {
    HTREEITEM item = quorvel::testing::TreeRoot(tree);
    for (const std::wstring& text : texts) {
        if (!(item = quorvel::testing::TreeChild(tree, item, text))) break;
    }
    return item;
}

std::vector<std::wstring> Listed(HWND tree, const std::vector<std::wstring>& texts) {
    return quorvel::testing::TreeChildTexts(tree, TreeItem(tree, texts));
}

quorvel::gdi::Image Stack(const std::vector<quorvel::gdi::Image>& images) {
    return quorvel::testing::StackImages(images);
}

void ExpectMatchesText(const std::string& text, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        text, QUORVEL_SOURCE_DIR "/tests/ui/ref/" + name + ".txt");
}

}  // namespace uitest
