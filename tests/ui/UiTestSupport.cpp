#include "tests/ui/UiTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/base/Clock.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"

namespace uitest {
namespace {

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessage(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[300] = {};
    TVITEM tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = 300;
    ::SendMessage(tree, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&tv));
    return buffer;
}

}  // namespace

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
    HTREEITEM item = Next(tree, nullptr, TVGN_ROOT);
    for (const std::wstring& text : texts) {
        HTREEITEM h = Next(tree, item, TVGN_CHILD);
        while (h && ItemText(tree, h) != text) h = Next(tree, h, TVGN_NEXT);
        if (!(item = h)) break;
    }
    return item;
}

std::vector<std::wstring> Listed(HWND tree, const std::vector<std::wstring>& texts) {
    std::vector<std::wstring> out;
    for (HTREEITEM h = Next(tree, TreeItem(tree, texts), TVGN_CHILD); h;
         h = Next(tree, h, TVGN_NEXT))
        out.push_back(ItemText(tree, h));
    return out;
}

quorvel::gdi::Image Stack(const std::vector<quorvel::gdi::Image>& images) {
    quorvel::gdi::Image sheet;
    for (const auto& image : images) sheet.width = std::max(sheet.width, image.width + 4);
    for (const auto& image : images) sheet.height += image.height + 2;
    sheet.height += 2;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0x303030u);
    int top = 2;
    for (const auto& image : images) {
        for (int y = 0; y < image.height; ++y)
            std::copy_n(image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width, image.width,
                        sheet.pixels.begin() + static_cast<ptrdiff_t>(top + y) * sheet.width + 2);
        top += image.height + 2;
    }
    return sheet;
}

void ExpectMatchesText(const std::string& text, const std::string& name) {
    const std::filesystem::path path =
        std::filesystem::path(QUORVEL_SOURCE_DIR "/tests/ui/ref") / (name + ".txt");
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

}  // namespace uitest
