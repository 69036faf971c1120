// The NMEA decoders (GGA, GSV, ZDA, GSA, GST) on lines as the link hands
// them over, with a recording job behind them: every field they fill, the
// guards, and the grid chain they end in.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "receiver/ReceiverParser.h"
#include "tests/receiver/FakeReceiverHost.h"
#include "tests/receiver/ReceiverTestSupport.h"

namespace {

using receiver_test::CFakeReceiverHost;
using receiver_test::Delivered;
using receiver_test::Dump;
using receiver_test::WithChecksum;

const char kZeusGga[] = "$GPGGA,094736,5251.0094,N,00518.8172,E,1,12,0.60,-4,M,46.8,M,,*4B";

class NmeaParserTest : public ::testing::Test {
  protected:
    BOOL Gga(const std::string& sentence) {
        CString line = Delivered(sentence);
        return m_parser.ParseGga(line, &m_rec);
    }
    BOOL Run(BOOL (CReceiverParser::*op)(CString&, SurveyRecord*), const std::string& s) {
        CString line = Delivered(s);
        return (m_parser.*op)(line, &m_rec);
    }

    CFakeReceiverHost m_host;
    CReceiverParser m_parser{&m_host};
    SurveyRecord m_rec;
};

TEST_F(NmeaParserTest, GgaFillsEveryFieldOfARealSentence) {
    ASSERT_TRUE(Gga(kZeusGga));
    EXPECT_EQ(m_rec.nHour, 17);  // 09 UTC + 8
    EXPECT_EQ(m_rec.nMinute, 47);
    EXPECT_DOUBLE_EQ(m_rec.dSecond, 36.0);
    EXPECT_NEAR(m_rec.dLat, 52.0 + 51.0094 / 60.0, 1e-12);
    EXPECT_NEAR(m_rec.dLon, 5.0 + 18.8172 / 60.0, 1e-12);
    EXPECT_NEAR(m_rec.dHeight, 42.8, 1e-12);  // altitude + geoid separation
    EXPECT_DOUBLE_EQ(m_rec.dGeoidSep, 46.8);
    EXPECT_EQ(m_rec.nSatsUsed, 12);
    EXPECT_DOUBLE_EQ(m_rec.dDop, 0.6);
    EXPECT_EQ(m_rec.strStatus, L"SINGLE");
    EXPECT_EQ(m_rec.nSolution, 5);
    EXPECT_EQ(m_rec.strLatTag, L"N");
    EXPECT_EQ(m_rec.strLonTag, L"E");
    EXPECT_EQ(m_host.m_ggaSeen, 1);
}

TEST_F(NmeaParserTest, GgaQualityGivesStatusAndSolutionCode) {
    struct Case {
        int quality;
        const wchar_t* status;
        int solution;
    };
    const Case cases[] = {{1, L"SINGLE", 5}, {2, L"DGPS", 6},  {4, L"FIXED", 10},
                          {5, L"FLOAT", 9},  {3, L"FLOAT", 9}, {6, L"FLOAT", 9}};
    for (const Case& c : cases) {
        const std::string s = "$GPGGA,010203.50,2230.0000,N,11400.0000,E," +
                              std::to_string(c.quality) + ",07,1.5,10.0,M,-2.0,M,,";
        ASSERT_TRUE(Gga(WithChecksum(s))) << c.quality;
        EXPECT_EQ(m_rec.strStatus, c.status) << c.quality;
        EXPECT_EQ(m_rec.nSolution, c.solution) << c.quality;
        EXPECT_DOUBLE_EQ(m_rec.dHeight, 8.0);
        EXPECT_DOUBLE_EQ(m_rec.dSecond, 3.5);
    }
}

TEST_F(NmeaParserTest, GgaWithoutFixKeepsThePositionAndCountsSatellitesForItsText) {
    ASSERT_TRUE(Gga(kZeusGga));
    const double lat = m_rec.dLat, lon = m_rec.dLon, h = m_rec.dHeight;
    m_rec.nSatsUsed = 5;
    ASSERT_TRUE(Gga(WithChecksum("$GPGGA,101010,0000.0000,N,00000.0000,E,0,00,99.9,,M,,M,,")));
    EXPECT_EQ(m_rec.strStatus, L"SINGLE");
    EXPECT_EQ(m_rec.nSolution, 1);
    EXPECT_EQ(m_rec.dLat, lat);
    EXPECT_EQ(m_rec.dLon, lon);
    EXPECT_EQ(m_rec.dHeight, h);
    EXPECT_EQ(m_rec.nSatsUsed, 5);
    EXPECT_DOUBLE_EQ(m_rec.dDop, 0.6);
    EXPECT_EQ(m_rec.nHour, 18);
    m_rec.nSatsUsed = 4;
    ASSERT_TRUE(Gga(WithChecksum("$GPGGA,101010,,,,,0,00,,,M,,M,,")));
    EXPECT_EQ(m_rec.strStatus, L"NONE");
    EXPECT_TRUE(m_rec.strLatTag.IsEmpty());
}

TEST_F(NmeaParserTest, GgaSouthAndWestAreNegative) {
    ASSERT_TRUE(
        Gga(WithChecksum("$GPGGA,120000,3356.5000,S,07040.2500,W,2,09,0.9,500,M,30,M,3,0001")));
    EXPECT_NEAR(m_rec.dLat, -(33.0 + 56.5 / 60.0), 1e-12);
    EXPECT_NEAR(m_rec.dLon, -(70.0 + 40.25 / 60.0), 1e-12);
    EXPECT_EQ(m_rec.strLatTag, L"S");
    EXPECT_EQ(m_rec.strLonTag, L"W");
}

TEST_F(NmeaParserTest, GgaLocalHourWrapsWithoutChangingTheDate) {
    m_rec.nYear = 2020, m_rec.nMonth = 12, m_rec.nDay = 31;
    ASSERT_TRUE(Gga(WithChecksum("$GPGGA,200000,2230.0,N,11400.0,E,1,05,1,1,M,1,M,,")));
    EXPECT_EQ(m_rec.nHour, 4);
    EXPECT_EQ(m_rec.nDay, 31);
    m_host.m_timeZone = -5;
    ASSERT_TRUE(Gga(WithChecksum("$GPGGA,020000,2230.0,N,11400.0,E,1,05,1,1,M,1,M,,")));
    EXPECT_EQ(m_rec.nHour, 21);
    m_host.m_timeZone = INT_MAX;  // no overflow, still an hour of the day
    ASSERT_TRUE(Gga(WithChecksum("$GPGGA,230000,2230.0,N,11400.0,E,1,05,1,1,M,1,M,,")));
    EXPECT_GE(m_rec.nHour, 0);
    EXPECT_LT(m_rec.nHour, 24);
    m_host.m_timeZone = INT_MIN;
    ASSERT_TRUE(Gga(WithChecksum("$GPGGA,000000,2230.0,N,11400.0,E,1,05,1,1,M,1,M,,")));
    EXPECT_EQ(m_rec.nHour, (((0LL + INT_MIN) % 24) + 24) % 24);
}

TEST_F(NmeaParserTest, GuardedSentencesThatFailChangeNothing) {
    ASSERT_TRUE(Gga(kZeusGga));
    const std::string before = Dump(m_rec);
    const int seen = m_host.m_ggaSeen;
    const std::string bad[] = {
        "$GPGGA,094736,5251.0094,N,00518.8172,E,1,12,0.60,-4,M,46.8,M,,*4C",   // wrong sum
        "$GPGGA,094736,5251.0094,N,00518.8172,E,1,12,0.60,-4,M,46.8,M,,",      // no '*'
        "$$GPGGA,094736,5251.0094,N,00518.8172,E,1,12,0.60,-4,M,46.8,M,,*4B",  // doubled '$'
        "GPGGA,094736,5251.0094,N,00518.8172,E,1,12,0.60,-4,M,46.8,M,,*4B",    // no '$'
        "$GPGGA,094736,5251.0094,N,00518.8172,E,1,12,0.60,-4,M,46.8,M,,*",
    };
    for (const std::string& s : bad) {
        EXPECT_FALSE(Gga(s)) << s;
        EXPECT_FALSE(Run(&CReceiverParser::ParseGsv, s)) << s;
        EXPECT_FALSE(Run(&CReceiverParser::ParseZda, s)) << s;
        EXPECT_FALSE(Run(&CReceiverParser::ParseGsa, s)) << s;
    }
    EXPECT_EQ(Dump(m_rec), before);
    EXPECT_EQ(m_host.m_ggaSeen, seen);
}

TEST(NmeaChecksum, ReadsTheTwoCharactersAfterTheStar) {
    EXPECT_TRUE(CReceiverParser::VerifyChecksum(L"$GPGGA,,*56"));
    EXPECT_TRUE(CReceiverParser::VerifyChecksum(L"$GPGGA,,*56\r"));
    EXPECT_FALSE(CReceiverParser::VerifyChecksum(L"$GPGGA,,*57"));
    // Lower-case digits count; a character that is no digit counts as 0.
    EXPECT_TRUE(CReceiverParser::VerifyChecksum(L"$AJ*0b"));  // 'A' ^ 'J' == 0x0B
    EXPECT_TRUE(CReceiverParser::VerifyChecksum(L"$AQ*1z"));  // 'A' ^ 'Q' == 0x10
    EXPECT_TRUE(CReceiverParser::VerifyChecksum(L"$*00"));
    EXPECT_TRUE(CReceiverParser::VerifyChecksum(L"$*"));  // nothing after the star reads 00
    EXPECT_FALSE(CReceiverParser::VerifyChecksum(L"\n$GPGGA,,*56"));
    EXPECT_FALSE(CReceiverParser::VerifyChecksum(L""));
    EXPECT_EQ(CReceiverParser::CutAtDollar(L"\n$GPGGA,,*56\r"), L"$GPGGA,,*56\r");
    EXPECT_EQ(CReceiverParser::CutAtDollar(L"no dollar"), L"no dollar");
}

TEST_F(NmeaParserTest, GgaGridChainWithOffsetAndCorrections) {
    CoordSysParams& p = m_host.m_params;
    p.szdCorrectionX = 0.25, p.szdCorrectionY = -0.5, p.szdCorrectionH = 1.5;
    p.nSevenPar = 1, p.szddx = -15.4, p.szddy = 139.2, p.szddz = 51.3, p.szdWz = 1.1e-5;
    const std::string gga =
        WithChecksum("$GPGGA,033000,2300.0000,N,11300.0000,E,4,14,0.7,35.0,M,0.0,M,1,0001");
    ASSERT_TRUE(Gga(gga));
    // The chain, run on an engine of our own from the same parameters.
    CCoordTransform engine;
    double x, y, h;
    engine.Wgs84ToGrid(23.0, 113.0, 35.0, p, x, y, h);
    EXPECT_NEAR(m_rec.dAntX, x + 0.25, 1e-6);
    EXPECT_NEAR(m_rec.dAntY, y - 0.5, 1e-6);
    EXPECT_NEAR(m_rec.dGridH, h + 1.5, 1e-6);
    EXPECT_EQ(m_rec.dX, m_rec.dAntX);  // zero offset: the point is the antenna
    EXPECT_EQ(m_rec.dY, m_rec.dAntY);
    double lat = 23.0, lon = 113.0, height = 35.0;
    engine.SetEllipsoid(p.szdDa, p.szdDf, p.szdTHigh);
    engine.Wgs84ToLocalGeodetic(lat, lon, height, p);
    engine.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
    double px, py;
    engine.TransverseMercatorForward(lat, lon, px, py);
    EXPECT_NEAR(m_rec.dProjX, px, 1e-6);
    EXPECT_NEAR(m_rec.dProjY, py, 1e-6);
    EXPECT_NEAR(m_rec.dProjH, height, 1e-6);
    EXPECT_NEAR(x, 2544000, 3000);  // 23 N, 113 E on Krassovsky about 114 E
    EXPECT_NEAR(y, 397500, 3000);

    // Offset 1 m to the right of travel: heading north moves east, east
    // moves south.
    m_host.m_offsetX = 1.0;
    m_rec.dHeading = 0.0;
    ASSERT_TRUE(Gga(gga));
    EXPECT_NEAR(m_rec.dY, m_rec.dAntY + 1.0, 1e-9);
    EXPECT_NEAR(m_rec.dX, m_rec.dAntX, 1e-9);
    m_rec.dHeading = M_PI / 2;
    ASSERT_TRUE(Gga(gga));
    EXPECT_NEAR(m_rec.dX, m_rec.dAntX - 1.0, 1e-9);
    EXPECT_NEAR(m_rec.dY, m_rec.dAntY, 1e-9);
    // And 2 m ahead while heading east.
    m_host.m_offsetX = 0.0, m_host.m_offsetY = 2.0;
    ASSERT_TRUE(Gga(gga));
    EXPECT_NEAR(m_rec.dY, m_rec.dAntY + 2.0, 1e-9);
    EXPECT_NEAR(m_rec.dX, m_rec.dAntX, 1e-9);
}

TEST(OffsetStep, ZeroOffsetIsTheAntennaWhateverTheHeading) {
    for (double theta : {0.0, 0.7, 2.0, 3.1, 4.5, 6.2}) {
        OffsetPoint out;
        CReceiverParser::RotateOffset(theta, {5, 5}, {5, 5}, {2544000.5, 397500.25}, &out);
        EXPECT_EQ(out.x, 2544000.5);
        EXPECT_EQ(out.y, 397500.25);
    }
}

TEST_F(NmeaParserTest, GsvFillsFourSatellitesPerMessage) {
    ASSERT_TRUE(Run(&CReceiverParser::ParseGsv,
                    "$GPGSV,3,1,12,07,10,333,39,08,12,279,35,10,16,158,33,16,74,249,37*73"));
    ASSERT_TRUE(
        Run(&CReceiverParser::ParseGsv, WithChecksum("$GPGSV,3,3,10,29,11,091,60,76,48,226,")));
    EXPECT_EQ(m_rec.nSatsInView, 10);
    EXPECT_EQ(m_rec.sats[0].nPrn, 7);
    EXPECT_EQ(m_rec.sats[3].nElevation, 74);
    EXPECT_EQ(m_rec.sats[3].nAzimuth, 249);
    EXPECT_EQ(m_rec.sats[3].nSnr, 37);
    EXPECT_EQ(m_rec.sats[8].nPrn, 29);
    EXPECT_EQ(m_rec.sats[8].nSnr, 51);  // 60 is capped
    EXPECT_EQ(m_rec.sats[9].nPrn, 76);
    EXPECT_EQ(m_rec.sats[9].nSnr, 0);   // not tracked
    EXPECT_EQ(m_rec.sats[10].nPrn, 0);  // the short last message fills with 0
    EXPECT_EQ(m_rec.sats[11].nAzimuth, 0);
    // A fourth message only updates the count.
    const std::string before = Dump(m_rec);
    ASSERT_TRUE(
        Run(&CReceiverParser::ParseGsv, WithChecksum("$GPGSV,4,4,14,01,02,003,04,05,06,007,08")));
    EXPECT_EQ(m_rec.nSatsInView, 14);
    m_rec.nSatsInView = 10;
    EXPECT_EQ(Dump(m_rec), before);
}

TEST_F(NmeaParserTest, ZdaGivesTheDateAndGsaThePdopAndCount) {
    ASSERT_TRUE(Run(&CReceiverParser::ParseZda, "$GPZDA,094737,20,08,2018,-01,00*6B"));
    EXPECT_EQ(m_rec.nDay, 20);
    EXPECT_EQ(m_rec.nMonth, 8);
    EXPECT_EQ(m_rec.nYear, 2018);
    EXPECT_EQ(m_parser.m_nZdaYear, 2018);
    EXPECT_EQ(m_parser.m_nZdaMonth, 8);
    EXPECT_EQ(m_parser.m_nZdaDay, 20);
    EXPECT_EQ(m_rec.nHour, 0);  // the time fields are not used

    ASSERT_TRUE(Run(&CReceiverParser::ParseGsa,
                    "$GPGSA,A,3,07,08,10,16,20,21,26,27,29,76,75,70,1.10,0.60,0.90*0B"));
    EXPECT_DOUBLE_EQ(m_rec.dDop, 1.1);
    EXPECT_EQ(m_rec.nSatsUsed, 12);
    ASSERT_TRUE(Run(&CReceiverParser::ParseGsa, "$GPGSA,A,1,,,,,,,,,,,,,,,*1E"));
    EXPECT_EQ(m_rec.nSatsUsed, 0);
    EXPECT_DOUBLE_EQ(m_rec.dDop, 0.0);
    ASSERT_TRUE(
        Run(&CReceiverParser::ParseGsa, WithChecksum("$GPGSA,A,2,,05,,,,,,,,,,31,2.5,2.0,1.5")));
    EXPECT_EQ(m_rec.nSatsUsed, 2);
    EXPECT_DOUBLE_EQ(m_rec.dDop, 2.5);
    // The next GGA writes its HDOP again.
    ASSERT_TRUE(Gga(kZeusGga));
    EXPECT_DOUBLE_EQ(m_rec.dDop, 0.6);
}

TEST_F(NmeaParserTest, GstNeedsItsTimeAndNoChecksum) {
    ASSERT_TRUE(Run(&CReceiverParser::ParseGst, "$GPGST,131519.00,11,,,,0.70,0.49,1.1*53"));
    EXPECT_DOUBLE_EQ(m_rec.dHrms, std::sqrt(0.7 * 0.7 + 0.49 * 0.49));
    EXPECT_DOUBLE_EQ(m_rec.dVrms, 1.1);
    ASSERT_TRUE(Run(&CReceiverParser::ParseGst, "$GPGST,131520.00,18,,,,3,4,2.5*00"));
    EXPECT_DOUBLE_EQ(m_rec.dHrms, 5.0);
    const std::string before = Dump(m_rec);
    EXPECT_FALSE(Run(&CReceiverParser::ParseGst, "$GPGST,,18,,,,0.70,0.49,1.1*7F"));
    EXPECT_EQ(Dump(m_rec), before);
    ASSERT_TRUE(Run(&CReceiverParser::ParseGst, "$GPGST,1,,,,,1e300,1e300,1e999"));
    EXPECT_TRUE(std::isfinite(m_rec.dHrms));
    EXPECT_EQ(m_rec.dVrms, 0.0);  // beyond a double: 0
}

TEST_F(NmeaParserTest, NumbersBeyondTheirRangeReadAsZero) {
    ASSERT_TRUE(
        Gga(WithChecksum("$GPGGA,123456,2230.5,N,11400.25,E,1,99999999999999999999,"
                         "1e400,-1e999,M,,M,,")));
    EXPECT_EQ(m_rec.nSatsUsed, 0);
    EXPECT_EQ(m_rec.dDop, 0.0);
    EXPECT_EQ(m_rec.dHeight, 0.0);
    ASSERT_TRUE(
        Run(&CReceiverParser::ParseGsv, WithChecksum("$GPGSV,1,1,2147483648,-2147483648,1,2,3")));
    EXPECT_EQ(m_rec.nSatsInView, 0);
    EXPECT_EQ(m_rec.sats[0].nPrn, INT_MIN);
}

}  // namespace
