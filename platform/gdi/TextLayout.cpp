#include "platform/gdi/TextLayout.h"

#include "platform/gdi/GdiConstants.h"

namespace quorvel::gdi {
namespace {

// Characters of the CJK scripts may be broken between, as the device's
// Chinese text layout does; other text breaks after spaces.
bool IsWide(wchar_t ch) {
    return ch >= 0x2E80;
}

bool CanBreakBefore(const std::wstring& text, size_t i) {
    if (i == 0) return false;
    const wchar_t prev = text[i - 1], ch = text[i];
    if (ch == L' ') return false;
    return prev == L' ' || IsWide(prev) || IsWide(ch);
}

// The text without '&' prefixes ("&&" stands for '&') and where the first
// prefixed character went.
std::wstring StripPrefixes(const std::wstring& text, int* underlineAt) {
    std::wstring out;
    *underlineAt = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != L'&' && *underlineAt < 0) *underlineAt = static_cast<int>(out.size());
        }
        out.push_back(text[i]);
    }
    return out;
}

LaidLine Measure(const LayoutRequest& r, const std::wstring& text, int underlineAt) {
    LaidLine line;
    line.text = text;
    line.underlineAt = underlineAt;
    for (wchar_t ch : text) {
        int adv = r.advance(ch);
        if (ch == L'\t' && (r.format & DT_EXPANDTABS) && r.tabWidth > 0) {
            adv = r.tabWidth - line.width % r.tabWidth;
        }
        line.advances.push_back(adv);
        line.width += adv;
    }
    return line;
}

// Splits one paragraph into lines no wider than the request's width where
// the text allows; a word wider than a whole line is cut where it must be.
void BreakParagraph(const LayoutRequest& r, const LaidLine& para, std::vector<LaidLine>& out) {
    size_t start = 0;
    while (start < para.text.size()) {
        int width = 0;
        size_t end = start, lastBreak = 0;
        while (end < para.text.size()) {
            if (end > start && CanBreakBefore(para.text, end)) lastBreak = end;
            if (width + para.advances[end] > r.width && end > start && para.text[end] != L' ')
                break;
            width += para.advances[end];
            ++end;
        }
        if (end < para.text.size() && lastBreak > start) end = lastBreak;
        size_t stop = end;
        while (stop > start && para.text[stop - 1] == L' ') --stop;
        const int mark =
            para.underlineAt >= static_cast<int>(start) && para.underlineAt < static_cast<int>(stop)
                ? para.underlineAt - static_cast<int>(start)
                : -1;
        out.push_back(Measure(r, para.text.substr(start, stop - start), mark));
        start = end;
        while (start < para.text.size() && para.text[start] == L' ') ++start;
    }
    if (para.text.empty()) out.push_back(para);
}

// Cuts the line short with "..." so that it fits the width.
void AddEllipsis(const LayoutRequest& r, LaidLine& line) {
    if (line.width <= r.width) return;
    const std::wstring dots = L"...";
    const int dotsWidth = 3 * r.advance(L'.');
    size_t keep = line.text.size();
    int width = line.width;
    while (keep > 0 && width + dotsWidth > r.width) width -= line.advances[--keep];
    const int mark = line.underlineAt < static_cast<int>(keep) ? line.underlineAt : -1;
    line = Measure(r, line.text.substr(0, keep) + dots, mark);
}

}  // namespace

std::vector<LaidLine> LayOutText(const LayoutRequest& r) {
    int underlineAt = -1;
    const std::wstring text =
        (r.format & DT_NOPREFIX) ? r.text : StripPrefixes(r.text, &underlineAt);
    std::vector<LaidLine> lines;
    if (r.format & DT_SINGLELINE) {
        lines.push_back(Measure(r, text, underlineAt));
    } else {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find_first_of(L"\r\n", start);
            if (end == std::wstring::npos) end = text.size();
            const int mark =
                underlineAt >= static_cast<int>(start) && underlineAt < static_cast<int>(end)
                    ? underlineAt - static_cast<int>(start)
                    : -1;
            LaidLine para = Measure(r, text.substr(start, end - start), mark);
            if (r.format & DT_WORDBREAK) {
                BreakParagraph(r, para, lines);
            } else {
                lines.push_back(std::move(para));
            }
            if (end >= text.size()) break;
            start =
                end +
                ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
        }
    }
    if (r.format & DT_END_ELLIPSIS) {
        for (LaidLine& line : lines) AddEllipsis(r, line);
    }
    return lines;
}

}  // namespace quorvel::gdi
