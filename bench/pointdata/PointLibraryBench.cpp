// The measured-point library on a job of 20,000 stored points, on tmpfs:
// the file read into rows and the report list filled newest first as the
// library does it (8 columns, an icon per row); and one point deleted with
// the whole-file rewrite that follows. The goals are 300 ms and 50 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/base/TextConv.h"
#include "platform/controls/CommCtrl.h"
#include "platform/controls/Controls.h"
#include "platform/files/DevicePath.h"
#include "platform/files/FileApi.h"
#include "platform/gdi/GdiApi.h"
#include "platform/gdi/Surface.h"
#include "pointdata/MeasuredPointFile.h"

namespace {

namespace fs = std::filesystem;
using quorvel::pointdata::MeasuredPointFile;
using quorvel::pointdata::SurveyPointRow;

constexpr int kPoints = 20000;
const wchar_t kFile[] = L"\\Flash Disk\\ruvo.dat";
constexpr int kFields[8] = {0, 1, 2, 3, 4, 6, 7, 13};

struct LibraryRoot {
    LibraryRoot() {
        std::string pattern = "/dev/shm/quorvel-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
        (void)CreateDirectory(L"\\Flash Disk", nullptr);  // it may be there already
        std::string text;
        char line[200];
        for (int i = 0; i < kPoints; ++i) {
            std::snprintf(line, sizeof line,
                          "P%d,%.3f,%.3f,%.3f,code%d,%d,0.012,0.021,12,0.90,08:%02d:%02d.00,0.0000,"
                          "0.0000,1.800,\r\n",
                          i + 1, 2018653.113 + i * 0.5, 505287.738 + i * 0.25, 13.7 + i * 0.001,
                          i % 7, i % 3 == 0 ? 10 : 9, (i / 60) % 60, i % 60);
            text += line;
        }
        std::FILE* f = std::fopen((host + "/Flash Disk/ruvo.dat").c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
        quorvel::gdi::Install();
        quorvel::gdi::ResizeScreen(quorvel::gdi::kScreenWidth, quorvel::gdi::kScreenHeight);
        quorvel::controls::RegisterStandardClasses();
    }
    ~LibraryRoot() {
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    std::string host;
};

HWND MakeList() {
    HWND list = CreateWindowEx(0, L"SysListView32", L"",
                               WS_POPUP | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 240,
                               200, nullptr, nullptr, nullptr, nullptr);
    const wchar_t* headings[8] = {L"点名", L"北坐标", L"东坐标", L"高程",
                                  L"属性", L"HRMS",   L"VRMS",   L"天线高"};
    for (int c = 0; c < 8; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = 70;
        column.pszText = const_cast<wchar_t*>(headings[c]);
        SendMessage(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                    reinterpret_cast<LPARAM>(&column));
    }
    return list;
}

void Fill(HWND list, const MeasuredPointFile& file) {
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    const auto& rows = file.Rows();
    int item = 0;
    for (size_t i = rows.size(); i-- > 0; ++item) {
        const SurveyPointRow& row = rows[i];
        LVITEMW lv{};
        lv.mask = LVIF_TEXT | LVIF_IMAGE;
        lv.iItem = item;
        lv.iImage = row.fields[5] == L"10" ? 2 : 3;
        lv.pszText = const_cast<wchar_t*>(row.fields[0].GetString());
        SendMessage(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lv));
        for (int c = 1; c < 8; ++c) {
            LVITEMW sub{};
            sub.iSubItem = c;
            sub.pszText = const_cast<wchar_t*>(row.fields[kFields[c]].GetString());
            SendMessage(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&sub));
        }
    }
}

void BM_PointLibraryLoadAndFill(benchmark::State& state) {
    LibraryRoot root;
    HWND list = MakeList();
    for (auto _ : state) {
        MeasuredPointFile file;
        file.Load(kFile);
        Fill(list, file);
        benchmark::DoNotOptimize(SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    }
    DestroyWindow(list);
}
BENCHMARK(BM_PointLibraryLoadAndFill)->Unit(benchmark::kMillisecond);

// One row from the middle of the list and the file rewritten whole.
void BM_PointLibraryDeleteAndRewrite(benchmark::State& state) {
    LibraryRoot root;
    HWND list = MakeList();
    MeasuredPointFile file;
    file.Load(kFile);
    Fill(list, file);
    for (auto _ : state) {
        const int item = static_cast<int>(SendMessage(list, LVM_GETITEMCOUNT, 0, 0)) / 2;
        SendMessage(list, LVM_DELETEITEM, static_cast<WPARAM>(item), 0);
        auto& rows = file.Rows();
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(rows.size() - 1 - item));
        if (!file.Save(kFile)) state.SkipWithError("the rewrite failed");
    }
    DestroyWindow(list);
}
BENCHMARK(BM_PointLibraryDeleteAndRewrite)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
