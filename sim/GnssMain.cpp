// quorvel-gnss-sim: a GNSS receiver on a pseudo-terminal. Prints the path to
// give the program as its first line, then runs until interrupted or until
// it hangs up by itself.
#include <cstdio>
#include <ctime>
#include <string>

#include "sim/CommandLine.h"
#include "sim/GnssSimulator.h"

using namespace quorvel::sim;

namespace {

std::vector<CliOption> Options(GnssSimOptions& o) {
    GnssScenario& s = o.scenario;
    auto flag = [](bool& target) {
        return [&target](const std::string&) { return target = true; };
    };
    return {
        {"--lat", "DEG", "start latitude, degrees north", NumberInto(s.startLatDeg)},
        {"--lon", "DEG", "start longitude, degrees east", NumberInto(s.startLonDeg)},
        {"--height", "M", "start ellipsoidal height", NumberInto(s.startHeightM)},
        {"--mover", "boat|walker", "what carries the antenna (boat)",
         [&s](const std::string& v) {
             if (v != "boat" && v != "walker") return false;
             s.mover = v == "boat" ? Mover::kBoat : Mover::kWalker;
             return true;
         }},
        {"--line-length", "M", "survey line length (boat 300, walker 100)",
         NumberInto(s.lineLengthM)},
        {"--spacing", "M", "survey line spacing (boat 20, walker 10)", NumberInto(s.spacingM)},
        {"--lines", "N", "number of survey lines (5)", IntegerInto(s.lineCount, 1, 1000)},
        {"--azimuth", "DEG", "direction of the lines from north (0)", NumberInto(s.azimuthDeg)},
        {"--speed", "M/S", "speed (boat 3.0, walker 1.2)", NumberInto(s.speedMps)},
        {"--rate", "HZ", "epochs a second, 1 to 20 (1)", IntegerInto(o.rateHz, 1, 20)},
        {"--quality", "Q", "hold the GGA quality (1, 2, 4 or 5) instead of cycling",
         IntegerInto(s.fixedQuality, 0, 9)},
        {"--start", "UTC", "start time YYYY-MM-DDThh:mm:ss (now)",
         [&s](const std::string& v) {
             long long t = 0;
             if (!ParseUtc(v, t)) return false;
             s.startUnixSeconds = t;
             return true;
         }},
        {"--seed", "N", "noise seed (1)",
         [&s](const std::string& v) {
             long long n = 0;
             if (!ParseInteger(v, n)) return false;
             s.seed = static_cast<uint32_t>(n);
             return true;
         }},
        {"--bestpos", "", "also send #BESTPOSA every second", flag(o.bestPos)},
        {"--refstation", "", "also send #REFSTATIONA every 10 s", flag(o.refStation)},
        {"--base-lat", "DEG", "base latitude of #REFSTATIONA (start)", NumberInto(o.baseLatDeg)},
        {"--base-lon", "DEG", "base longitude of #REFSTATIONA (start)", NumberInto(o.baseLonDeg)},
        {"--base-height", "M", "base height of #REFSTATIONA (start)", NumberInto(o.baseHeightM)},
        {"--silence-after", "S", "fall silent after S seconds", NumberInto(o.silenceAfterS)},
        {"--silence-for", "S", "... for S seconds", NumberInto(o.silenceForS)},
        {"--garbage-every", "S", "a burst of garbage bytes every S seconds",
         NumberInto(o.garbageEveryS)},
        {"--bad-checksum-every", "N", "spoil the checksum of every Nth sentence",
         IntegerInto(o.badChecksumEvery, 0, 1000000)},
        {"--split-every", "N", "send every Nth sentence in two parts",
         IntegerInto(o.splitEvery, 0, 1000000)},
        {"--hangup-after", "S", "hang up (close the terminal) after S seconds",
         NumberInto(o.hangupAfterS)},
        {"--shutdown-answer", "N", "payload byte of the shut-down reply (0: done)",
         IntegerInto(o.shutdownAnswer, 0, 255)},
        {"--port-frame-at", "S", "send the port frame (80) once after S seconds",
         NumberInto(o.portFrameAtS)},
        {"--broken-frames-at", "S", "send two broken reply frames once after S seconds",
         NumberInto(o.brokenFramesAtS)},
        {"--bin1-sigma", "M", "send a type-1 $BIN block with this sigma after every GGA",
         NumberInto(o.bin1Sigma)},
        {"--replay", "FILE", "replay a capture (less its '# ' lines) instead of the epochs",
         [&o](const std::string& v) { return !(o.replayPath = v).empty(); }},
        {"--replay-crlf", "", "... ending its LF-only lines with CR LF", flag(o.replayCrLf)},
        {"--replay-lines", "N", "... sending N lines an epoch (10)",
         IntegerInto(o.replayLinesPerEpoch, 1, 100000)},
        {"--no-replies", "", "do not answer the reset and shut-down frames",
         [&o](const std::string&) { return !(o.answerFrames = false); }},
        {"--link", "PATH", "make PATH a link to the terminal, with PATH.lines for the modem lines",
         [&o](const std::string& v) { return !(o.linkPath = v).empty(); }},
        {"--log", "FILE", "append what the program sends to FILE, time-stamped",
         [&o](const std::string& v) { return !(o.logPath = v).empty(); }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    GnssSimOptions options;
    options.scenario.startUnixSeconds = static_cast<int64_t>(std::time(nullptr));
    const std::vector<CliOption> cli = Options(options);
    return RunSimulatorMain<GnssSimulator>(
        argc, argv, "quorvel-gnss-sim",
        "A GNSS receiver on a pseudo-terminal; the first line printed is the path to map the "
        "program's port to.",
        options, cli);
}
