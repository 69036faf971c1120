// The boxes of failed writes in the running program, over the real link: a
// box about a base file never holds the receiver up (the epochs sent while
// it is up are recorded), and a run of base logs tells each of its files
// once, again only after that file has taken a line.
#include <algorithm>
#include <filesystem>
#include <string>

#include "app/shell/AppGlobals.h"
#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "sim/GnssModel.h"
#include "sim/Nmea.h"
#include "sim/ReceiverLogs.h"
#include "tests/app/shell/DispatchTest.h"

namespace shelltest {
namespace {

namespace fs = std::filesystem;
namespace sim = quorvel::sim;

constexpr LPCTSTR kFailed = L"文件保存失败,请检查!";
constexpr LPCTSTR kParFailed = L"创建par文件错误,请检查错误!";
constexpr LPCTSTR kBaseFile = L"\\Flash Disk\\Jobs\\ruvo\\result\\basecoord.RTK";

class WriteNoteFlowTest : public DispatchTest {
  protected:
    // The program on the quiet receiver, its link reading, the job about
    // the base site's meridian.
    void Start(void (*change)(SystemParams&)) {
        StartProgram(change);
        ASSERT_TRUE(RunLinkToItsReadLoop());
        m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
        Doc().m_coordParams.szdCenter = -114.0;
        Doc().LoadCoordTransform();
    }
    bool DeliverBase(double latitude) {
        sim::NmeaEpoch epoch;
        epoch.secondsOfDay = 8 * 3600;
        return Deliver(sim::RefStationLog(epoch, latitude, -114.03, 1098.5));
    }
    static size_t LineCount(const std::string& text) {
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }
};

// A new base while recording, its line refused by the read-only raw record:
// the box is up while ten GGAs arrive, and each is handled and recorded.
TEST_F(WriteNoteFlowTest, ABoxAboutABaseLineHoldsUpNoEpoch) {
    Start([](SystemParams& p) {
        p.Port = 1;
        p.SoundUse = 0;
    });
    const sim::GnssModel model(sim::GnssScenario{});
    ASSERT_TRUE(Deliver(sim::GgaSentence(model.EpochAt(0))));
    m_modals->ExpectMessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?").Answer(IDYES);
    Frame()->SendMessage(WM_COMMAND, ID_MEASURE_START);
    Pump();
    ASSERT_TRUE(Doc().m_bMeasuring);
    const CString& data = Doc().m_strDataFile;
    const CString raw = Doc().m_strDataDir + data.Left(data.GetLength() - 3) + L"RTK";
    WriteDevice(raw, "");
    SetReadOnly(raw, true);

    int handled = 0;
    m_modals->ExpectMessageBox(kFailed)
        .Do([&](HWND) {
            for (int i = 1; i <= 10; ++i)
                handled += Deliver(sim::GgaSentence(model.EpochAt(i)), 3000);
        })
        .Answer(IDOK);
    ASSERT_TRUE(DeliverBase(51.15));
    Pump();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(handled, 10);
    EXPECT_EQ(LineCount(ReadDevice(Doc().m_strRawFile.GetString())), 10u);
    EXPECT_EQ(ReadDevice(raw), "");
    EXPECT_EQ(LineCount(ReadDevice(kBaseFile)), 1u);
}

// basecoord.RTK read-only and a folder in the .par's place: three moving
// bases bring one box for each file. With both writable the next base
// writes them without a box; the base file refusing again is told again.
TEST_F(WriteNoteFlowTest, ARunOfBaseLogsTellsEachFileOnce) {
    Start([](SystemParams& p) { p.Port = 1; });
    const CString par = Doc().m_strJobDir + Doc().m_strParName;
    WriteDevice(kBaseFile, "");
    SetReadOnly(kBaseFile, true);
    fs::remove(Host(par));
    fs::create_directory(Host(par));
    m_modals->ExpectMessageBox(kFailed).Answer(IDOK);
    m_modals->ExpectMessageBox(kParFailed).Answer(IDOK);
    for (double latitude : {51.15, 51.16, 51.17}) ASSERT_TRUE(DeliverBase(latitude));
    Pump();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(ReadDevice(kBaseFile), "");

    SetReadOnly(kBaseFile, false);
    fs::remove(Host(par));
    ASSERT_TRUE(DeliverBase(51.18));
    Pump();
    EXPECT_EQ(LineCount(ReadDevice(kBaseFile)), 1u);
    EXPECT_TRUE(fs::is_regular_file(Host(par)));

    SetReadOnly(kBaseFile, true);
    m_modals->ExpectMessageBox(kFailed).Answer(IDOK);
    ASSERT_TRUE(DeliverBase(51.19));
    ASSERT_TRUE(DeliverBase(51.20));
    Pump();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(LineCount(ReadDevice(kBaseFile)), 1u);
}

}  // namespace
}  // namespace shelltest
