// The multi-line edit's layout after edits: laying out again from the change
// only gives the lines a fresh layout gives, for random texts and edits, and
// the lines are those the edit has always shown.
#include <random>
#include <string>
#include <vector>

#include "platform/controls/EditLayout.h"
#include "tests/platform/controls/ControlTest.h"

using namespace controltest;
using quorvel::controls::EditLine;

namespace {

// Made-up widths: narrow spaces, wide Chinese, letters of a few widths.
int Advance(wchar_t c) {
    if (c == L' ') return 3;
    if (c == L'\t') return 9;
    if (c >= 0x4E00) return 12;
    return 4 + static_cast<int>(c % 4);
}

void Offsets(std::wstring_view run, std::vector<int>& offsets) {
    offsets.assign(run.size() + 1, 0);
    for (size_t i = 0; i < run.size(); ++i) offsets[i + 1] = offsets[i] + Advance(run[i]);
}

int Width(std::wstring_view run) {
    int width = 0;
    for (wchar_t c : run) width += Advance(c);
    return width;
}

// The layout as the edit has always made it, measuring every run afresh.
void ReferenceWrap(std::wstring_view text, size_t start, size_t end, int width,
                   std::vector<EditLine>& out) {
    while (true) {
        if (width <= 0 || Width(text.substr(start, end - start)) <= width) {
            out.push_back({start, end, Width(text.substr(start, end - start))});
            return;
        }
        size_t fit = start + 1;
        while (fit < end && Width(text.substr(start, fit + 1 - start)) <= width) ++fit;
        size_t cut = fit;
        for (size_t i = fit; i > start; --i) {
            if (text[i - 1] == L' ' || text[i - 1] == L'\t') {
                cut = i;
                break;
            }
        }
        while (cut < end && text[cut] == L' ') ++cut;
        if (cut >= end) {
            out.push_back({start, end, Width(text.substr(start, end - start))});
            return;
        }
        out.push_back({start, cut, Width(text.substr(start, cut - start))});
        start = cut;
    }
}

std::vector<EditLine> Reference(std::wstring_view text, int width) {
    std::vector<EditLine> lines;
    size_t start = 0;
    while (true) {
        size_t end = text.find(L'\n', start);
        const bool last = end == std::wstring_view::npos;
        if (last) end = text.size();
        size_t shown = end;
        if (!last && shown > start && text[shown - 1] == L'\r') --shown;
        ReferenceWrap(text, start, shown, width, lines);
        if (last) return lines;
        start = end + 1;
    }
}

std::string Describe(const std::vector<EditLine>& lines) {
    std::string out;
    for (const EditLine& l : lines)
        out += std::to_string(l.start) + "-" + std::to_string(l.end) + ":" +
               std::to_string(l.width) + " ";
    return out;
}

std::wstring RandomRun(std::mt19937& random, size_t length) {
    static const std::wstring kPieces[] = {L"a",  L"bb", L"W",  L" ",    L"  ",   L"\t", L"\r\n",
                                           L"\n", L"一", L"二", L"word", L"mmmm", L"x"};
    std::wstring run;
    while (run.size() < length) run += kPieces[random() % std::size(kPieces)];
    return run;
}

TEST(EditLayout, LayingOutFromTheChangeGivesTheLinesOfAFreshLayout) {
    std::mt19937 random(606);
    for (int width : {0, 1, 14, 37, 60, 200}) {
        std::wstring text = RandomRun(random, 400);
        std::vector<EditLine> lines =
            quorvel::controls::LayoutEditLines(text, true, width, &Offsets);
        ASSERT_EQ(Describe(lines), Describe(Reference(text, width)));
        for (int edit = 0; edit < 400; ++edit) {
            const size_t from = random() % (text.size() + 1);
            const size_t removed = std::min<size_t>(random() % 12, text.size() - from);
            const std::wstring inserted = RandomRun(random, random() % 3 == 0 ? 0 : random() % 15);
            const size_t oldLength = text.size();
            text.replace(from, removed, inserted);
            const size_t tail = text.size() - from - inserted.size();
            quorvel::controls::RelayoutEditLines(lines, oldLength, text, from, tail, true, width,
                                                 &Offsets);
            ASSERT_EQ(Describe(lines), Describe(Reference(text, width)))
                << "width " << width << ", edit " << edit;
        }
    }
}

class EditReflow : public ControlTest {};

// The lines of an edit the user typed into, against one that was given the
// same text whole.
std::vector<LRESULT> LineStarts(HWND edit) {
    std::vector<LRESULT> starts;
    const LRESULT count = SendMessage(edit, EM_GETLINECOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        starts.push_back(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(i), 0));
        starts.push_back(SendMessage(edit, EM_LINELENGTH, static_cast<WPARAM>(starts.back()), 0));
    }
    return starts;
}

TEST_F(EditReflow, TypingAnywhereInALongTextWrapsLikeSettingItWhole) {
    HWND host = Host(240, 200);
    const DWORD style = ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_BORDER;
    HWND typed = Make(host, L"Edit", L"", style, {4, 4, 124, 96}, 1);
    HWND whole = Make(host, L"Edit", L"", style, {4, 100, 124, 192}, 2);
    std::mt19937 random(2026);
    std::wstring text;
    for (int i = 0; i < 300; ++i) {
        static const wchar_t* const kWords[] = {L"控制点",         L"K3+240",     L"a",
                                                L"survey ",        L" ",          L"\r\n",
                                                L"测量放样坐标库", L"N=3012.551 "};
        text += kWords[random() % std::size(kWords)];
    }
    SetWindowText(typed, text.c_str());
    SetFocus(typed);
    for (int edit = 0; edit < 150; ++edit) {
        const auto at = static_cast<WPARAM>(random() % (text.size() + 1));
        const auto to = static_cast<LPARAM>(at + random() % 3);
        SendMessage(typed, EM_SETSEL, at, to);
        static const wchar_t* const kKeys[] = {L"x", L" ", L"\r", L"\b", L"点", L"ab cd"};
        Type(kKeys[random() % std::size(kKeys)]);
        const LRESULT length = GetWindowTextLength(typed);
        text.assign(static_cast<size_t>(length) + 1, L'\0');
        GetWindowText(typed, text.data(), static_cast<int>(length) + 1);
        text.resize(static_cast<size_t>(length));
        SetWindowText(whole, text.c_str());
        ASSERT_EQ(LineStarts(typed), LineStarts(whole)) << "edit " << edit;
    }
}

}  // namespace
