// The receiver's logs and own sentences: BESTPOSA against real receiver
// logs (CRC guard, position-type table, fields), REFSTATIONA writing the
// job's files in a temporary device root, and the short proprietary
// sentences.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/files/DevicePath.h"
#include "platform/files/StoreSpace.h"
#include "receiver/FieldCut.h"
#include "receiver/ReceiverParser.h"
#include "tests/receiver/FakeReceiverHost.h"
#include "tests/receiver/ReceiverTestSupport.h"

namespace {

using receiver_test::CFakeReceiverHost;
using receiver_test::Delivered;
using receiver_test::Dump;

std::vector<std::string> ReadLogs() {
    std::ifstream in(QUORVEL_TESTDATA_DIR "/receiver-logs/ascii-logs-valid.txt");
    std::vector<std::string> logs;
    std::string line;
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
        if (!line.empty() && line[0] == '#') logs.push_back(line);
    }
    return logs;
}

std::vector<std::string> Fields(const std::string& s) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == ',') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

// A log whose CRC is made here, for bodies no receiver sent.
std::string WithCrc(const std::string& body) {
    const uint32_t crc = CReceiverParser::CalcCrc32(reinterpret_cast<const BYTE*>(body.data() + 1),
                                                    static_cast<int>(body.size() - 1));
    char text[16];
    std::snprintf(text, sizeof text, "*%08x", crc);
    return body + text;
}

uint32_t BitwiseCrc(const std::string& bytes) {
    uint32_t crc = 0;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc;
}

class LogParserTest : public ::testing::Test {
  protected:
    BOOL Run(BOOL (CReceiverParser::*op)(CString&, SurveyRecord*), const std::string& s) {
        CString line = Delivered(s);
        return (m_parser.*op)(line, &m_rec);
    }

    CFakeReceiverHost m_host;
    CReceiverParser m_parser{&m_host};
    SurveyRecord m_rec;
};

TEST(Crc32, MatchesTheBitwiseDefinitionAtEveryLength) {
    const char abc[] = "abc";
    EXPECT_EQ(CReceiverParser::CalcCrc32(reinterpret_cast<const BYTE*>(abc), 3), 0xCA6598D0u);
    EXPECT_EQ(CReceiverParser::CalcCrc32(nullptr, 0), 0u);
    std::string bytes;
    for (int n = 0; n < 300; ++n) {
        EXPECT_EQ(CReceiverParser::CalcCrc32(reinterpret_cast<const BYTE*>(bytes.data()), n),
                  BitwiseCrc(bytes))
            << n;
        bytes.push_back(static_cast<char>(n * 37 + 11));
    }
}

TEST_F(LogParserTest, EveryRealBestPosIsTakenAndDecodedByTheTables) {
    const std::vector<std::string> logs = ReadLogs();
    ASSERT_GT(logs.size(), 20u) << "test data missing";
    int taken = 0;
    for (const std::string& log : logs) {
        if (log.rfind("#BESTPOSA", 0) != 0) continue;
        ASSERT_TRUE(Run(&CReceiverParser::ParseBestPos, log)) << log;
        ++taken;
        const std::vector<std::string> f = Fields(log);
        const std::string word = f[10];
        const wchar_t* status = word == "SINGLE"       ? L"SINGLE"
                                : word == "NONE"       ? L"NONE"
                                : word == "WAAS"       ? L"DGPS"
                                : word == "NARROW_INT" ? L"FIXED"
                                                       : L"?";
        const int solution = word == "SINGLE" ? 5 : word == "NONE" ? 1 : word == "WAAS" ? 7 : 10;
        EXPECT_EQ(m_rec.strStatus, status) << log;
        EXPECT_EQ(m_rec.nSolution, solution) << log;
        EXPECT_DOUBLE_EQ(m_rec.dLat, std::stod(f[11]));
        EXPECT_DOUBLE_EQ(m_rec.dLon, std::stod(f[12]));
        EXPECT_DOUBLE_EQ(m_rec.dHeight, std::stod(f[13]) + std::stod(f[14]));
        EXPECT_DOUBLE_EQ(m_rec.dGeoidSep, std::stod(f[14]));
        EXPECT_DOUBLE_EQ(m_rec.dHrms, std::stod(f[16]));
        EXPECT_DOUBLE_EQ(m_rec.dVrms, std::stod(f[18]));
        EXPECT_EQ(m_rec.nAux, static_cast<int>(std::stod(f[20])));
        EXPECT_EQ(Dump(m_host.m_curFix), Dump(m_rec));
    }
    EXPECT_EQ(taken, 26);
}

