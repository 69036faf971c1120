// The echo sounder in the running program, with the simulated sounder on a
// pseudo-terminal as its port: a depth-only run from its question to its
// stop, the connect command, the refusals when the sounder is not in use
// or its port cannot be opened, and the frame closing the port as it goes.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "app/shell/ProgramControl.h"
#include "platform/base/Clock.h"
#include "platform/base/TextConv.h"
#include "platform/files/StoreSpace.h"
#include "platform/serial/LineState.h"
#include "platform/testing/WaitUntil.h"
#include "platform/win/WinInternal.h"
#include "sim/Sounder.h"
#include "tests/app/recording/RecordingTest.h"

namespace shelltest {
namespace {

constexpr int kSounderPort = 2;

class SounderRecordingTest : public RecordingTest {
  protected:
    void TearDown() override {
        RecordingTest::TearDown();
        if (m_sim) m_sim->Stop();
    }
    void StartSimulator(int type) {
        m_options.type = type;
        m_options.rateHz = 40;
        m_options.periodS = 2.0;
        m_options.linkPath = m_root + "/sounder";
        m_sim = std::make_unique<quorvel::sim::SounderSimulator>(m_options);
        std::string error;
        ASSERT_TRUE(m_sim->Start(error)) << error;
        quorvel::MapSerialPort(kSounderPort, m_sim->Path());
    }
    // Serves the sounder's reader until `done` holds (real time: the
    // simulator paces its telegrams by the host's clock).
    static ::testing::AssertionResult ServeUntil(const std::function<bool()>& done,
                                                 const char* what) {
        return quorvel::testing::WaitUntil(done, what, quorvel::testing::kWaitMs, [] {
            quorvel::win::ServeSentMessages();
            usleep(500);
        });
    }
    // The simulator's telegrams from `from` on, the first whose depth
    // written with two decimals is `text`; -1 when none of those sent is.
    int64_t TelegramWithDepth(const std::string& text, int64_t from) const {
        for (int64_t n = from; n < static_cast<int64_t>(m_sim->TelegramsSent()); ++n) {
            double depth = 0;
            quorvel::sim::SounderTelegramAt(m_options, n, &depth);
            char written[32];
            std::snprintf(written, sizeof written, "%.2f", depth);
            if (!std::isnan(depth) && text == written) return n;
        }
        return -1;
    }

    quorvel::sim::SounderSimOptions m_options;
    std::unique_ptr<quorvel::sim::SounderSimulator> m_sim;
};

void SounderOnPort2(SystemParams& p) {
    p.SoundUse = 1;
    p.SoundPort = kSounderPort;
    p.SoundType = 0;
    p.dDeepInterTime = 3.0;
    p.nTimeZone = 8;
}

// Every line is one the simulator's depths made, in the order it sent
// them, one line for every third second that brought a new depth; local
// midnight is hour 24 of the UTC date.
TEST_F(SounderRecordingTest, ADepthOnlyRunWritesTheSoundersDepthsUntilItIsStopped) {
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 16, 29, 57, 0});
    StartSimulator(0);
    StartWith(SounderOnPort2);  // 16:29:58
    m_modals->ExpectMessageBox(L"未收到GPS定位数据,确定只采集水深数据吗?").Answer(IDYES);
    Key('C');
    ASSERT_TRUE(Doc().m_bDepthOnly);
    EXPECT_EQ(Doc().m_strRawFile, CString(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.deh"));
    EXPECT_TRUE(quorvel::GetSerialLineState(kSounderPort).open);
    for (int second = 0; second < 9; ++second) {
        ASSERT_TRUE(ServeUntil([] { return DataView()->m_depth.bNewDepth[0] != 0; },
                               "a new depth in the data view"));
        Advance(1000);
    }
    m_modals->ExpectMessageBox(L"请首先停止测量").Answer(IDOK);
    Frame()->SendMessage(WM_CLOSE);
    Key('D');
    EXPECT_FALSE(Doc().m_bDepthOnly);
    EXPECT_FALSE(quorvel::GetSerialLineState(kSounderPort).open);

    const std::vector<std::string> lines = Lines(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.deh");
    const char* heads[] = {"0,2012-06-01,24:30:01,", "1,2012-06-01,24:30:04,",
                           "2,2012-06-01,24:30:07,"};
    ASSERT_EQ(lines.size(), 3u);
    int64_t telegram = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].substr(0, 22), heads[i]);
        telegram = TelegramWithDepth(lines[i].substr(22), telegram);
        EXPECT_GE(telegram, 0) << lines[i];
    }
    EXPECT_TRUE(::IsWindow(Frame()->m_hWnd));
}

