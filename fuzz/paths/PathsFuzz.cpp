// Fuzz target: device paths over the device root. Each input is read as a
// device path (bytes below 0xF0 are characters; 0xF0 and above take the next
// two bytes with them as one wide character, so names beyond ASCII and
// characters no file system takes occur too) and resolved, looked up and
// searched with a wildcard in a small fixed tree. Whatever the path, what
// comes back must name an entry inside the root.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/FuzzRoot.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"

namespace {

namespace fs = std::filesystem;

// A device root with "Flash Disk\Jobs\ruvo\ruvo.ini" and a file beside the
// root that no device path may reach.
class CPathsRoot : public quorvel::fuzz::CFuzzRoot {
  public:
    CPathsRoot() : CFuzzRoot("paths", {"Flash Disk/Jobs/ruvo"}) {
        Store("Flash Disk/Jobs/ruvo/ruvo.ini", "[System Par]\r\n");
        std::ofstream(Base() + "/outside.txt") << "not on the device\n";
    }
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
    static const CPathsRoot root;
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
