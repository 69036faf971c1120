// Fuzz target: the BMP and PNG readers on arbitrary file contents. Each
// input is stored as a file and loaded both as an image (with its opacity)
// and as a bitmap, the way resources and the program's pictures are.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Image.h"

namespace {

using quorvel::gdi::Image;

// The file every input is written to, in memory where the host allows; it
// is removed at exit.
class CFuzzFile {
  public:
    CFuzzFile() {
        std::string pattern = std::filesystem::is_directory("/dev/shm")
                                  ? "/dev/shm/quorvel-images-fuzz-XXXXXX"
                                  : "/tmp/quorvel-images-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_dir = pattern;
    }
    ~CFuzzFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    std::string Path() const { return m_dir + "/input"; }

  private:
    std::string m_dir;
};

std::string StoreInput(const uint8_t* data, size_t size) {
    static CFuzzFile file;
    std::ofstream out(file.Path(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file.Path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = StoreInput(data, size);
    Image image;
    std::vector<uint8_t> alpha;
    if (quorvel::gdi::LoadImageFile(path, &image, &alpha)) {
        const size_t pixels = static_cast<size_t>(image.width) * image.height;
        if (image.width <= 0 || image.height <= 0 || image.pixels.size() != pixels ||
            alpha.size() != pixels)
            std::abort();
    }
    if (HBITMAP bitmap = quorvel::gdi::LoadBitmapFile(path)) {
        BITMAP info{};
        if (GetObject(bitmap, sizeof info, &info) != sizeof info || info.bmWidth <= 0 ||
            info.bmHeight <= 0)
            std::abort();
        DeleteObject(bitmap);
    }
    return 0;
}
