// Automatic points that the store refuses, on the point-measuring screen at
// 5 Hz: a full store told by one box for the whole run, a point the point
// file refused neither drawn nor stored twice while its box is up, the
// recording's epochs going out without unmuting the points' failures, a
// new collection run told again, and one box for a measurement and a
// collection failing together.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/files/StoreSpace.h"
#include "platform/testing/ModalScript.h"
#include "res/resource.h"
#include "tests/app/screens/ScreensTest.h"

namespace screenstest {
namespace {

namespace fs = std::filesystem;

constexpr LPCTSTR kFailed = L"文件保存失败,请检查!";

class AutoPointWriteTest : public ScreensTest {
  protected:
    void TearDown() override {
        quorvel::files::UnlimitStoreSpaceForTest();
        ScreensTest::TearDown();
    }
    // The point-measuring screen collecting a point every whole second.
    CDialogViewSavePoint* StartCollecting() {
        StartWith([](SystemParams& p) {
            p.nSaveType = 3;
            p.nAutoSaveTime = 1;
            p.SoundUse = 0;
        });
        CDialogViewSavePoint* screen = OpenPointScreen();
        EXPECT_NE(screen, nullptr);
        Frame()->SendMessage(WM_COMMAND, ID_AUTO_COLLECT_START);
        Doc().m_strNextPointName = L"A1";
        return screen;
    }
    // A measurement running beside the collection.
    void StartMeasuring() {
        Doc().m_bGpsData = 1;
        m_modals->ExpectMessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?")
            .Answer(IDYES);
        Frame()->SendMessage(WM_COMMAND, ID_MEASURE_START);
        Pump();
        ASSERT_TRUE(Doc().m_bMeasuring);
    }
    // One second's fix, recorded by the measurement, then handed to the
    // screen.
    void Epoch(int second) {
        const SurveyRecord fix = FixAt(5416500.0 + second, 668400.0, 10, 0, second);
        Record(fix);
        Feed(fix);
    }
    // A fix every fifth of a second from 10:00:00 on: `fifth` counts them.
    void FeedFifth(int fifth) {
        Feed(FixAt(5416500.0 + fifth * 0.1, 668400.0, 10, 0, fifth * 0.2));
    }
    // The first field of each line of a point file: its names.
    std::vector<std::string> Names(LPCTSTR path) const {
        std::vector<std::string> names;
        for (const std::string& line : FileLines(path))
            names.push_back(line.substr(0, line.find(',')));
        return names;
    }
    static bool AllDifferent(const std::vector<std::string>& names) {
        return std::set<std::string>(names.begin(), names.end()).size() == names.size();
    }
};

// 16 s of a full store at 5 Hz: 16 points refused by every file, one box in
// all (no box for esystem.sys at every point), none drawn; with room again
// the points go in and are drawn under names of their own.
TEST_F(AutoPointWriteTest, AFullStoreTellsTheWholeRunOnceAndDrawsNothingItRefused) {
    CDialogViewSavePoint* screen = StartCollecting();
    ASSERT_NE(screen, nullptr);
    FeedFifth(0);
    ASSERT_EQ(FileLines(kPoints).size(), 1u);
    ASSERT_EQ(screen->m_points.GetSize(), 1);

    quorvel::files::LimitStoreSpaceForTest(0);
    m_modals->ExpectMessageBox(kFailed).Answer(IDOK);
    for (int fifth = 1; fifth <= 80; ++fifth) FeedFifth(fifth);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(FileLines(kPoints).size(), 1u);
    EXPECT_EQ(screen->m_points.GetSize(), 1);

    quorvel::files::UnlimitStoreSpaceForTest();
    for (int fifth = 81; fifth <= 105; ++fifth) FeedFifth(fifth);
    const std::vector<std::string> names = Names(kPoints);
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(screen->m_points.GetSize(), 6);
    EXPECT_TRUE(AllDifferent(names));
    EXPECT_EQ(m_modals->Pending(), 0);
}

// The point file read-only, the .BLH and .RTK writable: the point's second
// is done before its box shows, so the fixes of that second handled under
// the box store nothing again; the refused point is not on the plan. Once
// the file is writable the next point goes in, drawn, under a new name.
TEST_F(AutoPointWriteTest, ARefusedPointIsNotDrawnAndItsSecondIsNotStoredAgainUnderItsBox) {
    CDialogViewSavePoint* screen = StartCollecting();
    ASSERT_NE(screen, nullptr);
    WriteDevice(kPoints, "");
    SetReadOnly(kPoints, true);
    m_modals->ExpectMessageBox(kFailed)
        .Do([&](HWND) {
            for (int fifth = 1; fifth <= 4; ++fifth) FeedFifth(fifth);
        })
        .Answer(IDOK);
    FeedFifth(0);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_TRUE(FileLines(kPoints).empty());
    EXPECT_EQ(Names(kBlh), (std::vector<std::string>{"A1"}));
    EXPECT_EQ(screen->m_points.GetSize(), 0);

    SetReadOnly(kPoints, false);
    for (int fifth = 5; fifth <= 9; ++fifth) FeedFifth(fifth);
    EXPECT_EQ(Names(kPoints), (std::vector<std::string>{"A2"}));
    EXPECT_EQ(Names(kBlh), (std::vector<std::string>{"A1", "A2"}));
    ASSERT_EQ(screen->m_points.GetSize(), 1);
    EXPECT_EQ(screen->m_points[0].strName, CString(L"A2"));
}

// A measurement records every epoch fine while the points fail: the epochs
// going out do not make each refused point a box of its own. Stopping and
// starting the collection is a new run, told again.
TEST_F(AutoPointWriteTest, EpochsThatGoOutLeaveFailingPointsToldOnceAndANewRunIsToldAgain) {
    CDialogViewSavePoint* screen = StartCollecting();
    ASSERT_NE(screen, nullptr);
    ASSERT_NO_FATAL_FAILURE(StartMeasuring());
    WriteDevice(kPoints, "");
    SetReadOnly(kPoints, true);
    m_modals->ExpectMessageBox(kFailed).Answer(IDOK);
    for (int second = 0; second < 13; ++second) Epoch(second);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(SplitLines(ReadDevice(Doc().m_strRawFile)).size(), 13u);
    EXPECT_EQ(screen->m_points.GetSize(), 0);

    Frame()->SendMessage(WM_COMMAND, ID_AUTO_COLLECT_STOP);
    Frame()->SendMessage(WM_COMMAND, ID_AUTO_COLLECT_START);
    m_modals->ExpectMessageBox(kFailed).Answer(IDOK);
    for (int second = 13; second < 16; ++second) Epoch(second);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_TRUE(FileLines(kPoints).empty());
}

// A full store under a measurement and a collection: the epochs' box is up
// while the next fixes come, and the points that fail under it are told by
// it, not by a box of the same words over it.
TEST_F(AutoPointWriteTest, AFullStoreUnderARecordingAndACollectionIsOneBox) {
    CDialogViewSavePoint* screen = StartCollecting();
    ASSERT_NE(screen, nullptr);
    ASSERT_NO_FATAL_FAILURE(StartMeasuring());
    quorvel::files::LimitStoreSpaceForTest(0);
    m_modals->ExpectMessageBox(kFailed)
        .Do([&](HWND) {
            for (int second = 1; second <= 5; ++second) Epoch(second);
        })
        .Answer(IDOK);
    Epoch(0);
    for (int second = 6; second <= 10; ++second) Epoch(second);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(screen->m_points.GetSize(), 0);
    EXPECT_FALSE(IsFile(Doc().m_strRawFile.GetString()));
}

}  // namespace
}  // namespace screenstest
