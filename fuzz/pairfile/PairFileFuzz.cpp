// Fuzz target: the point-pair file loader on arbitrary file contents, as
// both kinds of row (five and seven cells), from memory and from a file in
// a temporary device root. The rows it accepts must survive being written
// and read again unchanged after one pass (characters the code page
// cannot hold become "?" on the first write).
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/InputRules.h"
#include "app/coordsys/PointPairFile.h"
#include "platform/base/TextConv.h"
#include "platform/files/DevicePath.h"

namespace {

class CFuzzRoot {
  public:
    CFuzzRoot() {
        std::string pattern = std::filesystem::is_directory("/dev/shm")
                                  ? "/dev/shm/quorvel-pairfile-fuzz-XXXXXX"
                                  : "/tmp/quorvel-pairfile-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_root = pattern;
        quorvel::SetDeviceRoot(m_root);
    }
    ~CFuzzRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    std::string HostFile() const { return m_root + "/pairs.fou"; }

  private:
    std::string m_root;
};

const CFuzzRoot& Root() {
    static CFuzzRoot root;
    return root;
}

std::vector<pointpair::Row> Reparse(const std::vector<pointpair::Row>& rows, int nCells) {
    const CString text =
        quorvel::FromGbk(pointpair::FormatBytes(rows).data(), pointpair::FormatBytes(rows).size());
    return pointpair::ParseText(text.GetString(), static_cast<size_t>(text.GetLength()), nCells);
}

void Check(const CString& text, int nCells) {
    const auto rows =
        pointpair::ParseText(text.GetString(), static_cast<size_t>(text.GetLength()), nCells);
    double sum = 0.0;
    for (const auto& row : rows) {
        if (row.size() != static_cast<size_t>(nCells)) std::abort();
        for (const CString& cell : row) sum += ReadNumber(cell);
    }
    if (sum != sum) std::abort();  // a number that is no number
    const auto once = Reparse(rows, nCells);
    if (Reparse(once, nCells) != once) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CString text = quorvel::FromGbk(reinterpret_cast<const char*>(data), size);
    Check(text, pointpair::kFourCells);
    Check(text, pointpair::kSevenCells);
    {
        std::ofstream out(Root().HostFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<pointpair::Row> fromFile;
    if (!pointpair::ReadFile(L"\\pairs.fou", pointpair::kFourCells, fromFile)) std::abort();
    if (fromFile != pointpair::ParseText(text.GetString(), static_cast<size_t>(text.GetLength()),
                                         pointpair::kFourCells))
        std::abort();
    return 0;
}
