// The receiver dispatcher in the running program, over the real link: the
// link start the settings ask for, the registry and port failures, a boat
// at 10 Hz reaching the current screen, GGAs with spoiled checksums kept
// out of the recording and off the screens, the posted position not changed
// by the sentences behind it, the receiver's replies, position and base
// logs driving the LEDs, the radio set-up and the base file, the GGA relay,
// and reconnections while the receiver streams.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "app/FrameMessages.h"
#include "app/link/ReceiverLinkStart.h"
#include "app/recording/DataView.h"
#include "app/shell/AppGlobals.h"
#include "platform/base/TextConv.h"
#include "platform/device/Leds.h"
#include "platform/files/Registry.h"
#include "platform/serial/LineState.h"
#include "platform/serial/PortMap.h"
#include "platform/testing/ProcessCounts.h"
#include "platform/testing/SlotUart.h"
#include "receiver/link/ByteBuffer.h"
#include "receiver/link/PeripheralControl.h"
#include "receiver/link/PortMessages.h"
#include "res/resource.h"
#include "sim/GnssModel.h"
#include "sim/GnssSimulator.h"
#include "sim/Nmea.h"
#include "sim/ReceiverLogs.h"
#include "tests/app/shell/DispatchTest.h"

namespace shelltest {
namespace {

namespace sim = quorvel::sim;

std::vector<std::string> LinkReference(const std::string& name) {
    std::ifstream in(std::string(QUORVEL_SOURCE_DIR) + "/tests/receiver/link/data/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    EXPECT_FALSE(lines.empty()) << name;
    return lines;
}

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    std::stringstream in(text);
    for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
    return fields;
}

// Degrees of an NMEA angle field and its hemisphere.
double Angle(const std::string& field, int degreeDigits, const std::string& hemisphere) {
    const double deg =
        std::stod(field.substr(0, degreeDigits)) + std::stod(field.substr(degreeDigits)) / 60.0;
    return hemisphere == "S" || hemisphere == "W" ? -deg : deg;
}

// The GGA the simulator sent for the fix's time (local, zone +8).
std::string SentGga(const sim::GnssSimOptions& options, const SurveyRecord& fix) {
    int year, month, day, startSeconds;
    sim::CivilFromUnix(options.scenario.startUnixSeconds, year, month, day, startSeconds);
    const double utc = ((fix.nHour - 8 + 24) % 24) * 3600.0 + fix.nMinute * 60.0 + fix.dSecond;
    const long index = std::lround((utc - startSeconds) * options.rateHz);
    const sim::GnssModel model(options.scenario);
    return sim::GgaSentence(model.EpochAt(static_cast<double>(index) / options.rateHz));
}

// The lines of a text cut at LF, each without its CR LF; empty ones dropped.
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// Whether a sentence's two checksum digits are those of its body.
bool ChecksumGood(const std::string& sentence) {
    const size_t star = sentence.rfind('*');
    return star != std::string::npos && star + 3 <= sentence.size() &&
           sentence.substr(star + 1, 2) == sim::NmeaChecksum(sentence.substr(1, star - 1));
}

// A position as the GGA it came from gives it: each field the GGA sets, as
// the GGA's text has it.
void ExpectFromGga(const SurveyRecord& fix, const std::string& gga) {
    SCOPED_TRACE(gga);
    const std::vector<std::string> f = Fields(gga.substr(0, gga.rfind('*')));
    ASSERT_GE(f.size(), 12u);
    EXPECT_EQ(fix.nHour, (std::stoi(f[1].substr(0, 2)) + 8) % 24);
    EXPECT_EQ(fix.nMinute, std::stoi(f[1].substr(2, 2)));
    EXPECT_EQ(fix.dSecond, std::stod(f[1].substr(4)));
    EXPECT_NEAR(fix.dLat, Angle(f[2], 2, f[3]), 1e-12);
    EXPECT_NEAR(fix.dLon, Angle(f[4], 3, f[5]), 1e-12);
    EXPECT_EQ(fix.dHeight, std::stod(f[9]) + std::stod(f[11]));
    EXPECT_EQ(fix.nSatsUsed, std::stoi(f[7]));
    EXPECT_EQ(fix.dDop, std::stod(f[8]));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

class DispatchFlowTest : public DispatchTest {
  protected:
    // A new program on the same root, its link started from `change`.
    void Restart(void (*change)(SystemParams&)) {
        if (CWnd* main = m_app->m_pMainWnd) main->DestroyWindow();
        Pump();
        delete m_app;
        m_app = new CVendropApp;
        StartProgram(change);
    }
    // Reconnects through the start routine, the log of the last start
    // forgotten.
    void Reconnect() {
        m_sim->Log().Clear();
        StartReceiverLink(Doc(), *Frame());
    }
    // The log of a link start. The reader of the link just replaced may
    // still send its two read-loop frames after the log was cleared; they
    // belong to the last start, not to this one.
    std::vector<std::string> StartEntries() const {
        std::vector<std::string> entries = LogEntries();
        size_t leading = 0;
        while (leading < entries.size() && entries[leading].rfind("FRAME id=53 ", 0) == 0)
            ++leading;
        entries.erase(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(leading));
        return entries;
    }
    // Waits until the simulator's log holds `count` entries of a link
    // start, the clock moved on only until its read loop runs.
    bool WaitForLog(size_t count) {
        return RunLinkToItsReadLoop() &&
               Serve([&] { return StartEntries().size() >= count; }, 20000);
    }
};

TEST_F(DispatchFlowTest, TheLinkStartsAsTheSettingsSayOnEveryStartAndReconnection) {
    // Port choice 0, the board in the expansion slot (powered, as a
    // handheld comes): COM5 and its sequence.
    quorvel::ResetSerialPortPower();
    quorvel::ResetPeripheralControl();
    StartReceiver();
    StartProgram([](SystemParams& p) { p.Port = 0; });
    const std::vector<std::string> slot = LinkReference("link-start-com5-format0.txt");
    ASSERT_TRUE(WaitForLog(slot.size())) << Joined(LogEntries());
    EXPECT_EQ(LogEntries(), slot);
    // A receiver cable on COM1, for each correction format.
    static int format;
    for (format = 0; format < 4; ++format) {
        StartReceiver();
        Restart([](SystemParams& p) {
            p.Port = 1;
            p.nRadioFormat = format;
        });
        const std::vector<std::string> expected =
            LinkReference("link-start-com1-format" + std::to_string(format) + ".txt");
        ASSERT_TRUE(WaitForLog(expected.size())) << format;
        EXPECT_EQ(StartEntries(), expected) << "format " << format;
        EXPECT_EQ(Doc().m_nReceiverType.load(), 3);
        // A reconnection starts the link the same way.
        Reconnect();
        ASSERT_TRUE(WaitForLog(expected.size())) << format;
        EXPECT_EQ(StartEntries(), expected) << "format " << format;
    }
    EXPECT_EQ(Boxes(*m_modals), "");
}

TEST_F(DispatchFlowTest, AnUnsetUartIsSetOnceWithItsNoticeAndAMissingPortIsSaidTwice) {
    quorvel::testing::SetFfuart(0);
    StartReceiver();
    m_modals->ExpectMessageBox(L"已经修改GPS串口配置，请将手持机热启动！").Answer(IDOK);
    StartProgram([](SystemParams& p) { p.Port = 1; });
    ASSERT_TRUE(BringUpLink());
    EXPECT_EQ(quorvel::testing::Ffuart(), 1u);
    Reconnect();  // set now: no second notice
    ASSERT_TRUE(BringUpLink());
    EXPECT_EQ(m_modals->Pending(), 0);

    quorvel::ClearSerialPortMappings();
    m_modals->ExpectMessageBox(L"无法打开串口,错误码2").Answer(IDOK);
    m_modals->ExpectMessageBox(L"端口打开失败,请重新连接!").Answer(IDOK);
    StartReceiverLink(Doc(), *Frame());
    ASSERT_TRUE(Serve([&] { return m_modals->Pending() == 0; }));
    EXPECT_FALSE(g_gpsComm.IsOpen());
    // The program runs on: with its receiver back, the next connection
    // brings positions again.
    StartReceiver();
    Reconnect();
    Doc().m_bGpsData = 0;
    ASSERT_TRUE(Serve([&] { return AdvanceUntil([] { return g_pDoc->m_bGpsData; }, 50); }));
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(DispatchFlowTest, ABoatAtTenHertzReachesTheScreenOncePerGgaInEverySolution) {
    const int qualities[] = {1, 2, 5, 4};
    const wchar_t* statuses[] = {L"单点解", L"差分解", L"浮点解", L"固定解"};
    ScreenWindow screen;
    for (int q = 0; q < 4; ++q) {
        sim::GnssSimOptions options;
        options.rateHz = 10;
        options.scenario.fixedQuality = qualities[q];
        if (q == 0) {
            StartProgram([](SystemParams& p) { p.Port = 1; });
            Frame()->SetViewWnd(screen.Handle());
        } else {
            StartReceiverLink(Doc(), *Frame());
        }
        ASSERT_TRUE(RunLinkToItsReadLoop());
        m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
        // The boat's GGAs a tenth of a second apart, each taken by the
        // dispatcher before the next is written: the current screen's
        // position is posted, so a machine too slow to keep up would
        // otherwise see a later fix twice.
        const sim::GnssModel model(options.scenario);
        screen.positions.clear();
        for (int i = 0; i < 12; ++i)
            ASSERT_TRUE(Deliver(sim::GgaSentence(model.EpochAt(i / 10.0)))) << i;
        ASSERT_EQ(screen.positions.size(), 12u);
        CCoordTransform engine = Doc().m_coordTransform;
        double previous = -1;
        for (const ScreenWindow::Seen& seen : screen.positions) {
            const SurveyRecord& fix = seen.fix;
            const std::vector<std::string> f = Fields(SentGga(options, fix));
            SCOPED_TRACE(SentGga(options, fix));
            EXPECT_NEAR(fix.dLat, Angle(f[2], 2, f[3]), 1e-9);
            EXPECT_NEAR(fix.dLon, Angle(f[4], 3, f[5]), 1e-9);
            EXPECT_NEAR(fix.dHeight, std::stod(f[9]) + std::stod(f[11]), 0.001);
            double x, y, h;
            engine.Wgs84ToGrid(fix.dLat, fix.dLon, fix.dHeight, Doc().m_coordParams, x, y, h);
            EXPECT_NEAR(fix.dX, x, 0.001);
            EXPECT_NEAR(fix.dY, y, 0.001);
            EXPECT_EQ(fix.strStatus, CString(statuses[q]));
            // Speed and heading against the position before.
            if (&seen != &screen.positions.front()) {
                const SurveyRecord& before = (&seen - 1)->fix;
                const double dx = fix.dX - before.dX, dy = fix.dY - before.dY;
                EXPECT_NEAR(fix.dSpeed, std::hypot(dx, dy) / 0.1, 1e-6);
                double heading = std::atan2(dy, dx);
                if (heading < 0) heading += 6.2831853071794;
                EXPECT_NEAR(fix.dHeading, heading, 1e-9);
            }
            EXPECT_EQ(seen.curFix.dLat, fix.dLat);
            EXPECT_EQ(seen.curFix.dLon, fix.dLon);
            EXPECT_EQ(seen.curFix.dX, fix.dX);
            EXPECT_EQ(seen.curFix.strStatus, fix.strStatus);
            // One position per GGA: every tenth of a second, none twice.
            const double t = fix.nMinute * 60 + fix.dSecond;
            if (previous >= 0) {
                EXPECT_NEAR(t - previous, 0.1, 1e-6);
            }
            previous = t;
        }
    }
}

// The receiver's sentences with every Nth checksum spoiled, as the
// simulator sends them at 1 Hz (ZDA, GGA, GST, GSA, GSV), over the real
// link into a running recording.
TEST_F(DispatchFlowTest, AGgaWithABadChecksumIsNeitherRecordedNorShown) {
    ScreenWindow screen;
    StartProgram([](SystemParams& p) {
        p.Port = 1;
        p.SoundUse = 0;
    });
    Frame()->SetViewWnd(screen.Handle());
    ASSERT_TRUE(RunLinkToItsReadLoop());
    m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
    auto* dataView = static_cast<CDataView*>(CWnd::FromHandle(Frame()->m_hDataView));
    // Feeds epochs [from, to) of a receiver spoiling every `badEvery`th
    // sentence; returns the GGAs that went out whole.
    auto feed = [&](int badEvery, int from, int to) {
        sim::GnssSimOptions options;
        options.badChecksumEvery = badEvery;
        sim::GnssOutput output(options);
        std::vector<std::string> good;
        for (int i = 0; i < to; ++i) {
            const std::vector<std::string> chunks = output.EpochChunks(i);
            if (i < from) continue;
            for (const std::string& chunk : chunks) {
                for (const std::string& line : TextLines(chunk)) {
                    EXPECT_TRUE(Deliver(line + "\r\n")) << line;
                    if (line.rfind("$GPGGA,", 0) == 0 && ChecksumGood(line)) good.push_back(line);
                }
            }
        }
        return good;
    };
    auto recorded = [&] {
        const std::string text =
            Doc().m_strRawFile.IsEmpty() ? "" : ReadDevice(Doc().m_strRawFile.GetString());
        return TextLines(text);
    };

    // Every checksum spoiled: the data make a measurement possible, but
    // there is no position anywhere and nothing is recorded.
    ASSERT_TRUE(feed(1, 0, 1).empty());
    m_modals->ExpectMessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?").Answer(IDYES);
    Frame()->SendMessage(WM_COMMAND, ID_MEASURE_START);
    Pump();
    ASSERT_TRUE(Doc().m_bMeasuring);
    ASSERT_TRUE(feed(1, 1, 6).empty());
    Pump();
    EXPECT_TRUE(recorded().empty());
    EXPECT_TRUE(screen.positions.empty());
    EXPECT_EQ(Doc().m_curFix.dLat, 0.0);
    EXPECT_EQ(quorvel::ToUtf8(dataView->ValueOf(L"坐标x")), "");
    EXPECT_EQ(quorvel::ToUtf8(dataView->ValueOf(L"状态")), "");
    EXPECT_EQ(quorvel::ToUtf8(Frame()->m_strCurGga), "");

    // One sentence in five spoiled, GGAs among them: the good epochs, each
    // once and in order, on the screen and in the file.
    const std::vector<std::string> good = feed(5, 6, 26);
    ASSERT_GE(good.size(), 10u);
    ASSERT_LE(good.size(), 18u);  // some GGAs were spoiled
    Pump();
    const std::vector<std::string> lines = recorded();
    ASSERT_EQ(screen.positions.size(), good.size());
    ASSERT_EQ(lines.size(), good.size());
    for (size_t i = 0; i < good.size(); ++i) {
        const SurveyRecord& fix = screen.positions[i].fix;
        ExpectFromGga(fix, good[i]);
        CString time;
        CCoordTransform::FormatTimeHMS(time, fix.nHour, fix.nMinute, fix.dSecond);
        EXPECT_EQ(Fields(lines[i])[2], quorvel::ToUtf8(time)) << lines[i];
    }
    EXPECT_EQ(quorvel::ToUtf8(Frame()->m_strCurGga), good.back());
    EXPECT_EQ(m_modals->Pending(), 0);
}

// The reader sends each sentence and the frame handles it before anything
// posted, so at 20 Hz the GSA, the GSVs and the next GGA are through the
// dispatcher before the current screen reads the position it was posted.
TEST_F(DispatchFlowTest, TheCurrentScreenReadsEachPostedPositionAsItsGgaGaveIt) {
    StartProgram([](SystemParams& p) { p.Port = 1; });
    ASSERT_TRUE(RunLinkToItsReadLoop());
    m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
    // A line as the reader hands it over: up to its CR, then a 0.
    auto dispatch = [](const std::string& sentence) {
        CByteBuffer buffer;
        const std::string line = sentence.substr(0, sentence.size() - 1);  // without the LF
        buffer.Append(line.data(), static_cast<DWORD>(line.size()));
        const char zero = 0;
        buffer.Append(&zero, 1);
        GetMainFrame()->SendMessage(WM_GPS_SENTENCE, reinterpret_cast<WPARAM>(&buffer),
                                    kGpsSentenceMark);
    };
    sim::GnssScenario scenario;
    const sim::GnssModel model(scenario);
    std::vector<std::string> ggas;
    auto second = [&](int first) {
        ggas.clear();
        for (int i = first; i < first + 20; ++i) {
            const sim::NmeaEpoch e = model.EpochAt(i / 20.0);
            ggas.push_back(sim::GgaSentence(e));
            dispatch(ggas.back());
            dispatch(sim::GstSentence(e));
            dispatch(sim::GsaSentence(e));
            for (const std::string& gsv : sim::GsvSentences(e)) dispatch(gsv);
        }
    };
    {
        ScreenWindow screen;
        Frame()->SetViewWnd(screen.Handle());
        second(0);
        EXPECT_EQ(Frame()->m_postedFixes.size(), 20u);  // one copy per post, none handled yet
        Pump();
        ASSERT_EQ(screen.positions.size(), 20u);
        for (size_t i = 0; i < ggas.size(); ++i) ExpectFromGga(screen.positions[i].fix, ggas[i]);
        EXPECT_TRUE(Frame()->m_postedFixes.empty());

        // A screen that goes before its positions are handled takes them
        // with it; their copies go all the same.
        second(20);
        EXPECT_EQ(Frame()->m_postedFixes.size(), 20u);
        screen.positions.clear();
    }
    Pump();
    EXPECT_TRUE(Frame()->m_postedFixes.empty());
    Frame()->SetViewWnd(nullptr);
    second(40);
    EXPECT_TRUE(Frame()->m_postedFixes.empty());
}

TEST_F(DispatchFlowTest, RepliesAreAnsweredAndThePortFrameSetsTheLink) {
    sim::GnssSimOptions options;
    options.portFrameAtS = 3;  // once the link is up
    StartReceiver(options);
    StartProgram([](SystemParams& p) { p.Port = 2; });  // the Bluetooth module, 9600
    ASSERT_TRUE(BringUpLink());
    EXPECT_EQ(g_gpsComm.m_nBaud, 9600);
    ASSERT_TRUE(Serve([] { return g_gpsComm.m_nBaud == 57600; }));
    EXPECT_EQ(g_gpsComm.m_nPort, 1);

    // A reply is taken from the line it arrives in: one frame, one box.
    m_modals->ExpectMessageBox(L"复位成功!").Answer(IDOK);
    g_gpsComm.SendFrame(40, 0, L"");
    ASSERT_TRUE(Serve([&] { return m_modals->Pending() == 0; }));
    m_modals->ExpectMessageBox(L"关机成功!").Answer(IDOK);
    g_gpsComm.SendFrame(81, 0, L"");
    ASSERT_TRUE(Serve([&] { return m_modals->Pending() == 0; }));

    // A shut-down reply with payload 1 says nothing.
    ASSERT_TRUE(Serve([&] { return m_modals->Pending() == 0; }));
    options.portFrameAtS = -1;
    options.shutdownAnswer = 1;
    StartReceiver(options);
    StartReceiverLink(Doc(), *Frame());
    ASSERT_TRUE(BringUpLink());
    g_gpsComm.SendFrame(81, 0, L"");
    // Lines go on arriving after the reply, and no box comes.
    for (int i = 0; i < 3; ++i) {
        Doc().m_bGpsData = 0;
        ASSERT_TRUE(Serve([] { return g_pDoc->m_bGpsData != 0; }));
    }
    const std::string boxes = Boxes(*m_modals);
    EXPECT_EQ(boxes.find("关机成功!"), boxes.rfind("关机成功!")) << boxes;
}

TEST_F(DispatchFlowTest, PositionLogsDriveTheLedsAndTheRadioSetUpAndBaseLogsTheBaseFile) {
    StartProgram([](SystemParams& p) {
        p.Port = 1;
        p.nRadioFormat = 2;
    });
    ASSERT_TRUE(RunLinkToItsReadLoop());
    m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
    sim::NmeaEpoch epoch;
    epoch.secondsOfDay = 8 * 3600;
    epoch.latDeg = 51.15;
    epoch.lonDeg = -114.03;
    epoch.heightM = 1098.5;
    auto send = [&](int quality, double age) {
        epoch.quality = quality;
        epoch.diffAgeS = age;
        return Deliver(sim::BestPosLog(epoch));
    };
    // Fresh corrections blink LED 0 on alternate logs.
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(send(4, 1 + i % 3));
        EXPECT_EQ(quorvel::device::LedIsOn(0), i % 2 == 1) << i;
        EXPECT_FALSE(quorvel::device::LedIsOn(4));
        EXPECT_TRUE(Doc().m_bDiffAlive);
    }
    // Thirty logs without corrections count; the 31st sets the radio port
    // up again, once.
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(send(1, 0));
    EXPECT_FALSE(quorvel::device::LedIsOn(0));
    EXPECT_TRUE(quorvel::device::LedIsOn(4));
    EXPECT_FALSE(Doc().m_bDiffAlive);
    ASSERT_TRUE(Deliver(sim::BestPosLog(epoch)));
    EXPECT_EQ(m_receiver.ReadUntil("saveconfig\r\n\r\n"),
              "com,com2,9600\r\n\r\ninterfacemode,com2,cmr,novatel\r\n\r\nsaveconfig\r\n\r\n");
    EXPECT_EQ(Frame()->m_nNoDiffCount, 0);
    // A receiver of the other family is never reconfigured.
    Doc().m_nReceiverVariant = 1;
    for (int i = 0; i < 31; ++i) ASSERT_TRUE(Deliver(sim::BestPosLog(epoch)));
    EXPECT_EQ(Frame()->m_nNoDiffCount, 30);
    EXPECT_EQ(m_receiver.ReadUntil("saveconfig", 300), "");

    // Base logs on a job about central meridian -114: a new base is one line
    // of the base file and a rewritten .par; the same base again and an
    // empty log add nothing.
    Doc().m_coordParams.szdCenter = -114.0;
    Doc().LoadCoordTransform();
    const std::string base = sim::RefStationLog(epoch, 51.15, -114.03, 1098.5);
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(Deliver(base));
    ASSERT_TRUE(Deliver(sim::RefStationLog(epoch, 0, 0, -6378137.0)));
    EXPECT_TRUE(Doc().m_bBaseChanged);
    LPCTSTR par = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par";
    EXPECT_NE(ReadDevice(par).find("51.09"), std::string::npos);
    const std::string lines = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\result\\basecoord.RTK");
    EXPECT_EQ(lines.rfind("NowBase,51.09", 0), 0u) << lines;
    EXPECT_NE(lines.find(",-114.01", 0), std::string::npos) << lines;
    EXPECT_EQ(lines.find("\r\n"), lines.size() - 2) << lines;
    EXPECT_EQ(lines.substr(lines.size() - 11), ",00000000\r\n");
}

// A new base while a raw record runs puts a base line into the record too.
// A record that refuses it is told once, as recording tells its epochs; the
// base file still takes its line, and once the record takes lines again
// the next base goes in.
TEST_F(DispatchFlowTest, ABaseLineTheRawRecordRefusesIsToldOnce) {
    StartProgram([](SystemParams& p) { p.Port = 1; });
    ASSERT_TRUE(RunLinkToItsReadLoop());
    m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
    Doc().m_coordParams.szdCenter = -114.0;
    Doc().LoadCoordTransform();
    const CString& data = Doc().m_strDataFile;
    const CString raw = Doc().m_strDataDir + data.Left(data.GetLength() - 3) + L"RTK";
    WriteDevice(raw, "");
    SetReadOnly(raw, true);
    sim::NmeaEpoch epoch;
    epoch.secondsOfDay = 8 * 3600;
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    ASSERT_TRUE(Deliver(sim::RefStationLog(epoch, 51.15, -114.03, 1098.5)));
    ASSERT_TRUE(Deliver(sim::RefStationLog(epoch, 51.16, -114.03, 1098.5)));
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(ReadDevice(raw), "");
    const std::string bases = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\result\\basecoord.RTK");
    EXPECT_EQ(std::count(bases.begin(), bases.end(), '\n'), 2) << bases;
    SetReadOnly(raw, false);
    ASSERT_TRUE(Deliver(sim::RefStationLog(epoch, 51.17, -114.03, 1098.5)));
    EXPECT_NE(ReadDevice(raw), "");
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(DispatchFlowTest, TheGgaIsRelayedAtTheFirstFixedEpochThenEveryInterval) {
    StartProgram([](SystemParams& p) {
        p.Port = 1;
        p.GSMSendTimeInterval = 3;
    });
    ASSERT_TRUE(RunLinkToItsReadLoop());
    m_receiver.ReadUntil("no such text", 300);  // the link start
    Doc().m_bLinkFlagR = 1;
    sim::GnssScenario scenario;
    scenario.fixedQuality = 4;
    const sim::GnssModel model(scenario);
    std::vector<std::string> ggas;
    for (int i = 0; i < 8; ++i) {
        ggas.push_back(sim::GgaSentence(model.EpochAt(i)));
        ASSERT_TRUE(Deliver(ggas.back()));
        // The first fixed epoch sends its own GGA; the next one, which has
        // moved from nowhere, becomes the GGA to relay every third epoch.
        const bool due = i % 3 == 0;
        const std::string gga = ggas[i == 0 ? 0 : 1].substr(0, ggas[0].size() - 2);
        const std::string expected = "send com2 \"" + gga + "\r\n\"\r\n\r\nsend com2 \"" + gga +
                                     "\"\r\n\r\nsendhex com2 2 0D0A\r\n\r\n";
        EXPECT_EQ(m_receiver.ReadUntil("0D0A\r\n\r\n", due ? 5000 : 100), due ? expected : "")
            << "epoch " << i;
    }
}

TEST_F(DispatchFlowTest, ReconnectionsWhileStreamingLeaveOneReaderAndNoDescriptor) {
    sim::GnssSimOptions options;
    options.rateHz = 20;
    StartReceiver(options);
    StartProgram([](SystemParams& p) { p.Port = 1; });
    ASSERT_TRUE(BringUpLink());
    const int descriptors = quorvel::testing::CountLastingDescriptors(m_root);
    const int threads =
        quorvel::testing::SettledThreads(quorvel::testing::CountEntries("/proc/self/task"));
    for (int i = 0; i < 200; ++i) {
        StartReceiverLink(Doc(), *Frame());
        AdvanceUntil([] { return g_gpsComm.IsOpen(); }, 200);
        if (i % 50 == 0) {
            Doc().m_bGpsData = 0;
            ASSERT_TRUE(Serve([&] { return AdvanceUntil([] { return g_pDoc->m_bGpsData; }, 50); }))
                << "no line after reconnection " << i;
        }
    }
    Doc().m_bGpsData = 0;
    ASSERT_TRUE(Serve([&] { return AdvanceUntil([] { return g_pDoc->m_bGpsData; }, 50); }));
    EXPECT_EQ(quorvel::testing::CountLastingDescriptors(m_root), descriptors);
    EXPECT_LE(quorvel::testing::SettledThreads(threads), threads);
    EXPECT_EQ(Boxes(*m_modals), "");
}

}  // namespace
}  // namespace shelltest