TEST_F(LogParserTest, AnyChangedByteOfARealLogIsRejected) {
    const std::vector<std::string> logs = ReadLogs();
    ASSERT_FALSE(logs.empty());
    ASSERT_TRUE(Run(&CReceiverParser::ParseBestPos, logs[0]));
    const std::string before = Dump(m_rec);
    m_host.m_curFix = SurveyRecord();
    for (const std::string& log : logs) {
        if (log.rfind("#BESTPOSA", 0) != 0) continue;
        for (size_t i = 0; i < log.size(); ++i) {
            std::string changed = log;
            // Case changes too, except in the CRC digits where case is no change.
            const bool inCrc = i > log.find('*');
            changed[i] = static_cast<char>(changed[i] ^ (i % 2 || inCrc ? 0x01 : 0x20));
            EXPECT_FALSE(Run(&CReceiverParser::ParseBestPos, changed)) << changed;
        }
    }
    EXPECT_EQ(Dump(m_rec), before);
    EXPECT_EQ(Dump(m_host.m_curFix), Dump(SurveyRecord()));
}

TEST_F(LogParserTest, CrcIsComparedAsANumberFromTheFirstHash) {
    // Upper-case digits and leading zeros compare as numbers.
    std::string log = WithCrc("#BESTPOSA,COM1,0,1,X,1,1,0,0,1;SOL_COMPUTED,SINGLE,1,2,3,4,W,5,6,7");
    for (size_t i = log.find('*'); i < log.size(); ++i) log[i] = std::toupper(log[i]);
    EXPECT_TRUE(Run(&CReceiverParser::ParseBestPos, "garbage,*,#" + log.substr(1)));
    EXPECT_FALSE(Run(&CReceiverParser::ParseBestPos, log.substr(0, log.size() - 1)));
    EXPECT_FALSE(Run(&CReceiverParser::ParseBestPos, log.substr(1)));  // no '#'
}

TEST_F(LogParserTest, PositionTypesFollowTheFixLevel) {
    struct Case {
        const wchar_t* word;
        int fixLevel;
        const wchar_t* status;
        int solution;
    };
    const Case cases[] = {
        {L"NONE", 0, L"NONE", 1},
        {L"FIXEDPOS", 0, L"FIXEDPOS", 2},
        {L"FIXEDHEIGHT", 0, L"FIXEDHEIGHT", 3},
        {L"FIXEDVEL", 0, L"FIXEDVEL", 4},
        {L"SINGLE", 0, L"SINGLE", 5},
        {L"PSRDIFF", 0, L"DGPS", 6},
        {L"WASS", 0, L"DGPS", 7},
        {L"WAAS", 0, L"DGPS", 7},
        {L"L1_FLOAT", 0, L"FLOAT", 8},
        {L"IONOFREE_FLOAT", 0, L"FLOAT", 8},
        {L"NARROW_FLOAT", 0, L"FLOAT", 8},
        {L"L1_INT", 0, L"FLOAT", 8},
        {L"WIDE_INT", 0, L"FLOAT", 9},
        {L"WIDE_INT", 1, L"FIXED", 10},
        {L"WIDE_INT", 2, L"WIDE_INT", 42},
        {L"NARROW_INT", 2, L"FIXED", 10},
        {L"PROPAGATED", 0, L"NFIX", 0},
        {L"", 0, L"NFIX", 0},
    };
    for (const Case& c : cases) {
        m_host.m_fixLevel = c.fixLevel;
        m_rec.nSolution = 42;
        m_parser.PositionTypeCode(c.word, &m_rec);
        EXPECT_EQ(m_rec.strStatus, c.status) << quorvel::ToUtf8(c.word);
        EXPECT_EQ(m_rec.nSolution, c.solution) << quorvel::ToUtf8(c.word);
    }
}

