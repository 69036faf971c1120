// A recorded minute of the receiver simulator read by an independent
// decoder, gpsd's gpsdecode: no rejected sentence, and every position the
// simulator meant.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/testing/TempDeviceRoot.h"
#include "sim/GnssSimulator.h"

namespace quorvel::sim {
namespace {

struct Report {
    std::string time;
    double lat = NAN, lon = NAN, altHae = NAN;
};

double NumberAfter(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\":");
    return at == std::string::npos ? NAN : std::atof(json.c_str() + at + key.size() + 3);
}

std::string TextAfter(const std::string& json, const std::string& key) {
    const size_t at = json.find("\"" + key + "\":\"");
    if (at == std::string::npos) return {};
    const size_t start = at + key.size() + 4;
    return json.substr(start, json.find('"', start) - start);
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class GpsdecodeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("command -v gpsdecode >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "gpsdecode (Debian package gpsd-clients) is not installed";
        }
        ASSERT_TRUE(m_folder.Made());
        m_dir = m_folder.Path();
    }

    // Runs gpsdecode over `bytes`; its reports and its complaints.
    std::vector<std::string> Decode(const std::string& bytes, std::string& complaints) {
        std::ofstream(m_dir + "/minute.nmea", std::ios::binary) << bytes;
        const std::string command = "gpsdecode -D 2 < " + m_dir + "/minute.nmea > " + m_dir +
                                    "/out.json 2> " + m_dir + "/err.txt";
        EXPECT_EQ(std::system(command.c_str()), 0);
        complaints.clear();
        std::istringstream err(Slurp(m_dir + "/err.txt"));
        for (std::string line; std::getline(err, line);) {
            if (line.find("WARN") != std::string::npos || line.find("ERROR") != std::string::npos ||
                line.find("bad checksum") != std::string::npos) {
                complaints += line + "\n";
            }
        }
        std::vector<std::string> reports;
        std::istringstream out(Slurp(m_dir + "/out.json"));
        for (std::string line; std::getline(out, line);) {
            if (!line.empty() && line[0] == '{') reports.push_back(line);
        }
        return reports;
    }

    testing::TempFolder m_folder{"quorvel-sim"};
    std::string m_dir;
};

TEST_F(GpsdecodeTest, MinuteOfTheReceiverDecodesToTheMeantPositions) {
    GnssSimOptions options;
    options.rateHz = 5;
    options.bestPos = true;  // '#' logs in between must not disturb the decoder
    options.scenario.mover = Mover::kWalker;
    std::vector<NmeaEpoch> epochs;
    const std::string bytes = GnssOutput(options).Render(0, 60, &epochs);
    std::string complaints;
    const std::vector<std::string> reports = Decode(bytes, complaints);
    EXPECT_EQ(complaints, "");

    std::vector<Report> fixes;
    int skies = 0;
    for (const std::string& json : reports) {
        skies += json.find("\"class\":\"SKY\"") != std::string::npos ? 1 : 0;
        if (json.find("\"class\":\"TPV\"") == std::string::npos) continue;
        fixes.push_back(Report{TextAfter(json, "time"), NumberAfter(json, "lat"),
                               NumberAfter(json, "lon"), NumberAfter(json, "altHAE")});
    }
    EXPECT_EQ(skies, 60);
    // The decoder learns the reporting cycle from the first epoch and
    // reports every later one.
    ASSERT_EQ(fixes.size(), epochs.size() - 1);
    for (size_t k = 1; k < epochs.size(); ++k) {
        const NmeaEpoch& e = epochs[k];
        const Report& fix = fixes[k - 1];
        char time[64];
        const int ms = static_cast<int>(std::lround(e.secondsOfDay * 1000));
        std::snprintf(time, sizeof time, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", e.year, e.month,
                      e.day, ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        EXPECT_EQ(fix.time, time) << k;
        EXPECT_NEAR(fix.lat, e.latDeg, 1e-8) << k;
        EXPECT_NEAR(fix.lon, e.lonDeg, 1e-8) << k;
        EXPECT_NEAR(fix.altHae, e.heightM, 2e-3) << k;
    }
}

TEST_F(GpsdecodeTest, SpoiledChecksumsAreWhatTheDecoderRejects) {
    GnssSimOptions options;
    options.badChecksumEvery = 10;
    std::string complaints;
    Decode(GnssOutput(options).Render(0, 10), complaints);
    size_t rejected = 0;
    for (size_t at = 0; (at = complaints.find("bad checksum", at)) != std::string::npos; ++at) {
        ++rejected;
    }
    EXPECT_EQ(rejected, 7u);  // 70 sentences in ten seconds
}

}  // namespace
}  // namespace quorvel::sim
