// quorvel-sounder-sim: an echo sounder on a pseudo-terminal. Prints the path
// to give the program as its first line, then runs until interrupted.
#include <cstdio>
#include <string>

#include "sim/CommandLine.h"
#include "sim/Sounder.h"

using namespace quorvel::sim;

namespace {

std::vector<CliOption> Options(SounderSimOptions& o) {
    return {
        {"--type", "N", "sounder type 0..3: 0 DT, 1 ET, 2 DA, 3 $GPSSS telegrams (0)",
         IntegerInto(o.type, 0, kSounderTypeCount - 1)},
        {"--rate", "HZ", "telegrams a second (5)",
         [&o](const std::string& v) { return ParseNumber(v, o.rateHz) && o.rateHz > 0; }},
        {"--depth", "M", "mean depth (12.0)", NumberInto(o.depthM)},
        {"--amplitude", "M", "depth swing around the mean (3.0)", NumberInto(o.amplitudeM)},
        {"--period", "S", "period of the swing (60)", NumberInto(o.periodS)},
        {"--error-every", "N", "make every Nth telegram an error telegram",
         IntegerInto(o.errorEvery, 0, 1000000)},
        {"--hangup-after", "S", "hang up (close the terminal) after S seconds",
         NumberInto(o.hangupAfterS)},
        {"--link", "PATH", "make PATH a link to the terminal",
         [&o](const std::string& v) { return !(o.linkPath = v).empty(); }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    SounderSimOptions options;
    const std::vector<CliOption> cli = Options(options);
    return RunSimulatorMain<SounderSimulator>(
        argc, argv, "quorvel-sounder-sim",
        "An echo sounder on a pseudo-terminal; the first line printed is the path to map the "
        "program's sounder port to.",
        options, cli);
}
