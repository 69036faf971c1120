// Line layout for DrawText: '&' prefixes, tab stops, line ends, word
// breaking and end ellipses, measured with a font's upright advances.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace quorvel::gdi {

struct LaidLine {
    std::wstring text;
    std::vector<int> advances;  // per character, tabs expanded
    int width = 0;
    int underlineAt = -1;  // the prefixed character, or -1
};

struct LayoutRequest {
    std::wstring text;
    UINT format = 0;
    int width = 0;     // of the rectangle, for breaking and ellipses
    int tabWidth = 0;  // distance between tab stops
    std::function<int(wchar_t)> advance;
};

std::vector<LaidLine> LayOutText(const LayoutRequest& request);

}  // namespace quorvel::gdi
