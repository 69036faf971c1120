// The simulated GNSS receiver on a pseudo-terminal: NMEA GGA and GST every
// epoch; GSA, GSV, ZDA (and #BESTPOSA when asked) every second; #REFSTATIONA
// every 10 s when asked. It logs every line and command frame the program
// sends, answers the reset and shut-down frames, and can misbehave on
// request: fall silent, send garbage, spoil checksums, cut sentences in two,
// hang up.
//
// While the program's serial layer reports the board unpowered (the side
// file of the link) the receiver says nothing.
#pragma once

#include <atomic>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "sim/CommandLog.h"
#include "sim/GnssModel.h"
#include "sim/PacedThread.h"
#include "sim/Pty.h"

namespace quorvel::sim {

struct GnssSimOptions {
    GnssScenario scenario;
    int rateHz = 1;  // 1..20 epochs a second
    bool bestPos = false;
    bool refStation = false;
    // The base station of #REFSTATIONA; NaN: the start position.
    double baseLatDeg = __builtin_nan("");
    double baseLonDeg = __builtin_nan("");
    double baseHeightM = __builtin_nan("");
    // Faults. Times are seconds since the start; <0 or 0 = never.
    double silenceAfterS = -1;
    double silenceForS = 0;
    double garbageEveryS = 0;
    int badChecksumEvery = 0;  // every Nth sentence
    int splitEvery = 0;        // every Nth sentence goes out in two parts
    double hangupAfterS = -1;
    bool answerFrames = true;  // reply to the reset and shut-down frames
    std::string linkPath;      // see PtyEndpoint
    std::string logPath;       // the command log; empty = none
};

// Turns epochs into the bytes on the line, with the faults that live in the
// data (checksums, garbage, split points). Each epoch gives chunks; a split
// sentence is two chunks that the runner sends with a pause between.
class GnssOutput {
  public:
    explicit GnssOutput(const GnssSimOptions& options);

    std::vector<std::string> EpochChunks(int64_t index, NmeaEpoch* epoch = nullptr);
    int Rate() const { return m_rate; }
    double EpochTime(int64_t index) const { return static_cast<double>(index) / m_rate; }
    bool Silent(double t) const;

    // Every byte of epochs from `fromS` to before `toS`, silence applied.
    std::string Render(double fromS, double toS, std::vector<NmeaEpoch>* epochs = nullptr);

  private:
    void AddSentence(std::vector<std::string>& chunks, std::string sentence);

    GnssSimOptions m_options;
    GnssModel m_model;
    int m_rate;
    uint64_t m_sentences = 0;
};

// The reply frame the receiver sends: '$', id, 255 - id, 32-bit length,
// payload, XOR.
std::string ReplyFrame(int id, const std::string& payload);

class GnssSimulator {
  public:
    explicit GnssSimulator(const GnssSimOptions& options);
    ~GnssSimulator();
    GnssSimulator(const GnssSimulator&) = delete;
    GnssSimulator& operator=(const GnssSimulator&) = delete;

    bool Start(std::string& error);
    void Stop();
    // Blocks until the simulator hangs up by itself (or is stopped).
    void Wait();

    const std::string& Path() const { return m_pty.Path(); }
    PtyEndpoint& Pty() { return m_pty; }
    CommandLog& Log() { return m_log; }
    bool HungUp() const { return m_hungUp.load(); }

  private:
    bool Step(int64_t index, double t);
    void EmitEpoch(int64_t index);
    void ServeInput(int waitMs);
    void WatchLines();
    void OnCommand(const LoggedCommand& c);

    GnssSimOptions m_options;
    GnssOutput m_output;
    PtyEndpoint m_pty;
    CommandLog m_log;
    std::ofstream m_logFile;
    std::mutex m_writeMutex;
    std::atomic<bool> m_hungUp{false};
    LineReport m_lines;
    PacedThread m_thread;
};

}  // namespace quorvel::sim
