// The recogniser that picks a parser for each line, the reading of numbers
// out of fields, and the correction-age watch behind the status LEDs.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <string>
#include <vector>

#include "receiver/DiffAgeWatch.h"
#include "receiver/FieldCut.h"
#include "receiver/ReceivedLine.h"
#include "receiver/ReceiverParser.h"
#include "receiver/SentenceType.h"
#include "tests/receiver/FakeReceiverHost.h"

namespace {

using receiver_test::CFakeReceiverHost;

TEST(SentenceType, FirstTagOfItsListWins) {
    struct Case {
        const wchar_t* line;
        int type;
    };
    const Case cases[] = {
        {L"\n$GPGGA,1,2*00\r", kSentenceGga},
        {L"$GPGSV,1*00", kSentenceGsv},
        {L"$GPZDA", kSentenceZda},
        {L"$GPGSA", kSentenceGsa},
        {L"$GPXXX,a", kSentenceGpxxx},
        {L"$PCBN,1", kSentenceCbn},
        {L"$PCPD,1,POS,2", kSentenceCpd},  // CPD is tested before POS
        {L"$PPBN,POS", kSentencePbn},      // and PBN too
        {L"$PPOS,1", kSentencePos},
        {L"$GPGST,1", kSentenceGst},
        {L"$CRMSS", kSentenceCrmss},
        {L"$GPGST,GPGGA", kSentenceGga},  // anywhere in the line
        {L"$GNGGA,1", kSentenceNone},     // other talkers are not the receiver's
        {L"#BESTPOSA,COM1", kSentenceBestPos},
        {L"\n#REFSTATIONA,1", kSentenceRefStation},
        {L"#VERSIONA,1", kSentenceVersion},
        {L"#NAVPOS,1", kSentenceNavPos},
        {L"#NAVPOS,BESTPOSA", kSentenceBestPos},
        {L"#BESTPOSA,$GPGSV", kSentenceGsv},  // a '$' takes the first list only
        {L"#BESTPOSA,$x", kSentencePos},      // BESTPOSA holds "POS"
        {L"BESTPOSA GPGGA", kSentenceNone},   // neither '$' nor '#'
        {L"", kSentenceNone},
        {L"$GPGG", kSentenceNone},
        {L"FINDRADIO\r", kSentenceNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GpsSentenceType(c.line), c.type) << quorvel::ToUtf8(c.line);
    }
}

TEST(FieldCut, FieldsAndNumbersAsTheFrameworkReadsThem) {
    const CFieldCut f(L"$X,12,-3.25,,abc, 7x,1e3,0.1,99999999999,2147483647,-0,.5,5.*1F\r", 16);
    EXPECT_EQ(f.Text(0), L"$X");
    EXPECT_EQ(f.Int(1), 12);
    EXPECT_DOUBLE_EQ(f.Double(2), -3.25);
    EXPECT_TRUE(f.IsEmpty(3));
    EXPECT_EQ(f.Int(3), 0);
    EXPECT_EQ(f.Int(4), 0);
    EXPECT_EQ(f.Int(5), 7);  // leading blanks, trailing text
    EXPECT_EQ(f.Int(6), 1);  // wcstol stops at the 'e'
    EXPECT_EQ(f.Double(6), 1000.0);
    EXPECT_EQ(f.Double(7), 0.1);  // rounded exactly as the C library does
    EXPECT_EQ(f.Int(8), 0);       // beyond an int
    EXPECT_EQ(f.Int(9), 2147483647);
    EXPECT_TRUE(std::signbit(f.Double(10)));
    EXPECT_EQ(f.Double(11), 0.5);
    EXPECT_EQ(f.Double(12), 5.0);
    EXPECT_EQ(f.Text(12), L"5.*1F\r");
    EXPECT_TRUE(f.IsEmpty(13));  // beyond the last comma
    EXPECT_EQ(f.First(13), L'\0');
    EXPECT_EQ(CFieldCut(nullptr, 3).Length(2), 0);
    // Decimals of every length agree with the C library's correctly rounded
    // conversion, the fast path and the long one alike.
    const wchar_t* decimals[] = {L"5251.0094",           L"00518.81720001",
                                 L"0.30000000000000004", L"123456789012345678901.5",
                                 L"4134.49795459",       L"-0.000000000000000000000000123",
                                 L"9007199254740993",    L"1797693134862315708e290"};
    for (const wchar_t* d : decimals) {
        EXPECT_EQ(nmea::ReadDouble(d), wcstod(d, nullptr)) << quorvel::ToUtf8(d);
    }
    EXPECT_EQ(nmea::ReadDouble(L"1e309"), 0.0);
    EXPECT_EQ(nmea::TruncateToInt(2147483647.9), 2147483647);
    EXPECT_EQ(nmea::TruncateToInt(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(nmea::TruncateToInt(2147483648.0), 0);
    EXPECT_EQ(nmea::ReadIntPrefix(L"123456", 2), 12);
}

TEST(DiffAgeWatch, FreshCorrectionsBlinkAndMissingOnesReconfigureOnce) {
    CFakeReceiverHost host;
    host.m_variant = 0;
    CDiffAgeWatch watch;
    for (int age : {2, 1, 3}) watch.OnCorrectionAge(age, host);
    EXPECT_EQ(host.m_events,
              (std::vector<std::string>{"led 0 0", "led 4 0", "alive", "led 0 1", "led 4 0",
                                        "alive", "led 0 0", "led 4 0", "alive"}));
    host.m_events.clear();
    watch.OnCorrectionAge(6, host);
    EXPECT_EQ(host.m_events, (std::vector<std::string>{"led 4 1", "alive"}));

    host.m_radioFormat = 3;
    auto sends = [&host] {
        std::vector<std::string> out;
        for (const std::string& e : host.m_events) {
            if (e.rfind("send ", 0) == 0) out.push_back(e);
        }
        return out;
    };
    host.m_events.clear();
    for (int i = 0; i < 30; ++i) watch.OnCorrectionAge(0, host);
    EXPECT_TRUE(sends().empty());
    watch.OnCorrectionAge(0, host);  // the 31st
    EXPECT_EQ(sends(), (std::vector<std::string>{"send com,com2,9600\r\n",
                                                 "send interfacemode,com2,rtcmv3,novatel\r\n",
                                                 "send saveconfig\r\n"}));
    EXPECT_EQ(host.m_events.back(), "send saveconfig\r\n");
    host.m_events.clear();
    for (int i = 0; i < 5; ++i) watch.OnCorrectionAge(2, host);  // fresh ones do not reset
    for (int i = 0; i < 31; ++i) watch.OnCorrectionAge(99, host);
    EXPECT_EQ(sends().size(), 3u);

    // Variant 1 receivers are never reconfigured; the count stays full.
    host.m_variant = 1;
    host.m_events.clear();
    for (int i = 0; i < 100; ++i) watch.OnCorrectionAge(-1, host);
    EXPECT_TRUE(sends().empty());
    EXPECT_EQ(watch.m_nNoDiffCount, CDiffAgeWatch::kMaxLogsWithout);
    EXPECT_EQ(CDiffAgeWatch::InterfaceModeLine(7), L"");
    EXPECT_EQ(CDiffAgeWatch::InterfaceModeLine(0), L"interfacemode,com2,rtca,novatel\r\n");
}

}  // namespace

namespace {

// Streams a receiver should never send: a line of 10 MB without a CR, bytes
// that are not GBK, zero bytes and fields left empty. Every parser copes.
TEST(BadInput, HugeBinaryAndEmptyLinesLeaveTheDecodersWhole) {
    std::string huge = "\n$GPGGA";
    while (huge.size() < 10 * 1024 * 1024) huge += ",1234.5,\x81\xff,#BESTPOSA,*";
    std::string binary = "$GPGSV,3,1,\xff\xfe\x80,\0\0,";
    binary.append(1, '\0');
    binary += "#BESTPOSA*00000000\x80\r";
    const std::string empty = "$GPGGA,,,,,,,,,,,,,,*56\r";
    CFakeReceiverHost host;
    CReceiverParser parser(&host);
    for (const std::string& bytes : {huge, binary, empty}) {
        SurveyRecord rec;
        const CString line = ReceivedLineText(bytes.data(), bytes.size());
        EXPECT_TRUE(line == quorvel::FromGbk(bytes.data(), bytes.size()));
        EXPECT_EQ(GpsSentenceType(line), bytes == binary ? kSentenceGsv : kSentenceGga);
        for (int type = 0; type <= 15; ++type) {
            CString copy = line;
            parser.Parse(type, copy, &rec);
        }
        EXPECT_TRUE(std::isfinite(rec.dLat) && std::isfinite(rec.dX) && std::isfinite(rec.dHrms));
    }
}

}  // namespace
