// The simulated echo sounder on a pseudo-terminal: depth telegrams of one of
// the four known sounder types at a set rate, following a depth profile,
// with error telegrams on request.
//
// A telegram is the type's start tag, a comma, the depth field, ",M" and CR.
// The depth field is the depth times the type's scale: whole units padded
// to the type's field width for the scaled types (12.34 m is "001234" for
// type 0), metres with the type's decimals for type 3 ("05.670"). An error
// telegram carries the type's error character across the whole field.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "sim/CommandLog.h"
#include "sim/PacedThread.h"
#include "sim/Pty.h"

namespace quorvel::sim {

struct SounderType {
    const char* name;
    const char* tag;
    int fieldLength;
    double scale;
    char errorChar;
    int decimals;
};

inline constexpr int kSounderTypeCount = 4;
const SounderType& SounderTypeOf(int type);  // type clamped to 0..3

std::string SounderTelegram(int type, double depthM);
std::string SounderErrorTelegram(int type);

struct SounderSimOptions {
    int type = 0;
    double rateHz = 5;
    // Depth profile: depth + amplitude * sin(2 pi t / period), never above
    // the transducer (at least 0.1 m).
    double depthM = 12.0;
    double amplitudeM = 3.0;
    double periodS = 60.0;
    int errorEvery = 0;  // every Nth telegram is an error telegram; 0 = none
    double hangupAfterS = -1;
    std::string linkPath;
};

double SounderDepthAt(const SounderSimOptions& options, double t);
// The n-th telegram (from 0) and the depth it carries (NaN for an error).
std::string SounderTelegramAt(const SounderSimOptions& options, int64_t n, double* depth);

class SounderSimulator {
  public:
    explicit SounderSimulator(const SounderSimOptions& options);
    ~SounderSimulator();
    SounderSimulator(const SounderSimulator&) = delete;
    SounderSimulator& operator=(const SounderSimulator&) = delete;

    bool Start(std::string& error);
    void Stop();
    void Wait();

    const std::string& Path() const { return m_pty.Path(); }
    PtyEndpoint& Pty() { return m_pty; }
    CommandLog& Log() { return m_log; }
    bool HungUp() const { return m_hungUp.load(); }

  private:
    void ServeInput(int waitMs);
    bool Step(int64_t n, double t);

    SounderSimOptions m_options;
    PtyEndpoint m_pty;
    CommandLog m_log;
    std::atomic<bool> m_hungUp{false};
    PacedThread m_thread;
};

}  // namespace quorvel::sim
