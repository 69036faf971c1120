// Points stored by the real program from a still receiver: the data view's
// store key through the measured-point dialog (the job's three files
// against references written by hand, the next name proposed and kept in
// esystem.sys, and a job without its data folder), the offset dialog, the
// smoothing dialog over five epochs, and the measured-point library
// deleting and editing in the file.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/testing/WaitUntil.h"
#include "tests/e2e/QuorvelRun.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using quorvel::testing::ReadFile;
using quorvel::testing::WaitUntil;

constexpr const char* kData = "Flash Disk/Jobs/ruvo/data/";
constexpr const char* kFixedStatus = "GPS状态：固定解状态";

class PointStoreTest : public StillReceiverTest {
  protected:
    std::string Data(const std::string& name) const { return ReadHost(kData + name); }

    // The data view given the keys, then 'A' until the store dialog shows
    // a fixed position (before the first position it shows none).
    void OpenStoreDialog(ChildProcess& quorvel) {
        ASSERT_TRUE(WaitUntil(
            [&] {
                const std::optional<std::string> tree = RunLines(quorvel, "tap 120 250\nkey a\n");
                if (!tree || tree->find(kFixedStatus) != std::string::npos) return true;
                RunLines(quorvel, "key esc\n");
                return false;
            },
            "a fixed position in the store dialog", kRunMs));
    }
};

TEST_F(PointStoreTest, KeyAThenEnterWritesThePointsLinesAndProposesTheNextName) {
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    OpenStoreDialog(*quorvel);
    ASSERT_TRUE(RunLines(*quorvel, "key enter\n"));
    EXPECT_EQ(Data("ruvo.dat"), Reference("point_store.dat"));
    EXPECT_EQ(Data("ruvo.RTK"), Reference("point_store.RTK"));
    EXPECT_EQ(Data("ruvo.BLH"), Reference("point_store.BLH"));
    const std::string dat = Data("ruvo.dat"), rtk = Data("ruvo.RTK"), blh = Data("ruvo.BLH");
    // A second point adds only its own lines, under the next name.
    OpenStoreDialog(*quorvel);
    ASSERT_TRUE(RunLines(*quorvel, "expect \"PT2\"\nkey enter\n"));
    EXPECT_EQ(Data("ruvo.dat"), dat + "PT2" + dat.substr(3));
    EXPECT_EQ(Data("ruvo.RTK"), rtk + "PT2" + rtk.substr(rtk.rfind("\r\nPT1") + 5));
    EXPECT_EQ(Data("ruvo.BLH"), blh + "PT2" + blh.substr(3));
    EXPECT_NE(ReadHost("Flash Disk/esystem.sys").find("PT2"), std::string::npos);

    // The data folder gone: the box once, nothing written, PT3 kept.
    fs::remove_all(Host(kData));
    OpenStoreDialog(*quorvel);
    EXPECT_EQ(TraceBoxes(*quorvel, "expect \"PT3\"\nkey enter\n"),
              "box \"提示\" \"打开文件错误,请检查\" [确定] -> OK\nmain window \"" +
                  std::string(kTitle) + "\"\n");
    EXPECT_FALSE(fs::exists(Host(kData)));
    OpenStoreDialog(*quorvel);
    ASSERT_TRUE(RunLines(*quorvel, "expect \"PT3\"\nkey esc\n"));
    Quit(*quorvel);
    EXPECT_NE(ReadHost("Flash Disk/esystem.sys").find("PT2"), std::string::npos);
}

