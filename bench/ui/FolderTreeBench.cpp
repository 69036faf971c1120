// Expanding a folder of 5,000 survey files in the folder tree of the file
// dialogs (listing, filter, sort, insertion and the one layout after it),
// beside a plain listing of the same folder with std::filesystem sorted by
// std::stable_sort under the same comparison. Both run on tmpfs
// (/dev/shm), so that the figures are the code's and not the disk's. The
// goal is under 20 ms an expansion; "ratio" is the tree's time over the
// plain listing's, measured in the same run.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/controls/Controls.h"
#include "platform/files/DevicePath.h"
#include "platform/gdi/GdiApi.h"
#include "ui/FolderTreeCtrl.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 5000;

// A device root on tmpfs whose "\Flash Disk\big" holds 5,000 .dat files
// and, to be filtered out, a tenth as many .txt files.
struct ShmRoot {
    ShmRoot() {
        std::string pattern = "/dev/shm/quorvel-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        fs::create_directories(host + "/Flash Disk/big");
        for (int i = 0; i < kFiles; ++i) {
            // Names in no particular order, in both cases, some Chinese.
            const int n = (i * 7919) % kFiles;
            std::string name = (n % 3 == 0 ? "PT" : n % 3 == 1 ? "pt" : "测点") + std::to_string(n);
            std::ofstream(host + "/Flash Disk/big/" + name + ".dat");
            if (i % 10 == 0) std::ofstream(host + "/Flash Disk/big/" + name + ".txt");
        }
        quorvel::SetDeviceRoot(host);
    }
    ~ShmRoot() {
        quorvel::SetDeviceRoot("");
        std::error_code ignored;
        fs::remove_all(host, ignored);
    }
    std::string host;
};

class Tree {
  public:
    Tree() {
        quorvel::gdi::Install();
        quorvel::controls::RegisterStandardClasses();
        m_host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320,
                        nullptr, nullptr);
        m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES |
                          TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                      CRect(0, 0, 240, 300), &m_host, 1001);
        m_tree.SetFileFilter(L"*.dat");
        m_tree.ShowTree(L"\\Flash Disk", TRUE);
        m_big = m_tree.GetChildItem(m_tree.GetRootItem());
    }
    ~Tree() { m_host.DestroyWindow(); }
    // Collapsed with its children gone and one dummy, as before a first
    // expansion.
    void Reset() {
        m_tree.Expand(m_big, TVE_COLLAPSE | TVE_COLLAPSERESET);
        m_tree.InsertItem(L"", m_big);
    }
    // Reads the folder through the tree's own expansion handling.
    void Expand() { m_tree.Expand(m_big, TVE_EXPAND); }
    size_t Listed() const {
        size_t n = 0;
        for (HTREEITEM h = m_tree.GetChildItem(m_big); h; h = m_tree.GetNextSiblingItem(h)) ++n;
        return n;
    }

  private:
    CWnd m_host;
    CFolderTreeCtrl m_tree;
    HTREEITEM m_big = nullptr;
};

// The same listing, filter and sort on the host's UTF-8 names.
double PlainListingSeconds(const std::string& folder) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name.size() >= 3 && strcasecmp(name.c_str() + name.size() - 3, "dat") == 0)
            names.push_back(std::move(name));
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    benchmark::DoNotOptimize(names.data());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ExpandFolderOf5000Files(benchmark::State& state) {
    ShmRoot root;
    Tree tree;
    double treeSeconds = 0, plainSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tree.Reset();
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        tree.Expand();
        treeSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        plainSeconds += PlainListingSeconds(root.host + "/Flash Disk/big");
        state.ResumeTiming();
    }
    state.counters["files"] = static_cast<double>(tree.Listed());
    state.counters["ratio"] = plainSeconds > 0 ? treeSeconds / plainSeconds : 0;
}
BENCHMARK(BM_ExpandFolderOf5000Files)->Unit(benchmark::kMillisecond);

void BM_PlainListingOf5000Files(benchmark::State& state) {
    ShmRoot root;
    for (auto _ : state) {
        state.SetIterationTime(PlainListingSeconds(root.host + "/Flash Disk/big"));
    }
}
BENCHMARK(BM_PlainListingOf5000Files)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