TEST_F(LogParserTest, BestPosGridOnTheJobWithHeightFitAndAHugeAge) {
    CoordSysParams& p = m_host.m_params;
    p.szdCenter = -114.0;
    p.szdCorrectionX = 1.0, p.szdCorrectionY = 2.0, p.szdCorrectionH = 3.0;
    p.nNiheMode = 1, p.szdNiheA0 = 0.5, p.szdNiheA1 = 1e-3, p.szdNiheX0 = 5665000.0;
    const std::string log = WithCrc(
        "#BESTPOSA,COM1,0,1,FINESTEERING,1,1,0,0,1;SOL_COMPUTED,NARROW_INT,51.15,-114.03,"
        "1100.0,-17.0,WGS84,0.01,0.02,0.03,\"0\",1e300,0.0,8,8,8,8,0,01,0,03");
    ASSERT_TRUE(Run(&CReceiverParser::ParseBestPos, log));
    EXPECT_EQ(m_rec.nAux, 0);  // an age beyond an int reads as 0
    CCoordTransform engine;
    double x, y, h;
    engine.Wgs84ToGrid(51.15, -114.03, 1083.0, p, x, y, h);
    EXPECT_NEAR(m_rec.dX, x + 1.0, 1e-6);
    EXPECT_NEAR(m_rec.dY, y + 2.0, 1e-6);
    const double anomaly = 0.5 + 1e-3 * (m_rec.dX - 5665000.0);
    EXPECT_NEAR(m_rec.dGridH, h + 3.0 - anomaly, 1e-6);
    EXPECT_NEAR(y, 497900, 500);  // 0.03 degrees west of the meridian at 51 N
    EXPECT_EQ(m_rec.dAntX, 0.0);  // the antenna fields are the GGA's
}

TEST_F(LogParserTest, ProprietarySentences) {
    ASSERT_TRUE(Run(&CReceiverParser::ParseGpxxx, "$GPXXX,ABCDE5XY,V2,SN123,Q27-2,x,x,x,x,x"));
    EXPECT_EQ(m_rec.strRxId1, L"ABCDE5XY");
    EXPECT_EQ(m_rec.strRxId2, L"V2");
    EXPECT_EQ(m_rec.strRxId3, L"SN123");
    EXPECT_EQ(m_rec.strRxId3Copy, L"SN123");
    EXPECT_EQ(m_host.m_curFix.strRxId1, L"ABCDE5XY");
    EXPECT_EQ(m_host.m_curFix.strRxId3Copy, L"SN123");
    EXPECT_TRUE(m_host.m_curFix.strRxId2.IsEmpty());
    EXPECT_DOUBLE_EQ(m_host.m_antennaConst, 0.0205);
    EXPECT_EQ(m_host.m_variant, 1);
    ASSERT_TRUE(Run(&CReceiverParser::ParseGpxxx, "$GPXXX,ABCDE0,V2,SN123,Q27-3*00"));
    EXPECT_EQ(m_host.m_variant, 0);
    EXPECT_DOUBLE_EQ(m_host.m_antennaConst, 0.014);
    ASSERT_TRUE(Run(&CReceiverParser::ParseGpxxx, "$GPXXX,ABCD5,V2"));
    EXPECT_EQ(m_host.m_variant, 0);  // five characters: the variant stays

    ASSERT_TRUE(Run(&CReceiverParser::ParseCbn, "$PCBN,1,2,3,4,5,6,7,8,9,10,0.03,0.04,0.07,x"));
    EXPECT_NEAR(m_rec.dHrms, 0.05, 1e-15);
    EXPECT_DOUBLE_EQ(m_rec.dVrms, 0.07);

    ASSERT_TRUE(Run(&CReceiverParser::ParseCpd, "$PCPD,1,DLK,+*3A"));
    EXPECT_EQ(m_rec.nAux, 1);
    ASSERT_TRUE(Run(&CReceiverParser::ParseCpd, "$PCPD,1,DLK,-*3A"));
    EXPECT_EQ(m_rec.nAux, 0);

    // PBN: the position is used only while the current fix has none.
    m_host.m_curFix.nSolution = 5;
    ASSERT_TRUE(
        Run(&CReceiverParser::ParsePbn, "$PBN,0,1,2,3,4,022:30.0,113:45.0,12.5,S,9,10,8,13,1.7"));
    EXPECT_DOUBLE_EQ(m_rec.dPbnLat, 22.5);
    EXPECT_DOUBLE_EQ(m_rec.dPbnLon, 113.75);
    EXPECT_DOUBLE_EQ(m_rec.dPbnH, 12.5);
    EXPECT_EQ(m_rec.dLat, 0.0);
    m_host.m_curFix.nSolution = 1;
    ASSERT_TRUE(
        Run(&CReceiverParser::ParsePbn, "$PBN,0,1,2,3,4,022:30.0,113:45.0,12.5,S,9,10,8,13,1.7"));
    EXPECT_DOUBLE_EQ(m_rec.dLat, 22.5);
    EXPECT_DOUBLE_EQ(m_rec.dLon, 113.75);
    EXPECT_DOUBLE_EQ(m_rec.dHeight, 12.5);
    EXPECT_EQ(m_rec.nSatsUsed, 8);
    EXPECT_DOUBLE_EQ(m_rec.dDop, 1.7);
}

