// Fuzz target: device paths over the device root. Each input is read as a
// device path (bytes below 0xF0 are characters; 0xF0 and above take the next
// two bytes with them as one wide character, so names beyond ASCII and
// characters no file system takes occur too) and resolved, looked up and
// searched with a wildcard in a small fixed tree. Whatever the path, what
// comes back must name an entry inside the root.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"

namespace {

namespace fs = std::filesystem;

// A device root with "Flash Disk\Jobs\ruvo\ruvo.ini" and a file beside the
// root that no device path may reach. Removed at exit.
class CFuzzRoot {
  public:
    CFuzzRoot() {
        std::string pattern = fs::is_directory("/dev/shm") ? "/dev/shm/quorvel-paths-fuzz-XXXXXX"
                                                           : "/tmp/quorvel-paths-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_base = pattern;
        m_root = m_base + "/root";
        fs::create_directories(m_root + "/Flash Disk/Jobs/ruvo");
        std::ofstream(m_root + "/Flash Disk/Jobs/ruvo/ruvo.ini") << "[System Par]\r\n";
        std::ofstream(m_base + "/outside.txt") << "not on the device\n";
        quorvel::SetDeviceRoot(m_root);
    }
    ~CFuzzRoot() {
        std::error_code ignored;
        fs::remove_all(m_base, ignored);
    }
    const std::string& Root() const { return m_root; }

  private:
    std::string m_base, m_root;
};

std::wstring DevicePath(const uint8_t* data, size_t size) {
    std::wstring path;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] < 0xF0 || i + 2 >= size) {
            path += static_cast<wchar_t>(data[i]);
        } else {
            path +=
                static_cast<wchar_t>(((data[i] & 0x0F) << 16) | (data[i + 1] << 8) | data[i + 2]);
            i += 2;
        }
    }
    return path;
}

// The host path lies in the root and names no "." or ".." on the way.
void CheckInsideRoot(const std::string& root, const std::string& host) {
    if (host != root && host.compare(0, root.size() + 1, root + "/") != 0) std::abort();
    for (const fs::path& part : fs::path(host.substr(root.size())))
        if (part == "." || part == "..") std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CFuzzRoot root;
    const std::wstring path = DevicePath(data, size);
    for (bool forCreate : {false, true}) {
        std::string host;
        if (quorvel::ResolveDevicePath(path.c_str(), host, forCreate))
            CheckInsideRoot(root.Root(), host);
    }
    GetFileAttributes(path.c_str());
    WIN32_FIND_DATA found{};
    HANDLE find = FindFirstFile(path.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        int entries = 1;
        while (FindNextFile(find, &found))
            if (++entries > 8) std::abort();  // the tree has fewer entries in any folder
        FindClose(find);
    }
    return 0;
}
