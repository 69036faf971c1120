// A word-wrapping multi-line edit on the 240 x 320 screen holding 100,000
// characters of notes: setting the whole text, and one keystroke in the
// middle of it (the character, the new layout and the paint that follows).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/controls/Controls.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Surface.h"

namespace {

constexpr size_t kLength = 100000;

// Survey notes: words, numbers and Chinese, in paragraphs of a few thousand
// characters or (the worst case) in one, so that wrapping does nearly all
// the work.
std::wstring Notes(bool paragraphs) {
    static const wchar_t* const kWords[] = {
        L"控制点", L"K3+240 ", L"N=3012.551 ", L"survey ", L"测量放样坐标库 ", L"E=501.2 ", L"ok "};
    std::wstring text;
    for (unsigned i = 0; text.size() < kLength; ++i) {
        text += kWords[(i * 7 + i / 3) % std::size(kWords)];
        if (paragraphs && i % 500 == 499) text += L"\r\n";
    }
    text.resize(kLength);
    return text;
}

class NotesEdit {
  public:
    explicit NotesEdit(bool paragraphs) : m_text(Notes(paragraphs)) {
        quorvel::gdi::Install();
        quorvel::gdi::ResizeScreen(quorvel::gdi::kScreenWidth, quorvel::gdi::kScreenHeight);
        quorvel::controls::RegisterStandardClasses();
        m_edit = CreateWindowEx(
            0, L"Edit", L"",
            WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, 0, 0,
            quorvel::gdi::kScreenWidth, quorvel::gdi::kScreenHeight, nullptr, nullptr, nullptr,
            nullptr);
        SendMessage(m_edit, EM_LIMITTEXT, 0, 0);
        SetFocus(m_edit);
    }
    ~NotesEdit() { DestroyWindow(m_edit); }

    HWND edit() const { return m_edit; }
    const std::wstring& text() const { return m_text; }

  private:
    std::wstring m_text;
    HWND m_edit = nullptr;
};

void BM_EditSetText100k(benchmark::State& state) {
    NotesEdit notes(state.range(0) != 0);
    for (auto _ : state) {
        SetWindowText(notes.edit(), notes.text().c_str());
        benchmark::DoNotOptimize(SendMessage(notes.edit(), EM_GETLINECOUNT, 0, 0));
    }
    state.counters["lines"] = static_cast<double>(SendMessage(notes.edit(), EM_GETLINECOUNT, 0, 0));
}
BENCHMARK(BM_EditSetText100k)->ArgName("paragraphs")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Typing then erasing a character keeps the text at 100,000 characters; each
// counts as one keystroke.
void BM_EditKeystroke100k(benchmark::State& state) {
    NotesEdit notes(state.range(0) != 0);
    SetWindowText(notes.edit(), notes.text().c_str());
    SendMessage(notes.edit(), EM_SETSEL, kLength / 2, kLength / 2);
    bool typed = false;
    for (auto _ : state) {
        SendMessage(notes.edit(), WM_CHAR, typed ? L'\b' : L'x', 0);
        UpdateWindow(notes.edit());
        typed = !typed;
    }
}
BENCHMARK(BM_EditKeystroke100k)
    ->ArgName("paragraphs")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