TEST_F(LogParserTest, PosAndNavPosCarryTimeWithoutZoneShift) {
    m_host.m_params.szdCorrectionX = 10.0;
    ASSERT_TRUE(Run(&CReceiverParser::ParsePos,
                    "$PPOS,0,1,9,203015.25,2230.0000,S,11345.0000,E,80.5,x,x,x,x,2.2,x,x,x,x"));
    EXPECT_EQ(m_rec.nHour, 20);
    EXPECT_EQ(m_rec.nMinute, 30);
    EXPECT_DOUBLE_EQ(m_rec.dSecond, 15.25);
    EXPECT_DOUBLE_EQ(m_rec.dLat, -22.5);
    EXPECT_DOUBLE_EQ(m_rec.dLon, 113.75);
    EXPECT_DOUBLE_EQ(m_rec.dHeight, 80.5);
    EXPECT_EQ(m_rec.nSatsUsed, 9);
    EXPECT_DOUBLE_EQ(m_rec.dDop, 2.2);
    CCoordTransform engine;
    double x, y, h;
    engine.Wgs84ToGrid(-22.5, 113.75, 80.5, m_host.m_params, x, y, h);
    EXPECT_NEAR(m_rec.dX, x + 10.0, 1e-6);
    EXPECT_NEAR(m_rec.dY, y, 1e-6);
    EXPECT_EQ(m_rec.dAntX, 0.0);

    ASSERT_TRUE(Run(&CReceiverParser::ParseNavPos,
                    "#NAVPOS,a,081520.5,c,R,xx12,f,g,22o30'36\",113o45'0.5\",45.5,l"));
    EXPECT_EQ(m_rec.nSatsUsed, 12);
    EXPECT_EQ(m_rec.nHour, 8);
    EXPECT_EQ(m_rec.nMinute, 15);
    EXPECT_DOUBLE_EQ(m_rec.dSecond, 20.5);
    EXPECT_EQ(m_rec.strStatus, L"FIXED");
    EXPECT_EQ(m_rec.strLatTag, L"2");
    EXPECT_DOUBLE_EQ(m_rec.dLat, 22.51);
    EXPECT_DOUBLE_EQ(m_rec.dLon, 113.75013889);  // rounded to 8 decimals
    EXPECT_DOUBLE_EQ(m_rec.dHeight, 45.5);
    for (const auto& [letter, status] :
         std::vector<std::pair<std::string, CString>>{{"A", L"SINGLE"},
                                                      {"C", L"FLOAT"},
                                                      {"F", L"FLOAT"},
                                                      {"D", L"Diff."},
                                                      {"Z", L"Diff."}}) {
        ASSERT_TRUE(Run(&CReceiverParser::ParseNavPos, "#NAVPOS,a,b,c," + letter));
        EXPECT_EQ(m_rec.strStatus, status) << letter;
    }
}

