// The simulated GNSS receiver on a pseudo-terminal: NMEA GGA and GST every
// epoch; GSA, GSV, ZDA (and #BESTPOSA when asked) every second; #REFSTATIONA
// every 10 s and a type-1 "$BIN" block every epoch when asked. It logs every
// line and command frame the program sends, answers the reset and shut-down
// frames, sends the port frame (80) and broken frames when asked, and can
// misbehave on request: fall silent, send garbage, spoil checksums, cut
// sentences in two, hang up.
//
// In place of its own epochs it can replay a capture of a real receiver, a
// few lines an epoch, once the program has its port open; nothing of the
// replay is lost to a program that reads slowly.
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

#include "sim/BinaryOutput.h"
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
    bool answerFrames = true;     // reply to the reset and shut-down frames
    int shutdownAnswer = 0;       // the payload byte of the shut-down reply
    double portFrameAtS = -1;     // send a port frame (80) once then
    double brokenFramesAtS = -1;  // send BrokenReplyFrames() once then
    // The sigma of a type-1 "$BIN" block after every GGA; NaN: none.
    double bin1Sigma = __builtin_nan("");
    // A capture to replay instead of the epochs, and how.
    std::string replayPath;
    bool replayCrLf = false;
    int replayLinesPerEpoch = 10;
    std::string linkPath;  // see PtyEndpoint
    std::string logPath;   // the command log; empty = none
};

// Turns epochs into the bytes on the line, with the faults that live in the
// data (checksums, garbage, split points). Each epoch gives chunks; a split
// sentence is two chunks that the runner sends with a pause between.
class GnssOutput {
  public:
    explicit GnssOutput(const GnssSimOptions& options);

    // Loads the capture to replay, if any.
    bool Load(std::string& error);
    std::vector<std::string> EpochChunks(int64_t index, NmeaEpoch* epoch = nullptr);
    bool Replaying() const { return !m_options.replayPath.empty(); }
    bool ReplayDone() const { return m_replay.Done(); }
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
    CaptureReplay m_replay;
};

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
    // A replay has sent its last line.
    bool ReplayDone() const { return m_replayDone.load(); }
    bool HungUp() const { return m_hungUp.load(); }

  private:
    bool Step(int64_t index, double t);
    void EmitEpoch(int64_t index);
    void ServeInput(int waitMs);
    void WatchLines();
    void OnCommand(const LoggedCommand& c);
    void WriteAll(const std::string& bytes);

    GnssSimOptions m_options;
    GnssOutput m_output;
    PtyEndpoint m_pty;
    CommandLog m_log;
    std::ofstream m_logFile;
    std::mutex m_writeMutex;
    std::atomic<bool> m_hungUp{false};
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_replayDone{false};
    LineReport m_lines;
    PacedThread m_thread;
};

}  // namespace quorvel::sim
