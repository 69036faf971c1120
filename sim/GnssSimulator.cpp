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

bool GnssOutput::Load(std::string& error) {
    return !Replaying() || m_replay.Load(m_options.replayPath, m_options.replayCrLf, error);
}

std::vector<std::string> GnssOutput::EpochChunks(int64_t index, NmeaEpoch* epoch) {
    if (Replaying()) {
        const int lines = m_options.replayLinesPerEpoch < 1 ? 1 : m_options.replayLinesPerEpoch;
        return {m_replay.Next(static_cast<size_t>(lines))};
    }
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
    if (!std::isnan(m_options.bin1Sigma)) {
        chunks.back() += Bin1Block(e, static_cast<float>(m_options.bin1Sigma));
    }
    AddSentence(chunks, GstSentence(e));
    if (index % m_rate == 0) {
        AddSentence(chunks, GsaSentence(e));
        for (std::string& gsv : GsvSentences(e)) AddSentence(chunks, std::move(gsv));
        if (m_options.bestPos) AddSentence(chunks, BestPosLog(e));
    }
    if (index > 0 && m_options.portFrameAtS >= 0 && previous < m_options.portFrameAtS &&
        t >= m_options.portFrameAtS) {
        chunks.back() += ReplyFrame(80, "");
    }
    if (index > 0 && m_options.brokenFramesAtS >= 0 && previous < m_options.brokenFramesAtS &&
        t >= m_options.brokenFramesAtS) {
        for (const std::string& frame : BrokenReplyFrames()) chunks.back() += frame;
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

GnssSimulator::GnssSimulator(const GnssSimOptions& options)
    : m_options(options), m_output(options) {}

GnssSimulator::~GnssSimulator() {
    Stop();
}

bool GnssSimulator::Start(std::string& error) {
    if (!m_output.Load(error)) return false;
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
    m_stopping = true;
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
    if (m_output.Silent(m_output.EpochTime(index)) || (m_lines.known && !m_lines.powered)) return;
    if (m_output.Replaying()) {
        // The program flushes its input when it opens the port: with the
        // side file, the replay waits for that.
        if (!m_options.linkPath.empty() && !(m_lines.known && m_lines.open)) return;
        WriteAll(m_output.EpochChunks(index).front());
        m_replayDone = m_output.ReplayDone();
        return;
    }
    std::vector<std::string> chunks = m_output.EpochChunks(index);
    for (size_t i = 0; i < chunks.size(); ++i) {
        if (i > 0) ServeInput(kSplitPauseMs);
        std::lock_guard<std::mutex> lock(m_writeMutex);
        m_pty.Write(chunks[i], kWriteTimeoutMs);
    }
}

// Waits for a program that reads slowly, serving what it sends meanwhile.
void GnssSimulator::WriteAll(const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size() && !m_stopping && m_pty.IsOpen()) {
        {
            std::lock_guard<std::mutex> lock(m_writeMutex);
            done += m_pty.Write(bytes.data() + done, bytes.size() - done, kWriteTimeoutMs);
        }
        if (done < bytes.size()) ServeInput(1);
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
    if (c.frameId == 81) {
        reply = ReplyFrame(81, std::string(1, static_cast<char>(m_options.shutdownAnswer)));
    }
    if (reply.empty()) return;
    std::lock_guard<std::mutex> lock(m_writeMutex);
    m_pty.Write(reply, kWriteTimeoutMs);
}

}  // namespace quorvel::sim