// REFSTATIONA in a device root holding a job's folders.
class RefStationTest : public LogParserTest {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvel-receiver-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_base = pattern;
        std::filesystem::create_directories(m_base + "/Flash Disk/Jobs/ruvo/result");
        std::filesystem::create_directories(m_base + "/Flash Disk/Jobs/ruvo/data");
        quorvel::SetDeviceRoot(m_base);
        m_host.m_params.szdCenter = -114.0;
        for (const std::string& log : ReadLogs()) {
            if (log.rfind("#REFSTATIONA", 0) == 0) m_logs.push_back(log);
        }
        ASSERT_EQ(m_logs.size(), 2u) << "test data missing";
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_base, ec);
    }
    std::string ReadHost(const std::string& relative) const {
        std::ifstream in(m_base + "/" + relative, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    const std::string kBaseFile = "Flash Disk/Jobs/ruvo/result/basecoord.RTK";

    std::string m_base;
    std::vector<std::string> m_logs;  // all zero, then a base near Calgary
};

TEST_F(RefStationTest, AnEmptyLogWritesNothingAndLeavesTheJobEllipsoid) {
    const std::string before = Dump(m_rec);
    EXPECT_FALSE(Run(&CReceiverParser::ParseRefStation, m_logs[0]));
    EXPECT_EQ(Dump(m_rec), before);
    EXPECT_TRUE(m_host.m_events.empty());
    EXPECT_FALSE(std::filesystem::exists(m_base + "/" + kBaseFile));
    double a, f;
    m_host.m_engine.GetEllipsoid(a, f);
    EXPECT_EQ(a, 6378245.0);
    EXPECT_EQ(f, 298.3);
}

TEST_F(RefStationTest, ANewBaseIsAppendedOnceAndTheParRewrittenEveryTime) {
    std::ofstream(m_base + "/Flash Disk/Jobs/ruvo/data/ruvo.RTK") << "Rem raw\r\n";
    ASSERT_TRUE(Run(&CReceiverParser::ParseRefStation, m_logs[1]));
    // Calgary, from the geocentric position of the log.
    EXPECT_NEAR(m_rec.dBaseLat, 51.15, 0.01);
    EXPECT_NEAR(m_rec.dBaseLon, -114.03, 0.01);
    EXPECT_NEAR(m_rec.dBaseH, 1097 - 17, 5);  // height above the ellipsoid
    const CoordSysParams& p = m_host.m_params;
    CString expected;
    expected.Format(L"NowBase,%.10f,%.10f,%.3f,00000000\r\n",
                    CCoordTransform::ConvertDmsRadian(m_rec.dBaseLat * CCoordTransform::kDeg, 0),
                    CCoordTransform::ConvertDmsRadian(m_rec.dBaseLon * CCoordTransform::kDeg, 0),
                    m_rec.dBaseH);
    EXPECT_EQ(ReadHost(kBaseFile), quorvel::ToUtf8(expected));
    // The same line from the log's geocentric position by an independent
    // computation (latitude iterated to convergence on WGS84, degrees,
    // minutes and seconds packed by hand).
    EXPECT_EQ(ReadHost(kBaseFile), "NowBase,51.0901407802,-114.0150498711,1081.917,00000000\r\n");
    EXPECT_DOUBLE_EQ(p.szdBaseLat,
                     CCoordTransform::ConvertDmsRadian(m_rec.dBaseLat * CCoordTransform::kDeg, 0));
    EXPECT_DOUBLE_EQ(p.szdBaseHgt, m_rec.dBaseH);
    EXPECT_NEAR(p.szdBaseY, 497900, 1000);
    EXPECT_EQ(p.szdSx0, p.szdBaseX);
    EXPECT_EQ(p.szdSh0, p.szdBaseH);
    EXPECT_EQ(m_host.m_baseX, p.szdBaseX);
    EXPECT_EQ(m_host.m_baseChanged, 1);
    EXPECT_EQ(m_host.m_baseWritten, 1);
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{"rtk 1", "base", "par"}));

    // The same base again: no line, the .par all the same.
    ASSERT_TRUE(Run(&CReceiverParser::ParseRefStation, m_logs[1]));
    EXPECT_EQ(ReadHost(kBaseFile), quorvel::ToUtf8(expected));
    EXPECT_EQ(m_host.m_parWrites, 2);
    EXPECT_EQ(m_host.m_baseWritten, 1);
    // The engine ends on the job's ellipsoid.
    double a, f;
    m_host.m_engine.GetEllipsoid(a, f);
    EXPECT_EQ(a, 6378245.0);
}

