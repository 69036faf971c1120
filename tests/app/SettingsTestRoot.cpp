#include "tests/app/SettingsTestRoot.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"

namespace fs = std::filesystem;

namespace {

std::string ReadHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void SettingsTest::SetUp() {
    DeviceRootTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(CreateDirectory(L"\\Flash Disk", nullptr));
}

std::string SettingsTest::ReadDeviceFile(LPCTSTR devicePath) {
    std::string hostPath;
    if (!quorvel::ResolveDevicePath(devicePath, hostPath, false)) return std::string();
    return ReadHostFile(hostPath);
}

void SettingsTest::WriteDeviceFile(LPCTSTR devicePath, const std::string& bytes) {
    std::string hostPath;
    ASSERT_TRUE(quorvel::ResolveDevicePath(devicePath, hostPath, true));
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
}

bool SettingsTest::DeviceFileExists(LPCTSTR devicePath) {
    DWORD attributes = GetFileAttributes(devicePath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string SettingsTest::ReferenceFile(const char* name) {
    std::string path = std::string(QUORVEL_SOURCE_DIR) + "/tests/app/data/" + name;
    std::string bytes = ReadHostFile(path);
    EXPECT_FALSE(bytes.empty()) << "missing reference file " << path;
    return bytes;
}

int SettingsTest::CountHostEntries(LPCTSTR deviceFolder) {
    std::string hostPath;
    if (!quorvel::ResolveDevicePath(deviceFolder, hostPath, false)) return -1;
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(hostPath)) ++count;
    return count;
}

std::string Gbk(LPCTSTR text) {
    return quorvel::ToGbk(text);
}
