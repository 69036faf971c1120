// Fuzz target: the point-pair file loader on arbitrary file contents, as
// both kinds of row (five and seven cells), from memory and from a file in
// a temporary device root. The rows it accepts must survive being written
// and read again unchanged after one pass (characters the code page
// cannot hold become "?" on the first write).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/InputRules.h"
#include "app/coordsys/PointPairFile.h"
#include "fuzz/FuzzRoot.h"
#include "platform/base/TextConv.h"

namespace {

const quorvel::fuzz::CFuzzRoot& Root() {
    static const quorvel::fuzz::CFuzzRoot root("pairfile");
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
    Root().Store("pairs.fou", data, size);
    std::vector<pointpair::Row> fromFile;
    if (!pointpair::ReadFile(L"\\pairs.fou", pointpair::kFourCells, fromFile)) std::abort();
    if (fromFile != pointpair::ParseText(text.GetString(), static_cast<size_t>(text.GetLength()),
                                         pointpair::kFourCells))
        std::abort();
    return 0;
}
