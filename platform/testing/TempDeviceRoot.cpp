#include "platform/testing/TempDeviceRoot.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/files/DevicePath.h"
#include "platform/files/Registry.h"

namespace fs = std::filesystem;

namespace quorvel::testing {

TempFolder::TempFolder(const std::string& prefix) {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    std::string pattern = (ec ? std::string("/tmp") : base.string()) + "/" + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
}

TempFolder::~TempFolder() {
    if (m_path.empty()) return;
    // A test may leave folders without write or search permission behind;
    // give them back so that everything below can go.
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::remove_all(m_path, ec);
}

TempDeviceRoot::TempDeviceRoot(const std::string& prefix) : m_folder(prefix) {
    if (!m_folder.Made()) return;
    m_root = m_folder.Path() + "/root";
    std::error_code ec;
    m_made = fs::create_directory(m_root, ec);
    if (m_made) SetDeviceRoot(m_root);
}

TempDeviceRoot::~TempDeviceRoot() {
    if (!m_made) return;
    SetDeviceRoot("");
    ResetRegistryForTests();
}

std::string TempDeviceRoot::Host(const std::string& relative) const {
    return m_root + "/" + relative;
}

void TempDeviceRoot::WriteHost(const std::string& relative, const std::string& bytes) const {
    const fs::path path = Host(relative);
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << path;
}

std::string TempDeviceRoot::ReadHost(const std::string& relative) const {
    std::ifstream in(Host(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDeviceRoot::HostExists(const std::string& relative) const {
    std::error_code ec;
    return fs::exists(fs::symlink_status(Host(relative), ec));
}

void DeviceRootTest::SetUp() {
    m_deviceRoot.emplace();
    ASSERT_TRUE(m_deviceRoot->Made()) << "no temporary device root";
    m_base = m_deviceRoot->Base();
    m_root = m_deviceRoot->Root();
}

void DeviceRootTest::TearDown() {
    m_deviceRoot.reset();
}

}  // namespace quorvel::testing
