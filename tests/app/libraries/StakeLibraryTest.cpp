// The stake-out point and line libraries as files: .ptb lines written from
// a point file, stake-out files appended on top and point files below, the
// output file; lines with their names, chainages and lengths, insertion,
// appending, editing to three decimals, and the lists handed back.
#include "app/libraries/StakeLineLibDlg.h"
#include "app/libraries/StakePointLibDlg.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

using coordsystest::ItemText;

const char kPtb[] = "Flash Disk/Jobs/ruvo/ruvo.ptb";
const char kLnb[] = "Flash Disk/Jobs/ruvo/ruvo.lnb";

class StakeLibraryTest : public LibraryTest {
  protected:
    void ExpectJobOpen(const wchar_t* name, int modeButton, const wchar_t* question) {
        m_modals.ExpectDialog(IDD_FILE_OPEN)
            .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", name}))
            .Click(IDOK);
        m_modals.ExpectDialog(IDD_FILE_OPEN_MODE).Click(modeButton);
        m_modals.ExpectMessageBox(question).Answer(IDOK);
    }
};

TEST_F(StakeLibraryTest, PointsFromFilesAreSavedAsStakeOutLinesAndHandedBack) {
    WriteHost(kPtb, Gbk(L"0,X1,10,20,30,甲,\r\n0,X2,11,21,31,b,\r\n"));
    WriteHost("Flash Disk/Jobs/ruvo/other.ptb", "0,O1,1.5,2.5,3.5,o,\r\n\r\n0,UNSEEN,0,0,0,u,\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/pts.dat", "D1,5,6,7,d,\r\n,8,9,10,nameless,\r\n");
    auto& lib = m_modals.ExpectDialog(IDD_STAKE_POINT_LIB);
    lib.Do([](HWND d) {
           EXPECT_EQ(ListRows(d, 5), (std::vector<std::string>{"X1|甲|10|20|30", "X2|b|11|21|31"}));
       })
        .Click(IDC_LIB_INSERT)  // no row selected: nothing
        .Click(IDC_LIB_OPEN);
    ExpectJobOpen(L"other.ptb", IDC_OPEN_MODE_APPEND, L"确实要追加吗?");
    lib.Click(IDC_LIB_OPEN);
    ExpectJobOpen(L"pts.dat", IDC_OPEN_MODE_APPEND, L"确实要追加吗?");
    lib.Do([](HWND d) {
           EXPECT_EQ(ItemText(d, IDC_LIB_PTB_PATH), L"\\Flash Disk\\Jobs\\ruvo\\other.ptb");
           EXPECT_EQ(ListRows(d, 1), (std::vector<std::string>{"O1", "X1", "X2", "D1", ""}));
       })
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_INSERT)
        .Click(ID_FILE_CONVERT)
        .Select(IDC_LIB_LIST, 2)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_ADD_POINT).SetText(IDC_PT_NAME, L"N1").Click(IDOK);
    m_modals.ExpectDialog(IDD_FILE_SAVE)
        .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", L"data"}))
        .Type(IDC_FILE_SAVE_NAME, L"out")
        .Click(IDOK);
    CStakePointLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bPicked);
    EXPECT_EQ(dlg.m_nPickIndex, 2);
    EXPECT_EQ(dlg.m_strPickName, L"X1");
    EXPECT_EQ(dlg.m_strPickCode, L"甲");
    EXPECT_EQ(dlg.m_strPickHeight, L"30");
    EXPECT_EQ(dlg.m_nCount, 6);
    ASSERT_EQ(dlg.m_points.GetSize(), 5);  // the nameless row is no point
    EXPECT_EQ(dlg.m_points[1].strName, L"N1");
    EXPECT_EQ(dlg.m_points[0].dX, 1.5);
    // The opened stake-out file became the library's file; the job's own
    // file stays as it was; what the opened file did not show is kept.
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/other.ptb"),
              Gbk(L"0,O1,1.5,2.5,3.5,o,\r\n0,N1,0,0,0,00000000,\r\n0,X1,10,20,30,甲,\r\n"
                  L"0,X2,11,21,31,b,\r\n0,D1,5,6,7,d,\r\n0,,8,9,10,nameless,\r\n"
                  L"\r\n0,UNSEEN,0,0,0,u,\r\n"));
    EXPECT_EQ(ReadHost(kPtb), Gbk(L"0,X1,10,20,30,甲,\r\n0,X2,11,21,31,b,\r\n"));
    EXPECT_EQ(ReadHost(std::string(kDataDir) + "out.dat"),
              Gbk(L"O1,1.5,2.5,3.5,o,\r\nN1,0,0,0,00000000,\r\nX1,10,20,30,甲,\r\n"
                  L"X2,11,21,31,b,\r\nD1,5,6,7,d,\r\n,8,9,10,nameless,\r\n"));
}

