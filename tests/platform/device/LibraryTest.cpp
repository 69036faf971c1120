#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/device/DeviceLibrary.h"
#include "platform/device/Leds.h"

TEST(DeviceLibrary, TheTwoLibrariesLoadByAnySpelling) {
    const HMODULE led = LoadLibrary(L"jettce.dll");
    ASSERT_NE(led, nullptr);
    const HMODULE tone = LoadLibrary(L"beep.dll");
    ASSERT_NE(tone, nullptr);
    EXPECT_NE(led, tone);
    for (LPCTSTR name :
         {L"JETTCE.DLL", L"\\Windows\\JetTce.dll", L"jettce", L"/windows/jettce.Dll"}) {
        EXPECT_EQ(LoadLibrary(name), led) << name;
        EXPECT_TRUE(FreeLibrary(led));
    }
    EXPECT_EQ(LoadLibraryW(L"\\Windows\\BEEP.DLL"), tone);
    EXPECT_TRUE(FreeLibrary(tone));
    EXPECT_TRUE(FreeLibrary(led));
    EXPECT_TRUE(FreeLibrary(tone));
}

TEST(DeviceLibrary, OtherNamesAreMissing) {
    for (LPCTSTR name : {L"coredll.dll", L"jettce.dl", L"jettce.dll.bak", L"xjettce.dll", L"",
                         L"\\Windows\\", L"beep.exe"}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibrary(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
    }
    EXPECT_EQ(LoadLibrary(nullptr), nullptr);
}

TEST(DeviceLibrary, ExportsByExactName) {
    const HMODULE led = LoadLibrary(L"jettce.dll");
    const HMODULE tone = LoadLibrary(L"beep.dll");
    EXPECT_NE(GetProcAddress(led, L"LedUpdate"), nullptr);
    const auto playTone = reinterpret_cast<PLAYTONEPROC>(GetProcAddress(tone, L"PlayTone"));
    ASSERT_NE(playTone, nullptr);
    EXPECT_TRUE(playTone(440, 100));
    for (auto [module, name] : std::vector<std::pair<HMODULE, LPCWSTR>>{
             {led, L"ledupdate"}, {led, L"PlayTone"}, {tone, L"LedUpdate"}, {led, L""}}) {
        SetLastError(0);
        EXPECT_EQ(GetProcAddress(module, name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND)) << name;
    }
    // Once every load is matched by a free, the handle is stale.
    EXPECT_TRUE(FreeLibrary(led));
    EXPECT_TRUE(FreeLibrary(tone));
    EXPECT_EQ(GetProcAddress(led, L"LedUpdate"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FreeLibrary(led));
    EXPECT_FALSE(FreeLibrary(nullptr));
}

TEST(DeviceLibrary, LedUpdateReachesTheSink) {
    quorvel::device::ResetLedsForTests();
    std::vector<std::pair<int, bool>> seen;
    const quorvel::device::LedSink previous =
        quorvel::device::SetLedSink([&](int led, bool on) { seen.emplace_back(led, on); });

    const HMODULE module = LoadLibrary(L"jettce.dll");
    const auto ledUpdate = reinterpret_cast<LEDUPDATEPROC>(GetProcAddress(module, L"LedUpdate"));
    ASSERT_NE(ledUpdate, nullptr);
    EXPECT_EQ(ledUpdate(0, 1), 1);
    EXPECT_EQ(ledUpdate(4, 1), 1);
    EXPECT_EQ(ledUpdate(4, 0), 1);
    EXPECT_EQ(ledUpdate(0, 2), 1);  // any non-zero state lights it
    EXPECT_EQ(ledUpdate(2, 1), 0);  // the device has no LED 2
    EXPECT_EQ(ledUpdate(-1, 1), 0);
    EXPECT_TRUE(FreeLibrary(module));

    const std::vector<std::pair<int, bool>> expected{{0, true}, {4, true}, {4, false}, {0, true}};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(quorvel::device::LedIsOn(0));
    EXPECT_FALSE(quorvel::device::LedIsOn(4));
    EXPECT_FALSE(quorvel::device::LedIsOn(2));
    quorvel::device::SetLedSink(previous);
}