// basecoord.RTK left with a torn tail, then a store with room for the
// tail's line end and half a line: the tail gets its line end, the cut
// line is taken back and noted as not written; with room again the next
// base is a whole line of its own.
TEST_F(RefStationTest, ABaseLineIsWrittenWholeOrNotAtAll) {
    struct Unlimit {
        ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
    } unlimit;
    std::ofstream(m_base + "/" + kBaseFile, std::ios::binary) << "NowBase,51.09";
    quorvel::files::LimitStoreSpaceForTest(30);
    ASSERT_TRUE(Run(&CReceiverParser::ParseRefStation, m_logs[1]));
    EXPECT_EQ(ReadHost(kBaseFile), "NowBase,51.09\r\n");
    EXPECT_EQ(m_host.m_notes, (std::vector<std::string>{"record 0", "par 1"}));

    quorvel::files::UnlimitStoreSpaceForTest();
    m_host.m_params.szdBaseX = 0.0;  // the base counts as moved again
    ASSERT_TRUE(Run(&CReceiverParser::ParseRefStation, m_logs[1]));
    EXPECT_EQ(ReadHost(kBaseFile),
              "NowBase,51.09\r\nNowBase,51.0901407802,-114.0150498711,1081.917,00000000\r\n");
    EXPECT_EQ(m_host.m_notes.back(), "par 1");
    EXPECT_EQ(m_host.m_notes[2], "record 1");
}

// The parser shows no box of its own: it runs while the receiver's reader
// waits, and the host tells the failure once that wait is over.
TEST_F(RefStationTest, WithoutARawFileOnlyTheBaseLineAndAFailedParIsReported) {
    quorvel::MessageBoxRecorder boxes;
    m_host.m_parWriteWorks = false;
    ASSERT_TRUE(Run(&CReceiverParser::ParseRefStation, m_logs[1]));
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{"base", "par"}));
    EXPECT_EQ(m_host.m_notes, (std::vector<std::string>{"record 1", "par 0"}));
    EXPECT_TRUE(boxes.AllAnswered()) << boxes.Report();
    EXPECT_EQ(ReadHost(kBaseFile).substr(0, 8), "NowBase,");
}

TEST_F(RefStationTest, CpdBaseStoresTheGridBaseWithoutFiles) {
    ASSERT_TRUE(Run(&CReceiverParser::ParseCpd, "$PCPD,1,POS,5109.0000,N,11402.0000,W,+1097.1234"));
    EXPECT_DOUBLE_EQ(m_rec.dBaseLat, 51.15);
    EXPECT_NEAR(m_rec.dBaseLon, -(114.0 + 2.0 / 60.0), 1e-12);
    EXPECT_DOUBLE_EQ(m_rec.dBaseH, 1097.1234);
    EXPECT_EQ(m_host.m_params.szdBaseH, 1097.1234);
    EXPECT_NEAR(m_host.m_params.szdBaseY, 500000 - 2340, 50);
    EXPECT_EQ(m_host.m_params.szdSy0, m_host.m_params.szdBaseY);
    EXPECT_EQ(m_host.m_events, (std::vector<std::string>{"base"}));
    EXPECT_FALSE(std::filesystem::exists(m_base + "/" + kBaseFile));
}

}  // namespace