// Offset storage chosen in the job's settings: 10 m at 90 degrees from
// north, 1.5 m up, typed field by field.
TEST_F(PointStoreTest, AnOffsetPointLiesTenMetresEastWithItsOffsetInTheRtkLine) {
    SetSetting("nSaveType", "1");
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    OpenStoreDialog(*quorvel);
    ASSERT_TRUE(RunLines(*quorvel,
                         "key tab 3\ntype \"10\"\nkey tab\ntype \"90.0000\"\nkey tab\ntype "
                         "\"1.5\"\nkey enter\n"));
    const std::string standing = Reference("point_store.dat");
    EXPECT_EQ(Data("ruvo.dat"),
              "PT1,2489233.160,525734.554,48.500" + standing.substr(standing.find(",00000000,")));
    const std::string rtk = Data("ruvo.RTK");
    const std::string expected = ",18:00:0.000,2,0,10.0000,90.0000,1.5000,0.0000,0.0000\r\n";
    ASSERT_GT(rtk.size(), expected.size());
    EXPECT_EQ(rtk.substr(rtk.size() - expected.size()), expected) << rtk;
    // The .RTK keeps where the surveyor stood.
    EXPECT_NE(rtk.find("\r\nPT1,22.3000000000,114.1500000000,"), std::string::npos) << rtk;
    Quit(*quorvel);
}

// Smoothing over the job's 5 epochs: the dialog counts them down, then one
// measured-point line and five .RTK lines, no .BLH line.
TEST_F(PointStoreTest, SmoothingWritesFiveEpochLinesAndOneMeanPoint) {
    SetSetting("nSaveType", "2");
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    OpenStoreDialog(*quorvel);
    ASSERT_TRUE(RunLines(*quorvel, "expect \"数据采集\" 30000\nkey enter\n"));
    const std::vector<std::string> rtk = LinesOf(Data("ruvo.RTK"));
    ASSERT_EQ(rtk.size(), 8u + 5u) << Data("ruvo.RTK");
    for (int i = 0; i < 5; ++i) {
        const std::string end = ",3,5," + std::to_string(i + 1);
        EXPECT_EQ(rtk[8 + i].substr(rtk[8 + i].size() - end.size()), end);
    }
    const std::string standing = Reference("point_store.dat");
    EXPECT_EQ(Data("ruvo.dat"), standing);  // the mean of five equal epochs
    EXPECT_FALSE(fs::exists(Host(std::string(kData) + "ruvo.BLH")));
    Quit(*quorvel);
}

// The library from its menu command: an antenna height changed (the
// height keeps the ground), then the middle of three points deleted.
TEST_F(PointStoreTest, TheLibraryEditsAndDeletesInTheFile) {
    const std::string a =
        "A,1.000,2.000,3.000,ca,10,0.010,0.020,12,0.90,08:00:01.00,0,0,1.000,\r\n";
    const std::string b = "B,4.000,5.000,6.000,cb,9,0.010,0.020,12,0.90,08:00:02.00,0,0,1.000,\r\n";
    const std::string c =
        "C,7.000,8.000,10.000,cc,5,0.010,0.020,12,0.90,08:00:03.00,0,0,1.500,\r\n";
    WriteHost(std::string(kData) + "ruvo.dat", a + b + c);
    auto quorvel = StartInteractive();
    ASSERT_TRUE(RunLines(*quorvel, "expect " + ScriptQuoted(kTitle) + " 30000\n"));
    // C is the newest, selected at the opening; "编辑" after the list and
    // the five fields.
    ASSERT_TRUE(RunLines(*quorvel,
                         "command 32827\nexpect \"测量点管理库\"\nkey tab 6\nkey space\nexpect "
                         "\"编辑测量点\"\nkey tab 2\ntype \"2.000\"\nkey enter\nanswer "
                         "\"确定要修改吗\" YES\nkey esc\n"));
    const std::string edited =
        "C,7.000,8.000,9.500,cc,5,0.010,0.020,12,0.90,08:00:03.00,0,0,2.000,\r\n";
    EXPECT_EQ(Data("ruvo.dat"), a + b + edited);
    ASSERT_TRUE(RunLines(*quorvel,
                         "command 32827\nexpect \"测量点管理库\"\nkey down\nkey tab 7\nkey "
                         "space\nanswer \"确实要删除该点吗\" YES\nkey esc\n"));
    EXPECT_EQ(Data("ruvo.dat"), a + edited);
    Quit(*quorvel);
}

}  // namespace
}  // namespace e2e
