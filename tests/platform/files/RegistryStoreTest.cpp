// The registry's keys, its file on disk, damaged files and concurrent use.
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/files/Registry.h"
#include "platform/testing/TempDeviceRoot.h"

namespace {

using quorvel::testing::DeviceRootTest;

class RegistryStoreTest : public DeviceRootTest {
  protected:
    static HKEY Create(HKEY root, LPCTSTR path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, 0, 0, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    }
    static std::vector<BYTE> Query(HKEY key, LPCTSTR name, DWORD* type = nullptr) {
        DWORD size = 0;
        if (RegQueryValueEx(key, name, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return {};
        std::vector<BYTE> data(size);
        EXPECT_EQ(RegQueryValueEx(key, name, nullptr, type, data.data(), &size), ERROR_SUCCESS);
        return data;
    }
};

std::vector<BYTE> Bytes(const void* data, size_t size) {
    const auto* p = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(p, p + size);
}

TEST_F(RegistryStoreTest, EveryKindOfValueAndNameSurvivesTheFile) {
    HKEY key = Create(HKEY_CLASSES_ROOT, L"名字\\[odd] \"key\"");
    const BYTE binary[] = {0, 1, 0xFF, '"', '\n'};
    const wchar_t unterminated[] = {L'a', L'b'};
    const wchar_t control[] = {L'x', 0x01, 0xD800, 0x7FFFFFFF, L'\\', L'"', L'\t', 0};
    const DWORD big = 0xDEADBEEF;
    ASSERT_EQ(RegSetValueEx(key, L"bin", 0, REG_BINARY, binary, sizeof binary), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, L"raw sz", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated),
                            sizeof unterminated),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, L"ctl\n\"name\"\\", 0, REG_EXPAND_SZ,
                            reinterpret_cast<const BYTE*>(control), sizeof control),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, L"dw", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&big), 4),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, L"empty", 0, REG_NONE, nullptr, 0), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(key, L"odd dword", 0, REG_DWORD, binary, 3), ERROR_SUCCESS);
    RegCloseKey(key);

    quorvel::ResetRegistryForTests();
    key = Create(HKEY_CLASSES_ROOT, L"名字\\[ODD] \"KEY\"");
    DWORD type = 0;
    EXPECT_EQ(Query(key, L"BIN", &type), Bytes(binary, sizeof binary));
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(Query(key, L"raw sz"), Bytes(unterminated, sizeof unterminated));
    EXPECT_EQ(Query(key, L"CTL\n\"NAME\"\\", &type), Bytes(control, sizeof control));
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(Query(key, L"dw"), Bytes(&big, 4));
    EXPECT_TRUE(Query(key, L"empty", &type).empty());
    EXPECT_EQ(type, REG_NONE);
    EXPECT_EQ(Query(key, L"odd dword"), Bytes(binary, 3));
    RegCloseKey(key);
    EXPECT_FALSE(HostExists(".registry.bad"));
}

TEST_F(RegistryStoreTest, DeletingKeysAndValues) {
    HKEY parent = Create(HKEY_LOCAL_MACHINE, L"A");
    HKEY child = Create(parent, L"B\\C");
    const DWORD one = 1;
    ASSERT_EQ(RegSetValueEx(child, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(child, L"V"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueW(child, L"v"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(parent, L"missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(parent, L""), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyW(parent, L"b"), ERROR_SUCCESS);  // with everything under it
    EXPECT_EQ(RegSetValueEx(child, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_KEY_DELETED);
    HKEY again = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"A\\B\\C", 0, 0, &again), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
    quorvel::ResetRegistryForTests();  // closes every handle
    EXPECT_EQ(RegCloseKey(parent), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"a", 0, 0, &again), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(again, L"B", 0, 0, &parent), ERROR_FILE_NOT_FOUND);
    RegCloseKey(again);
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

TEST_F(RegistryStoreTest, ADamagedFileIsSetAsideAndAnEmptyRegistryUsed) {
    const std::string good =
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:00000005\nend\n";
    const std::vector<std::string> damaged = {
        "garbage\x01\x02",
        "",
        good.substr(0, good.size() - 4),                    // cut before "end"
        "Quorvel registry 1\n[HKEY_NOWHERE\\K]\nend\n",     // unknown root
        "Quorvel registry 1\n\"v\"=dword:00000005\nend\n",  // value outside a key
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:5\nend\n",
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=hex(3):0,\nend\n",
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=sz:\"\\u{zz}\"\nend\n",
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\\xff\xfe]\nend\n",  // not UTF-8
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\\\K]\nend\n",       // empty key name
        // nested far deeper than a registry goes
        "Quorvel registry 1\n[HKEY_LOCAL_MACHINE\\K" + Repeat("\\a", 100000) + "]\nend\n",
    };
    for (const std::string& text : damaged) {
        WriteHost(".registry", text);
        quorvel::ResetRegistryForTests();
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"K", 0, 0, &key), ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(ReadHost(".registry.bad"), text);
        EXPECT_FALSE(HostExists(".registry"));
        // The next change writes a sound file again.
        HKEY created = Create(HKEY_LOCAL_MACHINE, L"New");
        RegCloseKey(created);
        EXPECT_NE(ReadHost(".registry").find("[HKEY_LOCAL_MACHINE\\New]"), std::string::npos);
        std::filesystem::remove(Host(".registry.bad"));
    }
    WriteHost(".registry", good);
    quorvel::ResetRegistryForTests();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, L"k", 0, 0, &key), ERROR_SUCCESS);
    EXPECT_FALSE(HostExists(".registry.bad"));
    RegCloseKey(key);

    // A folder where the file should be is set aside too.
    std::filesystem::remove(Host(".registry"));
    std::filesystem::create_directory(Host(".registry"));
    quorvel::ResetRegistryForTests();
    key = Create(HKEY_CURRENT_USER, L"X");
    RegCloseKey(key);
    EXPECT_TRUE(std::filesystem::is_directory(Host(".registry.bad")));
    EXPECT_TRUE(std::filesystem::is_regular_file(Host(".registry")));
}

