// Record, then process, in the running program: the simulated receiver's
// GGA sentences, one a second for 30 s, written to the pseudo-terminal
// behind COM1 and taken by the link and the dispatcher while a run
// records, an epoch stored every 5 s; then the wizard on the raw file the
// recording wrote. The result files hold exactly the stored epochs, in
// order, with the raw file's own grid values, height and depth. While the
// run measures, the wizard's command does nothing.
#include <cstdio>
#include <sstream>

#include "app/postproc/PostProcWizardDlg.h"
#include "platform/base/TextConv.h"
#include "res/resource.h"
#include "sim/GnssModel.h"
#include "sim/Nmea.h"
#include "tests/app/shell/DispatchTest.h"

namespace shelltest {
namespace {

constexpr LPCTSTR kLn0 = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";

std::vector<std::string> Cut(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) fields.push_back(field);
    fields.resize(33);
    return fields;
}

std::string Fixed(double value, int width) {
    char text[64];
    std::snprintf(text, sizeof text, "%*.3f", width, value);
    return text;
}

// What the .ssd file says of one stored raw line, worked out from its
// fields with the C library's printf.
struct Expected {
    std::string point, track;
};
Expected FromRaw(const std::vector<std::string>& f) {
    const double bottom = std::stod(Fixed(std::stod(f[9]) - std::stod(f[20]), 0));
    const double below = std::stod(Fixed(0.0 - bottom, 0));
    const double depth = std::stod(f[20]);
    return {f[0] + ",    ," + Fixed(std::stod(f[8]), 15) + "," + Fixed(std::stod(f[7]), 15) + "," +
                Fixed(below, 10) + "," + Fixed(bottom, 10) + "," + Fixed(depth, 10) + "," +
                Fixed(0.0 - depth, 10) + "\r\n",
            f[0] + "," + f[2] + "," + f[7] + "," + f[8] + "," + f[13] + "," + f[16] + ",,," + f[9] +
                "\r\n"};
}

class PostProcRecordingTest : public DispatchTest {
  protected:
    // One line as the receiver, waited for until the dispatcher took it.
    bool Deliver(const std::string& line) {
        Frame()->m_nNoDataTicks = 99;
        m_receiver.Write(line);
        return Serve([] { return GetMainFrame()->m_nNoDataTicks == 0; });
    }
};

TEST_F(PostProcRecordingTest, TheStoredEpochsOfARecordedRunBecomeTheResultFiles) {
    StartProgram([](SystemParams& p) {
        p.Port = 1;
        p.SoundUse = 0;
        p.nCollectMode = 0;
        p.dCollectTime = 5.0;
        p.nSFNameMode = 2;
    });
    ASSERT_TRUE(RunLinkToItsReadLoop());
    m_receiver.ReadUntil("$JASC,GPGSV,0.2\r\n\r\n");
    Doc().m_bGpsData = 1;
    m_modals->ExpectMessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?").Answer(IDYES);
    Key('C');
    ASSERT_TRUE(Doc().m_bMeasuring);
    Frame()->m_depth = SounderDepthBlock{2.5, 0, {1, 1}};
    quorvel::sim::GnssScenario scenario;
    scenario.fixedQuality = 4;
    const quorvel::sim::GnssModel model(scenario);
    for (int second = 0; second <= 30; ++second) {
        Frame()->m_depth.dDepth = 2.5 + second * 0.01;
        ASSERT_TRUE(Deliver(quorvel::sim::GgaSentence(model.EpochAt(second)))) << second;
    }
    Frame()->SendMessage(WM_COMMAND, ID_POST_PROC_WIZARD);  // refused while measuring
    Key('D');
    ASSERT_FALSE(Doc().m_bMeasuring);

    std::string points;
    std::string track = "TRACK\r\n";
    int stored = 0;
    for (const std::string& line : Lines(kLn0)) {
        const std::vector<std::string> f = Cut(line);
        if (f[25] != "1") continue;
        if (stored++ == 0) track += f[1] + "," + f[2] + ",\r\n";
        const Expected e = FromRaw(f);
        points += e.point;
        track += e.track;
    }
    EXPECT_EQ(stored, 7);
    EXPECT_EQ(Lines(kLn0).size(), 31u);  // one line an epoch

    for (int format : {0, 1}) {
        m_modals->ExpectDialog(IDD_POST_PROC_WIZARD).Do([format](HWND d) {
            auto& w = *static_cast<CPostProcWizardDlg*>(CWnd::FromHandlePermanent(d));
            ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
            auto* tree = static_cast<CFolderTreeCtrl*>(
                CWnd::FromHandlePermanent(::GetDlgItem(w.m_pageOrgFile.m_hWnd, IDC_PP_ORG_TREE)));
            ASSERT_TRUE(tree->SelectPath(kLn0));
            ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
            const HWND page = w.m_pageOutput.m_hWnd;
            ::SendMessage(::GetDlgItem(page, IDC_PP_FORMAT), CB_SETCURSEL, format, 0);
            ::SendMessage(::GetDlgItem(page, IDC_PP_START), BM_CLICK, 0, 0);
            EXPECT_EQ(ItemText(page, IDC_PP_RESULTS),
                      format == 0 ? L"LN0.ssd  " : L"LN0_h.dat  LN0_d.dat  ");
            ::SendMessage(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
        });
        m_modals->ExpectMessageBox(L"综合后处理完成").Answer(IDOK);
        Frame()->SendMessage(WM_COMMAND, ID_POST_PROC_WIZARD);
        ASSERT_EQ(m_modals->Pending(), 0) << Boxes(*m_modals);
        if (format == 0) {
            EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.ssd"), points + track);
        }
    }
    const std::vector<std::string> data = List(L"\\Flash Disk\\Jobs\\ruvo\\data");
    for (const char* name : {"LN0.ssd", "LN0_h.dat", "LN0_d.dat"})
        EXPECT_NE(std::find(data.begin(), data.end(), name), data.end()) << name;
    EXPECT_EQ(Lines(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0_h.dat").size(), 7u);
}

}  // namespace
}  // namespace shelltest
