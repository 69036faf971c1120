#include "sim/Sounder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quorvel::sim {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr SounderType kTypes[kSounderTypeCount] = {
    {"无锡SDH-13D", "DT", 6, 100.0, 'E', 3},
    {"ODEM-DSF", "ET", 5, 100.0, 'E', 3},
    {"DESO-25", "DA", 4, 100.0, '\x01', 1},
    {"KOVAT测深仪", "$GPSSS", 6, 1.0, '\x01', 3},
};

}  // namespace

const SounderType& SounderTypeOf(int type) {
    return kTypes[std::clamp(type, 0, kSounderTypeCount - 1)];
}

std::string SounderTelegram(int type, double depthM) {
    const SounderType& t = SounderTypeOf(type);
    char field[32];
    if (t.scale == 1.0) {
        std::snprintf(field, sizeof field, "%0*.*f", t.fieldLength, t.decimals, depthM);
    } else {
        std::snprintf(field, sizeof field, "%0*lld", t.fieldLength,
                      static_cast<long long>(std::llround(depthM * t.scale)));
    }
    return std::string(t.tag) + "," + field + ",M\r";
}

std::string SounderErrorTelegram(int type) {
    const SounderType& t = SounderTypeOf(type);
    return std::string(t.tag) + "," + std::string(t.fieldLength, t.errorChar) + ",M\r";
}

double SounderDepthAt(const SounderSimOptions& options, double t) {
    const double wave =
        options.periodS > 0 ? std::sin(2 * kPi * t / options.periodS) * options.amplitudeM : 0;
    return std::max(0.1, options.depthM + wave);
}

std::string SounderTelegramAt(const SounderSimOptions& options, int64_t n, double* depth) {
    if (options.errorEvery > 0 && (n + 1) % options.errorEvery == 0) {
        if (depth != nullptr) *depth = std::nan("");
        return SounderErrorTelegram(options.type);
    }
    const double rate = options.rateHz > 0 ? options.rateHz : 1;
    const double d = SounderDepthAt(options, static_cast<double>(n) / rate);
    // What the telegram can carry: the depth as the sounder rounds it.
    const double scale = SounderTypeOf(options.type).scale;
    const double carried =
        scale == 1.0 ? std::round(d * 1000) / 1000 : std::round(d * scale) / scale;
    if (depth != nullptr) *depth = carried;
    return SounderTelegram(options.type, d);
}

SounderSimulator::SounderSimulator(const SounderSimOptions& options) : m_options(options) {}

SounderSimulator::~SounderSimulator() {
    Stop();
}

bool SounderSimulator::Start(std::string& error) {
    if (!m_pty.Open(m_options.linkPath, error)) return false;
    m_thread.Start(
        m_options.rateHz > 0 ? m_options.rateHz : 1, [this](int waitMs) { ServeInput(waitMs); },
        [this](int64_t n, double t) { return Step(n, t); });
    return true;
}

void SounderSimulator::Stop() {
    m_thread.Stop();
    m_pty.Close();
}

void SounderSimulator::Wait() {
    m_thread.Wait();
}

void SounderSimulator::ServeInput(int waitMs) {
    char buffer[256];
    const size_t got = m_pty.Read(buffer, sizeof buffer, waitMs);
    if (got > 0) m_log.Feed(buffer, got);
}

bool SounderSimulator::Step(int64_t n, double t) {
    if (m_options.hangupAfterS >= 0 && t >= m_options.hangupAfterS) {
        m_hungUp = true;
        m_pty.Close();
        return false;
    }
    m_pty.Write(SounderTelegramAt(m_options, n, nullptr), 200);
    return true;
}

}  // namespace quorvel::sim