TEST_F(RegistryStoreTest, AChangeThatCannotBeSavedIsUndone) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, L"K");
    const DWORD one = 1;
    const DWORD two = 2;
    ASSERT_EQ(RegSetValueEx(key, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4),
              ERROR_SUCCESS);
    // The device root goes away under the loaded registry: saving fails.
    std::filesystem::rename(m_root, m_base + "/gone");
    EXPECT_NE(RegSetValueEx(key, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4),
              ERROR_SUCCESS);
    EXPECT_NE(RegSetValueEx(key, L"w", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4),
              ERROR_SUCCESS);
    HKEY sub = nullptr;
    EXPECT_NE(RegCreateKeyEx(key, L"S\\T", 0, nullptr, 0, 0, nullptr, &sub, nullptr),
              ERROR_SUCCESS);
    EXPECT_NE(RegDeleteValue(key, L"v"), ERROR_SUCCESS);
    EXPECT_NE(RegDeleteKey(HKEY_LOCAL_MACHINE, L"K"), ERROR_SUCCESS);
    std::filesystem::rename(m_base + "/gone", m_root);
    // Memory still matches the file: the old value, no new value or key.
    EXPECT_EQ(Query(key, L"v"), Bytes(&one, 4));
    EXPECT_TRUE(Query(key, L"w").empty());
    EXPECT_EQ(RegOpenKeyEx(key, L"S", 0, 0, &sub), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    quorvel::ResetRegistryForTests();
    key = Create(HKEY_LOCAL_MACHINE, L"K");
    EXPECT_EQ(Query(key, L"v"), Bytes(&one, 4));
    RegCloseKey(key);
}

TEST_F(RegistryStoreTest, ThreadsChangeTheRegistryTogetherWithoutLosingAnything) {
    constexpr int kThreads = 6;
    constexpr int kValues = 40;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t] {
            const std::wstring path = L"Threads\\T" + std::to_wstring(t);
            HKEY key = nullptr;
            EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr,
                                     &key, nullptr),
                      ERROR_SUCCESS);
            for (DWORD i = 0; i < kValues; ++i) {
                const std::wstring name = L"v" + std::to_wstring(i);
                EXPECT_EQ(RegSetValueEx(key, name.c_str(), 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&i), 4),
                          ERROR_SUCCESS);
                DWORD back = 0;
                DWORD size = 4;
                RegQueryValueEx(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&back),
                                &size);
            }
            RegCloseKey(key);
        });
    }
    for (std::thread& thread : threads) thread.join();
    quorvel::ResetRegistryForTests();
    for (int t = 0; t < kThreads; ++t) {
        const std::wstring path = L"Threads\\T" + std::to_wstring(t);
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, 0, &key), ERROR_SUCCESS);
        for (DWORD i = 0; i < kValues; ++i) {
            EXPECT_EQ(Query(key, (L"v" + std::to_wstring(i)).c_str()), Bytes(&i, 4));
        }
        RegCloseKey(key);
    }
}

}  // namespace
