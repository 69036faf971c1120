// What the simulated devices put on the line, checked against real data and
// against established decoders rather than against our own code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "sim/GnssSimulator.h"
#include "sim/ReceiverLogs.h"
#include "sim/Sounder.h"

namespace quorvel::sim {
namespace {

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1) {
        lines.push_back(text.substr(start, lf - start + 1));
    }
    return lines;
}

// The transmitted checksum of a "$...*hh" sentence agrees with its body.
bool ChecksumHolds(const std::string& sentence) {
    const size_t star = sentence.find('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string::npos) return false;
    return sentence.substr(star + 1, 2) == NmeaChecksum(sentence.substr(1, star - 1));
}

// The transmitted CRC of a "#...*crc" log agrees with its body.
bool CrcHolds(const std::string& log) {
    const size_t star = log.find('*');
    if (log.empty() || log[0] != '#' || star == std::string::npos) return false;
    unsigned long sent = std::strtoul(log.substr(star + 1, 8).c_str(), nullptr, 16);
    return sent == LogCrc32(log.substr(1, star - 1));
}

TEST(NmeaSentences, ChecksumAgreesWithRealReceivers) {
    std::ifstream in(QUORVEL_TESTDATA_DIR "/nmea-captures/bundg_zeus_9.log");
    ASSERT_TRUE(in) << "test data missing";
    std::string line;
    int checked = 0;
    while (std::getline(in, line) && checked < 200) {
        if (line.rfind("$GP", 0) != 0) continue;
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        EXPECT_TRUE(ChecksumHolds(line)) << line;
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

TEST(NmeaSentences, AnglesCarryAndTakeTheirHemisphere) {
    EXPECT_EQ(NmeaLatitude(22.5), "2230.0000000,N");
    EXPECT_EQ(NmeaLatitude(22.999999999999), "2300.0000000,N");
    EXPECT_EQ(NmeaLatitude(-0.5), "0030.0000000,S");
    EXPECT_EQ(NmeaLongitude(113.95), "11357.0000000,E");
    EXPECT_EQ(NmeaLongitude(-8.25), "00815.0000000,W");
    EXPECT_EQ(NmeaTime(86399.999), "000000.00");
    EXPECT_EQ(NmeaTime(3723.456), "010203.46");
}

TEST(ReceiverLogs, CrcMatchesRealReceiverLogs) {
    EXPECT_EQ(LogCrc32("abc"), 0xCA6598D0u);
    std::ifstream in(QUORVEL_TESTDATA_DIR "/receiver-logs/ascii-logs-valid.txt");
    ASSERT_TRUE(in) << "test data missing";
    std::string line;
    int checked = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] != '#') continue;
        EXPECT_TRUE(CrcHolds(line)) << line;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}

TEST(ReceiverLogs, GeocentricBaseOfAKnownPoint) {
    // The equator at the prime meridian and the pole, by definition of WGS84.
    double x = 0, y = 0, z = 0;
    GeodeticToEcef(0, 0, 0, x, y, z);
    EXPECT_NEAR(x, 6378137.0, 1e-6);
    EXPECT_NEAR(y, 0, 1e-6);
    GeodeticToEcef(90, 0, 0, x, y, z);
    EXPECT_NEAR(z, 6356752.314245, 1e-5);
}

TEST(GnssOutputTest, EverySentenceAndLogOfAMinuteChecks) {
    GnssSimOptions options;
    options.rateHz = 10;
    options.bestPos = true;
    options.refStation = true;
    GnssOutput output(options);
    const std::vector<std::string> lines = LinesOf(output.Render(0, 60));
    int logs = 0;
    int refs = 0;
    for (const std::string& line : lines) {
        ASSERT_GE(line.size(), 2u);
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
        if (line[0] == '#') {
            EXPECT_TRUE(CrcHolds(line)) << line;
            ++logs;
            refs += line.rfind("#REFSTATIONA,", 0) == 0 ? 1 : 0;
        } else {
            EXPECT_TRUE(ChecksumHolds(line)) << line;
        }
    }
    EXPECT_EQ(logs, 60 + 6);
    EXPECT_EQ(refs, 6);
}

TEST(GnssOutputTest, SolutionCyclesSingleDgpsFloatFixedAndBack) {
    GnssSimOptions options;
    options.bestPos = true;
    GnssOutput output(options);
    std::vector<NmeaEpoch> epochs;
    const std::string text = output.Render(0, 105);
    output.Render(105, 106, &epochs);
    std::string order;
    int last = -1;
    for (const std::string& line : LinesOf(text)) {
        if (line.rfind("$GPGGA,", 0) != 0) continue;
        int field = 0;
        size_t at = 0;
        while (field < 6) at = line.find(',', at) + 1, ++field;
        const int quality = line[at] - '0';
        if (quality != last) order += std::to_string(quality);
        last = quality;
    }
    EXPECT_EQ(order, "125452");
    EXPECT_EQ(epochs.front().quality, 1);  // and round again
    EXPECT_STREQ(PositionTypeWord(4), "NARROW_INT");
    EXPECT_NE(text.find(",NARROW_FLOAT,"), std::string::npos);
    EXPECT_NE(text.find(",PSRDIFF,"), std::string::npos);
}

TEST(GnssOutputTest, FaultsSpoilOnlyWhatTheyAreAskedTo) {
    GnssSimOptions options;
    options.badChecksumEvery = 4;
    options.splitEvery = 5;
    options.silenceAfterS = 10;
    options.silenceForS = 5;
    GnssOutput output(options);
    int bad = 0;
    int good = 0;
    for (const std::string& line : LinesOf(output.Render(0, 20))) {
        (ChecksumHolds(line) ? good : bad) += 1;
    }
    EXPECT_EQ(bad, (bad + good) / 4);
    GnssOutput again(options);
    EXPECT_EQ(again.EpochChunks(0).size(), 2u);  // a split sentence: two writes
    std::vector<NmeaEpoch> epochs;
    GnssOutput(options).Render(0, 20, &epochs);
    EXPECT_EQ(epochs.size(), 15u);
}

TEST(GnssOutputTest, ReplyFrameIsWhatTheProgramChecks) {
    const std::string reset = ReplyFrame(40, "");
    ASSERT_EQ(reset.size(), 8u);
    EXPECT_EQ(reset[0], '$');
    EXPECT_EQ(static_cast<unsigned char>(reset[1]) + static_cast<unsigned char>(reset[2]), 255);
    EXPECT_EQ(reset.substr(3, 4), std::string(4, '\0'));
    unsigned char sum = 0;
    for (size_t i = 0; i < 7; ++i) sum ^= static_cast<unsigned char>(reset[i]);
    EXPECT_EQ(static_cast<unsigned char>(reset[7]), sum);
    const std::string shutdown = ReplyFrame(81, std::string(1, '\0'));
    EXPECT_EQ(shutdown.size(), 9u);
    EXPECT_EQ(shutdown[3], 1);
}

// The program's reading of a line, done the way its decoder does it: cut at
// every comma (missing fields empty), numbers read with strtod.
std::string FieldOf(const std::string& line, int index) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = line.find(',', start);
        if (start == std::string::npos) return "";
        ++start;
    }
    const size_t end = line.find(',', start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

double NumberOf(const std::string& line, int index) {
    return std::strtod(FieldOf(line, index).c_str(), nullptr);
}

int FieldCount(const std::string& line) {
    return 1 + static_cast<int>(std::count(line.begin(), line.end(), ','));
}

// The sentence type the program gives a line: the first of its substrings
// that the line holds, '$' lines before '#' logs.
int SentenceTypeOf(const std::string& line) {
    static const std::pair<const char*, int> kDollar[] = {
        {"GPGGA", 1}, {"GPGSV", 2}, {"GPZDA", 3}, {"GPGSA", 8},  {"GPXXX", 9}, {"CBN", 10},
        {"CPD", 11},  {"PBN", 12},  {"POS", 13},  {"GPGST", 14}, {"CRMSS", 15}};
    static const std::pair<const char*, int> kHash[] = {
        {"BESTPOSA", 4}, {"REFSTATIONA", 5}, {"VERSIONA", 6}, {"NAVPOS", 7}};
    if (line.find('$') != std::string::npos) {
        for (const auto& [text, type] : kDollar) {
            if (line.find(text) != std::string::npos) return type;
        }
        return 0;
    }
    if (line.find('#') != std::string::npos) {
        for (const auto& [text, type] : kHash) {
            if (line.find(text) != std::string::npos) return type;
        }
    }
    return 0;
}

NmeaEpoch KnownEpoch() {
    NmeaEpoch e;
    e.secondsOfDay = 12 * 3600 + 34 * 60 + 56.78;
    e.year = 2024, e.month = 6, e.day = 1;
    e.latDeg = 48.8566, e.lonDeg = 2.3522, e.heightM = 81.25, e.geoidSepM = 44.5;
    e.quality = 4, e.diffAgeS = 2.0, e.stationId = 7;
    e.hdop = 0.8, e.vdop = 1.4, e.pdop = 1.6;
    e.sigmaLatM = 0.012, e.sigmaLonM = 0.009, e.sigmaHeightM = 0.021;
    for (int i = 0; i < 6; ++i) e.satellites.push_back({2 + i, 20 + 10 * i, 30 * i, 40 + i, i < 5});
    return e;
}

TEST(SentenceFields, NmeaValuesSitWhereTheDecoderReadsThem) {
    const NmeaEpoch e = KnownEpoch();
    const std::string gga = GgaSentence(e);
    EXPECT_EQ(SentenceTypeOf(gga), 1);
    EXPECT_EQ(FieldCount(gga), 15);
    EXPECT_EQ(FieldOf(gga, 1).substr(0, 4), "1234");  // hour, minute; seconds from character 4
    EXPECT_DOUBLE_EQ(std::strtod(FieldOf(gga, 1).substr(4).c_str(), nullptr), 56.78);
    // Degrees from the first 2 (latitude) or 3 (longitude) characters.
    const std::string lat = FieldOf(gga, 2);
    const std::string lon = FieldOf(gga, 4);
    EXPECT_NEAR(std::stoi(lat.substr(0, 2)) + std::strtod(lat.substr(2).c_str(), nullptr) / 60,
                e.latDeg, 1e-8);
    EXPECT_NEAR(std::stoi(lon.substr(0, 3)) + std::strtod(lon.substr(3).c_str(), nullptr) / 60,
                e.lonDeg, 1e-8);
    EXPECT_EQ(FieldOf(gga, 6), "4");
    EXPECT_EQ(NumberOf(gga, 7), 5);
    EXPECT_DOUBLE_EQ(NumberOf(gga, 8), 0.8);
    EXPECT_NEAR(NumberOf(gga, 9) + NumberOf(gga, 11), e.heightM, 1e-9);
    EXPECT_DOUBLE_EQ(NumberOf(gga, 11), e.geoidSepM);

    const std::string gsa = GsaSentence(e);
    EXPECT_EQ(SentenceTypeOf(gsa), 8);
    EXPECT_EQ(FieldCount(gsa), 18);
    int slots = 0;
    for (int f = 3; f <= 14; ++f) slots += FieldOf(gsa, f).empty() ? 0 : 1;
    EXPECT_EQ(slots, 5);
    EXPECT_DOUBLE_EQ(NumberOf(gsa, 15), 1.6);

    const std::vector<std::string> gsv = GsvSentences(e);
    ASSERT_EQ(gsv.size(), 2u);
    EXPECT_EQ(SentenceTypeOf(gsv[1]), 2);
    EXPECT_EQ(NumberOf(gsv[1], 2), 2);  // message number
    EXPECT_EQ(NumberOf(gsv[1], 3), 6);  // in view
    EXPECT_EQ(NumberOf(gsv[1], 4), 6);  // satellite 4: prn, elevation, azimuth, SNR
    EXPECT_EQ(NumberOf(gsv[1], 5), 60);
    EXPECT_EQ(NumberOf(gsv[1], 6), 120);
    EXPECT_EQ(NumberOf(gsv[1], 7), 44);

    const std::string zda = ZdaSentence(e);
    EXPECT_EQ(SentenceTypeOf(zda), 3);
    EXPECT_EQ(FieldOf(zda, 2) + FieldOf(zda, 3) + FieldOf(zda, 4), "01062024");

    const std::string gst = GstSentence(e);
    EXPECT_EQ(SentenceTypeOf(gst), 14);
    EXPECT_FALSE(FieldOf(gst, 1).empty());
    EXPECT_DOUBLE_EQ(NumberOf(gst, 6), 0.012);
    EXPECT_DOUBLE_EQ(NumberOf(gst, 7), 0.009);
    EXPECT_DOUBLE_EQ(NumberOf(gst, 8), 0.021);
}

// The CRC check as the decoder makes it: the CRC printed without leading
// zeros, upper case, found in the upper-cased text after the '*'.
bool DecoderTakesLog(const std::string& log) {
    const size_t star = log.find('*');
    if (star == std::string::npos) return false;
    char crc[16];
    std::snprintf(crc, sizeof crc, "%lX",
                  static_cast<unsigned long>(LogCrc32(log.substr(1, star - 1))));
    std::string sent = log.substr(star + 1);
    for (char& c : sent) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return sent.find(crc) != std::string::npos;
}

TEST(SentenceFields, LogValuesSitWhereTheDecoderReadsThem) {
    const NmeaEpoch e = KnownEpoch();
    const std::string best = BestPosLog(e);
    EXPECT_EQ(SentenceTypeOf(best), 4);
    EXPECT_TRUE(DecoderTakesLog(best));
    EXPECT_EQ(FieldCount(best), 30);
    EXPECT_NE(FieldOf(best, 9).find(';'), std::string::npos);  // header end, then the status
    EXPECT_EQ(FieldOf(best, 10), "NARROW_INT");
    EXPECT_NEAR(NumberOf(best, 11), e.latDeg, 1e-10);
    EXPECT_NEAR(NumberOf(best, 12), e.lonDeg, 1e-10);
    EXPECT_NEAR(NumberOf(best, 13) + NumberOf(best, 14), e.heightM, 1e-9);
    EXPECT_DOUBLE_EQ(NumberOf(best, 14), e.geoidSepM);
    EXPECT_DOUBLE_EQ(NumberOf(best, 16), 0.012);
    EXPECT_DOUBLE_EQ(NumberOf(best, 18), 0.021);
    EXPECT_EQ(static_cast<int>(NumberOf(best, 20)), 2);  // differential age, whole seconds

    const std::string ref = RefStationLog(e, 48.8566, 2.3522, 81.25);
    EXPECT_EQ(SentenceTypeOf(ref), 5);
    EXPECT_TRUE(DecoderTakesLog(ref));
    double x = 0, y = 0, z = 0;
    GeodeticToEcef(48.8566, 2.3522, 81.25, x, y, z);
    EXPECT_NEAR(NumberOf(ref, 10), x, 1e-3);
    EXPECT_NEAR(NumberOf(ref, 11), y, 1e-3);
    EXPECT_NEAR(NumberOf(ref, 12), z, 1e-3);

    // A CRC with leading zeros is still found in its eight digits.
    NmeaEpoch later = e;
    int found = 0;
    for (int k = 0; k < 2000 && found == 0; ++k) {
        later.secondsOfDay = e.secondsOfDay + k * 0.1;
        const std::string log = BestPosLog(later);
        if (log[log.find('*') + 1] != '0') continue;
        EXPECT_TRUE(DecoderTakesLog(log)) << log;
        ++found;
    }
    EXPECT_EQ(found, 1);
}

TEST(SounderTelegrams, DepthSitsBetweenTheFirstTwoCommasInTheTypesScale) {
    EXPECT_EQ(SounderTelegram(0, 12.34), "DT,001234,M\r");
    EXPECT_EQ(SounderTelegram(1, 5.0), "ET,00500,M\r");
    EXPECT_EQ(SounderTelegram(2, 7.5), "DA,0750,M\r");
    EXPECT_EQ(SounderTelegram(3, 5.67), "$GPSSS,05.670,M\r");
    EXPECT_EQ(SounderErrorTelegram(0), "DT,EEEEEE,M\r");
    EXPECT_EQ(SounderErrorTelegram(3), "$GPSSS,\x01\x01\x01\x01\x01\x01,M\r");
    for (int type = 0; type < kSounderTypeCount; ++type) {
        const SounderType& t = SounderTypeOf(type);
        const std::string telegram = SounderTelegram(type, 23.456);
        const size_t first = telegram.find(',');
        const size_t second = telegram.find(',', first + 1);
        const double depth = std::atof(telegram.substr(first + 1, second - first - 1).c_str());
        EXPECT_NEAR(depth / t.scale, 23.456, 0.5 / t.scale) << type;
        EXPECT_EQ(telegram.rfind(t.tag, 0), 0u);
    }
}

TEST(SounderTelegrams, ProfileAndErrorsFollowTheOptions) {
    SounderSimOptions options;
    options.errorEvery = 4;
    options.depthM = 0.05;
    options.amplitudeM = 0;
    double depth = 0;
    EXPECT_EQ(SounderTelegramAt(options, 3, &depth), SounderErrorTelegram(0));
    EXPECT_TRUE(std::isnan(depth));
    SounderTelegramAt(options, 0, &depth);
    EXPECT_DOUBLE_EQ(depth, 0.1);  // never above the transducer
}

}  // namespace
}  // namespace quorvel::sim
