#include "sim/GnssSimulator.h"

#include <cmath>

#include "sim/ReceiverLogs.h"

namespace quorvel::sim {
namespace {

constexpr int kWriteTimeoutMs = 200;
constexpr int kSplitPauseMs = 30;
constexpr double kRefStationPeriodS = 10.0;

bool Crosses(double from, double to, double period) {
    return period > 0 && std::floor(from / period) != std::floor(to / period);
}

// A repeatable burst of any bytes, CR and '$' included.
std::string Garbage(int64_t seed) {
    std::string bytes;
    uint32_t x = static_cast<uint32_t>(seed) * 2654435761u + 12345u;
    for (int i = 0; i < 40; ++i) {
        x = x * 1103515245u + 12345u;
        bytes += static_cast<char>(x >> 23);
    }
    return bytes;
}

}  // namespace

GnssOutput::GnssOutput(const GnssSimOptions& options)
    : m_options(options), m_model(options.scenario), m_rate(options.rateHz) {
    if (m_rate < 1) m_rate = 1;
    if (m_rate > 20) m_rate = 20;
}

bool GnssOutput::Silent(double t) const {
    return m_options.silenceAfterS >= 0 && t >= m_options.silenceAfterS &&
           t < m_options.silenceAfterS + m_options.silenceForS;
}

void GnssOutput::AddSentence(std::vector<std::string>& chunks, std::string sentence) {
    ++m_sentences;
    const size_t star = sentence.rfind('*');
    if (m_options.badChecksumEvery > 0 && m_sentences % m_options.badChecksumEvery == 0 &&
        star != std::string::npos && star + 2 < sentence.size()) {
        sentence[star + 1] = sentence[star + 1] == '0' ? '1' : '0';
    }
    if (chunks.empty()) chunks.emplace_back();
    if (m_options.splitEvery > 0 && m_sentences % m_options.splitEvery == 0) {
        // The runner pauses between chunks: the second half comes later.
        const size_t half = sentence.size() / 2;
        chunks.back() += sentence.substr(0, half);
        chunks.push_back(sentence.substr(half));
        return;
    }
    chunks.back() += sentence;
}

std::vector<std::string> GnssOutput::EpochChunks(int64_t index, NmeaEpoch* epoch) {
    const double t = EpochTime(index);
    const double previous = index > 0 ? EpochTime(index - 1) : -1.0;
    NmeaEpoch e = m_model.EpochAt(t);
    if (epoch != nullptr) *epoch = e;
    std::vector<std::string> chunks;
    if (index > 0 && Crosses(previous, t, m_options.garbageEveryS)) {
        chunks.push_back(Garbage(index));
    }
    // The date comes first in a second, so that a listener can date the
    // second's positions.
    if (index % m_rate == 0) AddSentence(chunks, ZdaSentence(e));
    AddSentence(chunks, GgaSentence(e));
    AddSentence(chunks, GstSentence(e));
    if (index % m_rate == 0) {
        AddSentence(chunks, GsaSentence(e));
        for (std::string& gsv : GsvSentences(e)) AddSentence(chunks, std::move(gsv));
        if (m_options.bestPos) AddSentence(chunks, BestPosLog(e));
    }
    if (m_options.refStation && (index == 0 || Crosses(previous, t, kRefStationPeriodS))) {
        const GnssScenario& s = m_options.scenario;
        const double lat = std::isnan(m_options.baseLatDeg) ? s.startLatDeg : m_options.baseLatDeg;
        const double lon = std::isnan(m_options.baseLonDeg) ? s.startLonDeg : m_options.baseLonDeg;
        const double h = std::isnan(m_options.baseHeightM) ? s.startHeightM : m_options.baseHeightM;
        AddSentence(chunks, RefStationLog(e, lat, lon, h));
    }
    return chunks;
}

std::string GnssOutput::Render(double fromS, double toS, std::vector<NmeaEpoch>* epochs) {
    std::string bytes;
    for (int64_t k = static_cast<int64_t>(std::ceil(fromS * m_rate)); EpochTime(k) < toS; ++k) {
        if (Silent(EpochTime(k))) continue;
        NmeaEpoch e;
        for (const std::string& chunk : EpochChunks(k, &e)) bytes += chunk;
        if (epochs != nullptr) epochs->push_back(e);
    }
    return bytes;
}

std::string ReplyFrame(int id, const std::string& payload) {
    std::string frame;
    frame += '$';
    frame += static_cast<char>(id);
    frame += static_cast<char>(255 - id);
    const uint32_t n = static_cast<uint32_t>(payload.size());
    for (int shift = 0; shift < 32; shift += 8) frame += static_cast<char>((n >> shift) & 0xFF);
    frame += payload;
    unsigned char sum = 0;
    for (unsigned char c : frame) sum ^= c;
    frame += static_cast<char>(sum);
    return frame;
}

GnssSimulator::GnssSimulator(const GnssSimOptions& options)
    : m_options(options), m_output(options) {}

GnssSimulator::~GnssSimulator() {
    Stop();
}

bool GnssSimulator::Start(std::string& error) {
    if (!m_pty.Open(m_options.linkPath, error)) return false;
    if (!m_options.logPath.empty()) {
        m_logFile.open(m_options.logPath, std::ios::app);
        if (!m_logFile) {
            error = "cannot write the command log " + m_options.logPath;
            m_pty.Close();
            return false;
        }
    }
    m_thread.Start(
        m_output.Rate(), [this](int waitMs) { ServeInput(waitMs); },
        [this](int64_t index, double t) { return Step(index, t); });
    return true;
}

void GnssSimulator::Stop() {
    m_thread.Stop();
    m_pty.Close();
}

void GnssSimulator::Wait() {
    m_thread.Wait();
}

bool GnssSimulator::Step(int64_t index, double t) {
    if (m_options.hangupAfterS >= 0 && t >= m_options.hangupAfterS) {
        m_hungUp = true;
        std::lock_guard<std::mutex> lock(m_writeMutex);
        m_pty.Close();
        return false;
    }
    WatchLines();
    EmitEpoch(index);
    return true;
}

void GnssSimulator::EmitEpoch(int64_t index) {
    std::vector<std::string> chunks = m_output.EpochChunks(index);
    if (m_output.Silent(m_output.EpochTime(index)) || (m_lines.known && !m_lines.powered)) return;
    for (size_t i = 0; i < chunks.size(); ++i) {
        if (i > 0) ServeInput(kSplitPauseMs);
        std::lock_guard<std::mutex> lock(m_writeMutex);
        m_pty.Write(chunks[i], kWriteTimeoutMs);
    }
}

void GnssSimulator::ServeInput(int waitMs) {
    char buffer[512];
    size_t n = m_pty.Read(buffer, sizeof buffer, waitMs);
    if (n == 0) return;
    m_log.Feed(buffer, n, [this](const LoggedCommand& c) { OnCommand(c); });
}

void GnssSimulator::WatchLines() {
    LineReport now = m_pty.ReadLines();
    if (!now.known || now == m_lines) return;
    m_lines = now;
    char text[64];
    std::snprintf(text, sizeof text, "DTR=%d RTS=%d POWER=%d OPEN=%d", now.dtr, now.rts,
                  now.powered, now.open);
    m_log.NoteLines(text);
    if (m_logFile) m_logFile << FormatLogEntry(m_log.Items().back()) << std::endl;
}

void GnssSimulator::OnCommand(const LoggedCommand& c) {
    if (m_logFile) m_logFile << FormatLogEntry(c) << std::endl;
    if (!m_options.answerFrames || c.kind != LoggedCommand::Kind::kFrame || !c.checksumOk) return;
    std::string reply;
    if (c.frameId == 40) reply = ReplyFrame(40, "");
    if (c.frameId == 81) reply = ReplyFrame(81, std::string(1, '\0'));
    if (reply.empty()) return;
    std::lock_guard<std::mutex> lock(m_writeMutex);
    m_pty.Write(reply, kWriteTimeoutMs);
}

}  // namespace quorvel::sim