// A depth line the full store does not take is told, leaves nothing torn
// and takes no number: the next line that goes out has it.
TEST_F(SounderRecordingTest, ADepthLineTheStoreCannotTakeIsToldAndTakesNoNumber) {
    struct Unlimit {
        ~Unlimit() { quorvel::files::UnlimitStoreSpaceForTest(); }
    } unlimit;
    quorvel::UseVirtualClock(SYSTEMTIME{2012, 6, 5, 1, 16, 29, 57, 0});
    StartSimulator(0);
    StartWith(SounderOnPort2);
    m_modals->ExpectMessageBox(L"未收到GPS定位数据,确定只采集水深数据吗?").Answer(IDYES);
    Key('C');
    ASSERT_TRUE(Doc().m_bDepthOnly);
    LPCTSTR deh = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.deh";
    bool limited = false;
    bool freed = false;
    for (int second = 0; second < 9; ++second) {
        if (!limited && IsFile(deh) && Lines(deh).size() == 1) {
            quorvel::files::LimitStoreSpaceForTest(0);
            m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
            limited = true;
        } else if (limited && !freed && m_modals->Pending() == 0) {
            quorvel::files::UnlimitStoreSpaceForTest();
            freed = true;
        }
        ASSERT_TRUE(ServeUntil([] { return DataView()->m_depth.bNewDepth[0] != 0; },
                               "a new depth in the data view"));
        Advance(1000);
    }
    Key('D');
    ASSERT_TRUE(freed);
    const std::string bytes = ReadDevice(deh);
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    const std::vector<std::string> lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(0, 22), "0,2012-06-01,24:30:01,");
    EXPECT_EQ(lines[1].substr(0, 22), "1,2012-06-01,24:30:07,");
    EXPECT_EQ(Doc().m_nPointCounter, 2);
}

TEST_F(SounderRecordingTest, ConnectingShowsTheDepthsAndTheFrameClosesThePortAsItGoes) {
    StartSimulator(2);
    StartWith([](SystemParams& p) {
        SounderOnPort2(p);
        p.SoundType = 2;
    });
    Frame()->SendMessage(WM_COMMAND, ID_CONNECT_SOUNDER);
    EXPECT_TRUE(Doc().m_bSounderActive && Doc().m_bSounderOn);
    EXPECT_FALSE(CommandEnabled(ID_CONNECT_SOUNDER));
    EXPECT_TRUE(CommandEnabled(ID_MEASURE_STOP));
    ASSERT_TRUE(ServeUntil([] { return DataView()->m_depth.bNewDepth[0] != 0; },
                           "a depth from the sounder"));
    Advance(1000);
    // A depth of the simulator's profile (12 m, 3 m either way), in
    // centimetres as this sounder sends them, with three decimals.
    const std::string shown = quorvel::ToUtf8(DataView()->ValueOf(L"水深"));
    ASSERT_EQ(shown.size(), shown.find('.') + 4) << shown;
    EXPECT_EQ(shown.back(), '0');
    EXPECT_NEAR(std::stod(shown), 12.0, 3.0);
    m_modals->ExpectMessageBox(L"请首先停止测量").Answer(IDOK);
    Frame()->SendMessage(WM_CLOSE);

    // The run ends while the reader sends: the port is closed and its
    // reader joined with the window.
    quorvel::app::EndProgramWithoutQuestions();
    EXPECT_EQ(m_app->m_pMainWnd, nullptr);
    EXPECT_FALSE(quorvel::GetSerialLineState(kSounderPort).open);
}

TEST_F(SounderRecordingTest, ASounderNotInUseOrWhosePortWillNotOpenIsSaidSo) {
    StartSimulator(0);
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org", "");
    StartWith([](SystemParams& p) {
        SounderOnPort2(p);
        p.SoundPort = 7;  // no device behind it
    });
    Doc().m_bGpsData = 1;
    m_modals->ExpectMessageBox(L"测深仪端口打开失败,请检查").Answer(IDOK);
    Key('C');
    EXPECT_FALSE(Doc().m_bMeasuring);
    EXPECT_EQ(SavedSettings().nSFStartID, 1);  // written before the port was tried
    m_modals->ExpectMessageBox(L"测深仪端口打开失败,请检查").Answer(IDOK);
    Frame()->SendMessage(WM_COMMAND, ID_CONNECT_SOUNDER);
    EXPECT_FALSE(Doc().m_bSounderActive);

    // A type the program does not know is refused before the port opens.
    Doc().m_sysParams.SoundPort = kSounderPort;
    Doc().m_sysParams.SoundType = 4;
    m_modals->ExpectMessageBox(L"测深仪端口打开失败,请检查").Answer(IDOK);
    Frame()->SendMessage(WM_COMMAND, ID_CONNECT_SOUNDER);
    EXPECT_FALSE(quorvel::GetSerialLineState(kSounderPort).open);

    Doc().m_sysParams.SoundUse = 0;
    m_modals
        ->ExpectMessageBox(
            L"1.当前未使用测深仪\r\n2.连接仪器的目的是检查测深仪数据\r\n3.开始测量后存储数据")
        .Answer(IDOK);
    Frame()->SendMessage(WM_COMMAND, ID_CONNECT_SOUNDER);
    EXPECT_FALSE(Doc().m_bSounderActive);
    EXPECT_EQ(m_modals->Pending(), 0);
}

}  // namespace
}  // namespace shelltest
