// The registry: values, sizes, persistence across processes, kills, damage.
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/files/Registry.h"
#include "platform/testing/TempDeviceRoot.h"
#include "tests/platform/files/ChildProcess.h"

namespace {

using quorvel::testing::DeviceRootTest;

class RegistryTest : public DeviceRootTest {};

const wchar_t kAppKey[] = L"SOFTWARE\\Microsoft\\Shell\\Keys\\40CF";
const wchar_t kSlotKey[] = L"Drivers\\PsionTeklogix\\Expansion Slot";

LONG SetString(HKEY key, LPCTSTR name, const std::wstring& text) {
    return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR)));
}

LONG SetDword(HKEY key, LPCTSTR name, DWORD value) {
    return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value);
}

// A REG_SZ read back, or "<error N>".
std::wstring GetString(HKEY root, LPCTSTR subKey, LPCTSTR name) {
    HKEY key = nullptr;
    LONG err = RegOpenKeyEx(root, subKey, 0, KEY_READ, &key);
    if (err != ERROR_SUCCESS) return L"<error " + std::to_wstring(err) + L">";
    DWORD size = 0;
    DWORD type = 0;
    err = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size);
    std::vector<wchar_t> buffer(size / sizeof(WCHAR) + 1, L'\0');
    if (err == ERROR_SUCCESS) {
        err = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                              &size);
    }
    RegCloseKey(key);
    if (err != ERROR_SUCCESS) return L"<error " + std::to_wstring(err) + L">";
    const std::wstring text = buffer.data();
    if (type != REG_SZ || size != (text.size() + 1) * sizeof(WCHAR)) return L"<bad size>";
    return text;
}

TEST_F(RegistryTest, TheApplicationKeyStoresItsStringWithTheTerminatorCounted) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAppKey, 0, nullptr, 0, 0, nullptr, &key, &disposition),
        ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    const std::wstring text = L"\"Quorvel.exe\"";
    ASSERT_EQ(SetString(key, nullptr, text), ERROR_SUCCESS);

    const DWORD stored = static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR));
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, stored);
    EXPECT_EQ(type, REG_SZ);

    wchar_t small[4] = {L'x', L'x', L'x', L'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, stored);
    std::vector<wchar_t> exact(text.size() + 1, L'?');
    size = stored;
    EXPECT_EQ(RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(exact.data()),
                              &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(exact.data()), text);
    EXPECT_EQ(
        RegQueryValueEx(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(small), nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"software\\MICROSOFT\\shell\\keys\\40cf", 0,
                             nullptr, 0, 0, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
}

TEST_F(RegistryTest, TheExpansionSlotDwordIsForcedToOne) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSlotKey, 0, const_cast<LPTSTR>(L""), 0, 0,
                             nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD value = 7;
    DWORD size = sizeof value;
    EXPECT_EQ(
        RegQueryValueEx(key, L"FFUART", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(SetDword(key, L"FFUART", 1), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(
        RegQueryValueEx(key, L"ffuart", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(value, 1u);
    RegCloseKey(key);
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Drivers\\Nothing", 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, AValueWrittenByOneProcessIsReadByTheNext) {
    const ChildResult writer = RunChild([] {
        quorvel::ResetRegistryForTests();  // a fresh process reads the file
        HKEY key = nullptr;
        if (RegCreateKeyEx(HKEY_CURRENT_USER, L"Software\\Quorvel\\Recent File List", 0, nullptr, 0,
                           0, nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return 1;
        }
        return SetString(key, L"File1", L"\\Flash Disk\\Jobs\\测试\\a \"b\" \\c\r\n") == 0 ? 0 : 2;
    });
    ASSERT_TRUE(writer.exited);
    ASSERT_EQ(writer.code, 0);
    quorvel::ResetRegistryForTests();
    EXPECT_EQ(GetString(HKEY_CURRENT_USER, L"software\\quorvel\\RECENT FILE LIST", L"file1"),
              L"\\Flash Disk\\Jobs\\测试\\a \"b\" \\c\r\n");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, L"Software\\Quorvel\\Recent File List", 0, 0, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(SetDword(key, L"File2", 42), ERROR_SUCCESS);
    RegCloseKey(key);
    const ChildResult reader = RunChild([] {
        quorvel::ResetRegistryForTests();
        HKEY k = nullptr;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, L"Software\\Quorvel\\Recent File List", 0, 0, &k)) {
            return 1;
        }
        if (RegQueryValueEx(k, L"File2", nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                            &size)) {
            return 2;
        }
        return value == 42 ? 0 : 3;
    });
    EXPECT_TRUE(reader.exited);
    EXPECT_EQ(reader.code, 0);
}

TEST_F(RegistryTest, AWriterKilledMidChangeNeverLeavesATornRegistry) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, L"Software\\Test", 0, nullptr, 0, 0, nullptr, &key,
                             nullptr),
              ERROR_SUCCESS);
    const std::wstring shortText = L"short";
    const std::wstring longText(3000, L'長');
    ASSERT_EQ(SetString(key, L"Value", shortText), ERROR_SUCCESS);
    RegCloseKey(key);
    std::mt19937 random(42);
    for (int round = 0; round < 30; ++round) {
        const pid_t child = Spawn([&] {
            HKEY k = nullptr;
            if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"Software\\Test", 0, 0, &k)) return 1;
            for (int i = 0;; ++i) {
                if (SetString(k, L"Value", i % 2 ? shortText : longText)) return 2;
                HKEY sub = nullptr;
                if (RegCreateKeyEx(k, L"Sub", 0, nullptr, 0, 0, nullptr, &sub, nullptr)) return 3;
                RegCloseKey(sub);
                if (RegDeleteKey(k, L"Sub")) return 4;
            }
        });
        ::usleep(500 + random() % 5000);
        ::kill(child, SIGKILL);
        const ChildResult result = Wait(child);
        ASSERT_TRUE(result.killed) << "writer stopped with " << result.code;
        quorvel::ResetRegistryForTests();
        const std::wstring value = GetString(HKEY_LOCAL_MACHINE, L"Software\\Test", L"Value");
        ASSERT_TRUE(value == shortText || value == longText) << "round " << round;
        ASSERT_FALSE(HostExists(".registry.bad")) << "round " << round;
    }
}

}  // namespace
