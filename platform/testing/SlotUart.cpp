#include "platform/testing/SlotUart.h"

#include <gtest/gtest.h>

#include "platform/files/Registry.h"

namespace quorvel::testing {
namespace {

constexpr const wchar_t* kSlotKey = L"Drivers\\PsionTeklogix\\Expansion Slot";

}  // namespace

void SetFfuart(DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSlotKey, 0, nullptr, 0, 0, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(key, L"FFUART", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

DWORD Ffuart() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSlotKey, 0, 0, &key) != ERROR_SUCCESS) return 0xDEAD;
    DWORD value = 0xDEAD, size = sizeof value, type = 0;
    RegQueryValueEx(key, L"FFUART", nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    RegCloseKey(key);
    return value;
}

}  // namespace quorvel::testing
