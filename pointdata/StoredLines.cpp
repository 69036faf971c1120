#include "pointdata/StoredLines.h"

#include <string>

std::vector<CString> SplitStoredLines(const CString& text, int maxLines) {
    std::vector<CString> lines;
    const std::wstring& all = text.str();
    size_t start = 0;
    while (maxLines < 0 || static_cast<int>(lines.size()) < maxLines) {
        const size_t lf = all.find(L'\n', start);
        if (lf == std::wstring::npos) break;
        // The character before the LF goes, whatever it is: a line of one
        // character and its LF counts as empty.
        const size_t length = lf - start;
        if (length <= 1) break;
        lines.emplace_back(all.substr(start, length - 1));
        start = lf + 1;
    }
    return lines;
}

CString StoredField(const CString& line, int index, wchar_t sep) {
    const std::wstring& all = line.str();
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        const size_t next = all.find(sep, start);
        if (next == std::wstring::npos) return CString();
        start = next + 1;
    }
    const size_t end = all.find(sep, start);
    return CString(all.substr(start, end == std::wstring::npos ? end : end - start));
}
