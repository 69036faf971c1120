// The device root of the calibration readers' fuzz targets: a temporary
// folder (in memory where the host allows) for the whole process, with
// "\Flash Disk" in it, removed at exit. Message boxes are answered at once.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/base/MessageBox.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"

namespace calibfuzz {

class CFuzzRoot {
  public:
    CFuzzRoot() {
        std::string pattern = std::filesystem::is_directory("/dev/shm")
                                  ? "/dev/shm/quorvel-calib-fuzz-XXXXXX"
                                  : "/tmp/quorvel-calib-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_root = pattern;
        quorvel::SetDeviceRoot(m_root);
        CreateDirectory(L"\\Flash Disk", nullptr);
        quorvel::SetMessageBoxHandler([](const quorvel::MessageBoxRequest&) { return IDOK; });
    }
    ~CFuzzRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    // Stores the input as "\Flash Disk\<name>".
    void Store(const char* name, const uint8_t* data, size_t size) const {
        std::ofstream out(m_root + "/Flash Disk/" + name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

  private:
    std::string m_root;
};

inline const CFuzzRoot& Root() {
    static CFuzzRoot root;
    return root;
}

}  // namespace calibfuzz
