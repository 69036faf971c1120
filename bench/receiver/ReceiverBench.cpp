// The receiver decoders on the sentences of the real captures: a line's
// bytes, as the link hands them over, to the filled record (conversion from
// the device code page, recognition, checksum, fields), all kinds together
// and each kind apart; the grid step of a GGA apart from that. And the log
// CRC-32 against zlib's crc32 over the bodies of the real receiver logs.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "receiver/ReceivedLine.h"
#include "receiver/ReceiverParser.h"
#include "receiver/SentenceType.h"
#include "tests/receiver/FakeReceiverHost.h"

namespace {

const std::string kData = RECEIVER_TESTDATA_DIR;

// The receiver's sentences of one kind ("GPGGA"; empty: all five kinds) in
// every capture, each as delivered: LF first, CR last.
std::vector<std::string> CaptureLines(const std::string& tag) {
    std::vector<std::string> lines;
    for (const auto& entry : std::filesystem::directory_iterator(kData + "/nmea-captures")) {
        if (entry.path().extension() != ".log") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
            if (line.size() < 6 || line[0] != '$') continue;
            const std::string kind = line.substr(1, 5);
            const bool ours = kind == "GPGGA" || kind == "GPGSV" || kind == "GPZDA" ||
                              kind == "GPGSA" || kind == "GPGST";
            if (ours && (tag.empty() || kind == tag)) lines.push_back("\n" + line + "\r");
        }
    }
    return lines;
}

void Decode(benchmark::State& state, const std::string& tag) {
    const std::vector<std::string> lines = CaptureLines(tag);
    if (lines.empty()) {
        state.SkipWithError("captures missing");
        return;
    }
    CReceiverParser parser;  // no job: the grid step is measured apart
    SurveyRecord rec;
    size_t i = 0;
    for (auto _ : state) {
        const std::string& bytes = lines[i];
        i = i + 1 == lines.size() ? 0 : i + 1;
        CString line = ReceivedLineText(bytes.data(), bytes.size());
        parser.Parse(GpsSentenceType(line), line, &rec);
        benchmark::DoNotOptimize(rec);
    }
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["ns/sentence"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(Decode, all_five_kinds, std::string());
BENCHMARK_CAPTURE(Decode, GGA, std::string("GPGGA"));
BENCHMARK_CAPTURE(Decode, GSV, std::string("GPGSV"));
BENCHMARK_CAPTURE(Decode, ZDA, std::string("GPZDA"));
BENCHMARK_CAPTURE(Decode, GSA, std::string("GPGSA"));
BENCHMARK_CAPTURE(Decode, GST, std::string("GPGST"));

// A whole GGA with the job's grid chain (Beijing-54, meridian 114, seven
// parameters) and the offset step, for comparison with the GGA above.
void GgaWithGridStep(benchmark::State& state) {
    const std::vector<std::string> lines = CaptureLines("GPGGA");
    receiver_test::CFakeReceiverHost host;
    host.m_params.nSevenPar = 1;
    host.m_params.szddx = -15.4;
    host.m_offsetX = 0.5;
    CReceiverParser parser(&host);
    SurveyRecord rec;
    size_t i = 0;
    for (auto _ : state) {
        CString line = ReceivedLineText(lines[i].data(), lines[i].size());
        i = i + 1 == lines.size() ? 0 : i + 1;
        parser.ParseGga(line, &rec);
        benchmark::DoNotOptimize(rec);
    }
    state.counters["ns/sentence"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(GgaWithGridStep);

// The bodies of the real logs: the bytes strictly between '#' and '*'.
std::vector<std::string> LogBodies() {
    std::ifstream in(kData + "/receiver-logs/ascii-logs-valid.txt", std::ios::binary);
    std::vector<std::string> bodies;
    std::string line;
    while (std::getline(in, line)) {
        const size_t star = line.find('*');
        if (!line.empty() && line[0] == '#' && star != std::string::npos) {
            bodies.push_back(line.substr(1, star - 1));
        }
    }
    return bodies;
}

template <typename Crc>
void CrcOverLogs(benchmark::State& state, Crc crc) {
    const std::vector<std::string> bodies = LogBodies();
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& body : bodies) {
            benchmark::DoNotOptimize(crc(body));
            bytes += static_cast<int64_t>(body.size());
        }
    }
    state.SetBytesProcessed(bytes);
}

void CalcCrc32(benchmark::State& state) {
    CrcOverLogs(state, [](const std::string& body) {
        return CReceiverParser::CalcCrc32(reinterpret_cast<const BYTE*>(body.data()),
                                          static_cast<int>(body.size()));
    });
}
BENCHMARK(CalcCrc32);

// zlib inverts before and after; the logs' CRC does neither. The work per
// byte is the same.
void ZlibCrc32(benchmark::State& state) {
    CrcOverLogs(state, [](const std::string& body) {
        return crc32(0L, reinterpret_cast<const Bytef*>(body.data()),
                     static_cast<uInt>(body.size()));
    });
}
BENCHMARK(ZlibCrc32);

}  // namespace
