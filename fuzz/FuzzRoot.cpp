#include "fuzz/FuzzRoot.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/files/DevicePath.h"

namespace fs = std::filesystem;

namespace quorvel::fuzz {

CFuzzFolder::CFuzzFolder(const std::string& topic) {
    const std::string parent = fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = parent + "/quorvel-" + topic + "-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    m_path = pattern;
}

CFuzzFolder::~CFuzzFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string CFuzzFolder::Store(const std::string& relative, const void* data, size_t size) const {
    const std::string path = m_path + "/" + relative;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

CFuzzRoot::CFuzzRoot(const std::string& topic, std::initializer_list<const char*> folders)
    : m_folder(topic), m_root(m_folder.Path() + "/root") {
    // A folder that cannot be made throws, which ends the target as abort does.
    fs::create_directory(m_root);
    for (const char* folder : folders) fs::create_directories(m_root + "/" + folder);
    SetDeviceRoot(m_root);
}

std::string CFuzzRoot::Store(const std::string& relative, const void* data, size_t size) const {
    return m_folder.Store("root/" + relative, data, size);
}

}  // namespace quorvel::fuzz
