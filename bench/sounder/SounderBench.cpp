// The echo sounder's input path at full speed: telegrams written into a
// pseudo-terminal, read by CComPort's reader thread, sent to a window on
// this thread one message per byte, and framed into depths there, as the
// main frame does. The goal is at least 50 kB/s, four times what a 115200
// baud line can carry (11.5 kB/s).
//
// Side by side in the same run: the same bytes read straight from the
// pseudo-terminal with read(2) (what the host's tty layer itself costs),
// and the framing alone on bytes in memory.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "app/recording/SounderInput.h"
#include "app/settings/SystemParams.h"
#include "platform/base/Clock.h"
#include "platform/base/ThreadSignal.h"
#include "platform/files/DevicePath.h"
#include "platform/serial/PortMap.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinInternal.h"
#include "receiver/link/ComPort.h"
#include "receiver/link/PortMessages.h"
#include "sim/Pty.h"
#include "sim/Sounder.h"

namespace {

constexpr int kPort = 2;
constexpr size_t kChunk = 64 * 1024;

// 64 kB of type-0 telegrams from the simulator, an error report every
// tenth.
std::string Telegrams() {
    quorvel::sim::SounderSimOptions options;
    options.type = 0;
    options.rateHz = 10;
    options.errorEvery = 10;
    std::string bytes;
    for (int64_t n = 0; bytes.size() < kChunk; ++n)
        bytes += quorvel::sim::SounderTelegramAt(options, n, nullptr);
    bytes.resize(kChunk);
    return bytes;
}

CArray<SounderTypeRecord> Types() {
    SounderTypeRecord t;
    t.strName = L"无锡SDH-13D";
    t.strStartTag = L"DT";
    t.nTerminator = 13;
    t.fScale = 100.0f;
    t.nErrorChar = 'E';
    CArray<SounderTypeRecord> types;
    types.Add(t);
    return types;
}

// The frame's side: framing state, type and depth block.
struct SounderSide {
    CSounderInput input;
    SounderTypeRecord type;
    SounderDepthBlock block;
    size_t bytes = 0;
    size_t telegrams = 0;
};

SounderSide* g_side = nullptr;

LRESULT SinkProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_SOUNDER_CHAR || g_side == nullptr)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    ++g_side->bytes;
    if (g_side->input.OnSounderChar(static_cast<BYTE>(wParam), g_side->type, &g_side->block) !=
        kSounderNothing)
        ++g_side->telegrams;
    return 1;
}

HWND MakeSink() {
    WNDCLASS wc{};
    wc.lpfnWndProc = &SinkProc;
    wc.lpszClassName = L"QuorvelSounderBench";
    RegisterClass(&wc);
    return CreateWindow(L"QuorvelSounderBench", L"sink", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                        nullptr, nullptr);
}

// A device root with the pseudo-terminal mapped as the sounder's port.
struct BenchRoot {
    BenchRoot() {
        std::string pattern = "/tmp/quorvel-sounder-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        host = pattern;
        quorvel::SetDeviceRoot(host);
        std::string error;
        if (!pty.Open(host + "/sounder", error)) {
            std::fprintf(stderr, "no pseudo-terminal: %s\n", error.c_str());
            std::abort();
        }
        quorvel::MapSerialPort(kPort, pty.Path());
    }
    ~BenchRoot() {
        pty.Close();
        quorvel::ClearSerialPortMappings();
        std::error_code ignored;
        std::filesystem::remove_all(host, ignored);
    }
    std::string host;
    quorvel::sim::PtyEndpoint pty;
};

void BM_SounderPath(benchmark::State& state) {
    const std::string bytes = Telegrams();
    BenchRoot root;
    SounderSide side;
    g_side = &side;
    const HWND sink = MakeSink();
    SystemParams params;
    params.SoundPort = kPort;
    params.SoundType = 0;
    params.SoundBandrate = 115200;
    CComPort port;
    if (!OpenSounderPort(port, sink, params, Types(), &side.type)) {
        state.SkipWithError("the sounder port did not open");
        return;
    }
    for (auto _ : state) {
        const size_t target = side.bytes + bytes.size();
        std::thread writer([&] { root.pty.Write(bytes, 60 * 1000); });
        while (side.bytes < target) {
            if (!quorvel::win::ServeSentMessages())
                quorvel::CurrentThreadSignal().Wait(quorvel::ClockNowMs() + 5);
        }
        writer.join();
    }
    port.Close();
    DestroyWindow(sink);
    g_side = nullptr;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
    state.counters["telegrams"] = static_cast<double>(side.telegrams);
}
BENCHMARK(BM_SounderPath)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PseudoTerminalReadOnly(benchmark::State& state) {
    const std::string bytes = Telegrams();
    BenchRoot root;
    const int fd = open(root.pty.SlavePath().c_str(), O_RDONLY | O_NOCTTY);
    if (fd < 0) {
        state.SkipWithError("the slave did not open");
        return;
    }
    char buffer[4096];
    for (auto _ : state) {
        std::thread writer([&] { root.pty.Write(bytes, 60 * 1000); });
        size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0) break;
            got += static_cast<size_t>(n);
        }
        writer.join();
    }
    close(fd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_PseudoTerminalReadOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FramingOnly(benchmark::State& state) {
    const std::string bytes = Telegrams();
    SounderSide side;
    side.type = Types()[0];
    for (auto _ : state) {
        for (char c : bytes)
            side.telegrams +=
                side.input.OnSounderChar(static_cast<BYTE>(c), side.type, &side.block) != 0;
    }
    benchmark::DoNotOptimize(side.telegrams);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_FramingOnly);

}  // namespace