TEST_F(StakeLibraryTest, ClearAnsweredNoStillAsksAtCancelAndOkWithoutAPickFillsThePoints) {
    WriteHost(kPtb, "0,P1,1,2,3,c,\r\n");
    m_modals.ExpectDialog(IDD_STAKE_POINT_LIB).Click(IDC_LIB_CLEAR).Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"确实要清除所有数据吗?").Answer(IDNO);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDNO);
    CStakePointLibDlg first;
    EXPECT_EQ(first.DoModal(), IDCANCEL);

    m_modals.ExpectDialog(IDD_STAKE_POINT_LIB).Click(IDOK).Click(IDOK);
    m_modals.ExpectMessageBox(L"没有选中任何点").Answer(IDNO);
    m_modals.ExpectMessageBox(L"没有选中任何点").Answer(IDYES);
    CStakePointLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.m_bPicked);
    ASSERT_EQ(dlg.m_points.GetSize(), 1);
    EXPECT_EQ(dlg.m_points[0].dH, 3.0);
    EXPECT_EQ(ReadHost(kPtb), "0,P1,1,2,3,c,\r\n");  // nothing changed, nothing written
}

TEST_F(StakeLibraryTest, LinesShowNameChainageAndLengthAndKeepTheirOrder) {
    WriteHost(kLnb,
              "A,100,200,0,c1,B,130,240,0,c2,0\r\n"
              "C,0,0,0,c,D,3,4,0,d,10.5\r\n"
              "E,0,0,0,e,F,0,1,0,f,20\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/two.lnb", "G,0,0,0,g,H,0,2,0,h,1\r\nI,0,0,0,i,J,0,3,0,j,2\r\n");
    auto& lib = m_modals.ExpectDialog(IDD_STAKE_LINE_LIB);
    lib.Do([](HWND d) {
           EXPECT_EQ(ListRows(d, 3),
                     (std::vector<std::string>{"A-B|0.0000|50.0000", "C-D|10.5000|5.0000",
                                               "E-F|20.0000|1.0000"}));
       })
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_INSERT)
        .Click(IDC_LIB_OPEN);
    m_modals.ExpectDialog(IDD_ADD_LINE)
        .SetText(IDC_LN_START_NAME, L"S")
        .SetText(IDC_LN_END_NAME, L"T")
        .SetText(IDC_LN_END_EAST, L"7.25")
        .SetText(IDC_LN_CHAINAGE, L"5")
        .Click(IDOK);
    ExpectJobOpen(L"two.lnb", IDC_OPEN_MODE_APPEND, L"确实要追加吗?");
    lib.Do([](HWND d) {
           EXPECT_EQ(ListRows(d, 3),
                     (std::vector<std::string>{"G-H|1.0000|2.0000", "I-J|2.0000|3.0000",
                                               "A-B|0.0000|50.0000", "S-T|5|7.2500",
                                               "C-D|10.5000|5.0000", "E-F|20.0000|1.0000"}));
       })
        .Select(IDC_LIB_LIST, 4)
        .Click(IDC_LIB_EDIT)  // confirmed unchanged: three decimals
        .Select(IDC_LIB_LIST, 2)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_EDIT_LINE)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_LN_CHAINAGE), L"10.500"); })
        .Click(IDOK);
    CStakeLineLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bPicked);
    EXPECT_EQ(dlg.m_nPickIndex, 2);
    EXPECT_EQ(dlg.m_nCount, 6);
    ASSERT_EQ(dlg.m_starts.GetSize(), 6);
    EXPECT_EQ(dlg.m_ends[2].dY, 240.0);
    EXPECT_EQ(dlg.m_chainages[3], 5.0);
    EXPECT_EQ(ReadHost(kLnb),
              "G,0.0000,0.0000,0.0000,g,H,0.0000,2.0000,0.0000,h,1.0000\r\n"
              "I,0.0000,0.0000,0.0000,i,J,0.0000,3.0000,0.0000,j,2.0000\r\n"
              "A,100.0000,200.0000,0.0000,c1,B,130.0000,240.0000,0.0000,c2,0.0000\r\n"
              "S,0.0000,0.0000,0.0000,00000000,T,0.0000,7.2500,0.0000,00000000,5.0000\r\n"
              "C,0.0000,0.0000,0.0000,c,D,3.0000,4.0000,0.0000,d,10.5000\r\n"
              "E,0.0000,0.0000,0.0000,e,F,0.0000,1.0000,0.0000,f,20.0000\r\n");
}

TEST_F(StakeLibraryTest, OkWithoutALineAnsweredYesReturnsAllLines) {
    WriteHost(kLnb, "A,1,2,3,a,B,4,5,6,b,7\r\n");
    m_modals.ExpectDialog(IDD_STAKE_LINE_LIB).Click(IDOK);
    m_modals.ExpectMessageBox(L"没有选中任何线，确定退出吗?").Answer(IDYES);
    CStakeLineLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.m_bPicked);
    ASSERT_EQ(dlg.m_nCount, 1);
    EXPECT_EQ(dlg.m_starts[0].strCode, L"a");
    EXPECT_EQ(dlg.m_chainages[0], 7.0);
    EXPECT_EQ(ReadHost(kLnb), "A,1,2,3,a,B,4,5,6,b,7\r\n");  // not modified: not written
}

}  // namespace
}  // namespace librariestest
