// The plan view during a survey run: each recorded epoch becomes one track
// point, a paused run adds none, and the track read back from the raw file
// after the run is the one drawn live.
#include "app/FrameMessages.h"
#include "app/plan/GraphView.h"
#include "tests/app/recording/RecordingTest.h"

namespace shelltest {
namespace {

class PlanRecordingTest : public RecordingTest {
  protected:
    // As the dispatcher hands on a position: recorded, then shown.
    static void Position(const SurveyRecord& fix) {
        Frame()->m_fix = fix;
        if (Doc().m_bMeasuring && !Doc().m_bPaused) Frame()->RecordEpoch();
        ::SendMessage(Frame()->m_hGraphView, WM_GPS_POSITION,
                      reinterpret_cast<WPARAM>(&Frame()->m_fix), kGpsPositionNew);
    }
    static CGraphView* View() {
        return static_cast<CGraphView*>(CWnd::FromHandle(Frame()->m_hGraphView));
    }
};

TEST_F(PlanRecordingTest, EachRecordedEpochIsOneTrackPointAndTheRawFileGivesTheSameTrack) {
    StartWith([](SystemParams& p) { p.SoundUse = 0; });
    CGraphLayer& layer = *View()->m_layers.front();
    layer.m_points.m_items.clear();
    Doc().m_bGpsData = 1;
    m_modals->ExpectMessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?").Answer(IDYES);
    Key('C');
    ASSERT_TRUE(Doc().m_bMeasuring);
    for (int i = 0; i < 6; ++i) {
        Position(MakeFix(3351234.5 + 0.5 * i, 512345.25 + 0.25 * i, 8, 0, i));
        if (i == 2) Key('G');  // paused: the next epoch is not recorded
        if (i == 3) Frame()->SendMessage(WM_COMMAND, ID_MEASURE_START);
    }
    Key('D');
    Position(MakeFix(3351240, 512350, 8, 0, 9));  // stopped: nothing added
    const std::vector<std::string> lines = Lines(L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org");
    ASSERT_EQ(layer.m_points.m_items.size(), lines.size());
    EXPECT_EQ(lines.size(), 5u);
    const std::vector<CGraphPoint> live = layer.m_points.m_items;
    layer.m_points.m_items.clear();
    View()->LoadTrackFile(layer);
    ASSERT_EQ(layer.m_points.m_items.size(), live.size());
    for (size_t i = 0; i < live.size(); ++i) {
        EXPECT_EQ(layer.m_points.m_items[i].m_dX, live[i].m_dX) << i;
        EXPECT_EQ(layer.m_points.m_items[i].m_dY, live[i].m_dY) << i;
        EXPECT_EQ(layer.m_points.m_items[i].m_nSymbol, live[i].m_nSymbol) << i;
        EXPECT_EQ(layer.m_points.m_items[i].m_strTime, live[i].m_strTime) << i;
    }
}

}  // namespace
}  // namespace shelltest
