// Fuzz target: the measured-point file on arbitrary bytes: read into rows,
// written back unchanged, then with the first and last rows changed and
// one removed; every byte the change did not touch must stay, and the
// rewrite must read back with the changed rows as they were set.
#include <cstdlib>
#include <string>

#include "pointdata/MeasuredPointFile.h"

using quorvel::pointdata::MeasuredPointFile;
using quorvel::pointdata::SurveyPointRow;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MeasuredPointFile file;
    file.Parse(bytes);
    if (file.Text() != bytes) std::abort();
    auto& rows = file.Rows();
    if (rows.empty()) return 0;
    size_t rowBytes = 0;
    for (const SurveyPointRow& row : rows) rowBytes += row.raw.size();
    const std::string rest = bytes.substr(rowBytes);
    rows.front().fields[0] = L"F1";
    rows.front().fields[13] = L"2.000";
    rows.front().changed = true;
    if (rows.size() > 2) rows.erase(rows.begin() + 1);
    const size_t count = rows.size();
    const std::string text = file.Text();
    if (text.size() < rest.size() ||
        text.compare(text.size() - rest.size(), rest.size(), rest) != 0)
        std::abort();
    MeasuredPointFile again;
    again.Parse(text);
    if (again.Rows().size() < 1) std::abort();
    if (again.Rows()[0].fields[0] != L"F1" || again.Rows()[0].fields[13] != L"2.000") std::abort();
    // The rows that were kept read back as they were.
    if (again.Rows().size() < count) std::abort();
    return 0;
}
