// The four- and seven-parameter calculations: their point-pair files byte
// for byte after adding, editing, deleting and clearing pairs; loading;
// parameters recovered from points made with known ones; what is stored
// after the confirmation, and what is not after a Cancel or a failure.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/coordsys/CalcFourParamDlg.h"
#include "app/coordsys/CalcSevenParamDlg.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "app/settings/IniFile.h"
#include "platform/base/TextConv.h"
#include "platform/controls/ListViewDefs.h"
#include "platform/dialogs/Dialogs.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/ShellTest.h"
#include "tests/app/coordsys/CalcTestSupport.h"
#include "tests/app/plan/PickPointSupport.h"

namespace coordsystest {
namespace {

TEST_F(CalcParamTest, PairFileAfterAddingEditingDeletingAndClearing) {
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_PAIR_FILE), L"\\Flash Disk\\Jobs\\ruvo\\CalFour.fou");
        })
        .Click(IDC_PAIR_ADD)
        .Click(IDC_PAIR_ADD)
        .Click(IDC_PAIR_ADD)
        .Do(SelectRow(1))
        .Click(IDC_PAIR_EDIT)
        .Click(IDC_PAIR_DELETE)
        .Click(IDC_PAIR_ADD)
        .Do([](HWND dialog) {
            EXPECT_EQ(ListRows(dialog, 6),
                      (std::vector<std::string>{"1|点一|100.0|200.0|110.0|210.0",
                                                "3|C|300|400|310|410", "3|D|1|2|3|4"}));
        })
        .Click(IDCANCEL);
    ExpectFourEntry(L"点一", L"100.0", L"200.0", L"110.0", L"210.0");
    ExpectFourEntry(L"B", L"1", L"2", L"3", L"4");
    ExpectFourEntry(L"C", L"300", L"400", L"310", L"410");
    ExpectFourEntry(L"B2", L"5", L"6", L"7", L"8");
    m_modals.ExpectMessageBox(L"确实要删除该项吗?").Answer(IDYES);
    ExpectFourEntry(L"D", L"1", L"2", L"3", L"4");
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    CCalcFourParamDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(ReadHost(kFourFile), Gbk(L"1,点一,100.0,200.0,110.0,210.0,\r\n"
                                       L"1,C,300,400,310,410,\r\n"
                                       L"1,D,1,2,3,4,\r\n"));

    // Loaded again, each line goes on top; a cleared list answered No
    // still counts as changed, and saving it keeps the rows.
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM)
        .Do([](HWND dialog) {
            EXPECT_EQ(ListRows(dialog, 2), (std::vector<std::string>{"3|D", "2|C", "1|点一"}));
        })
        .Click(IDC_PAIR_CLEAR)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"确实要清除所有数据吗?").Answer(IDNO);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    CCalcFourParamDlg again;
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_EQ(ReadHost(kFourFile), Gbk(L"1,D,1,2,3,4,\r\n1,C,300,400,310,410,\r\n"
                                       L"1,点一,100.0,200.0,110.0,210.0,\r\n"));
}

TEST_F(CalcParamTest, PairEntriesRefuseSeparatorsAndTakePickedPoints) {
    ASSERT_TRUE(apptest::WriteJobLibrary(
        L"lib", L"0,K1,3381234.567,512345.678,12.345,c\r\n" +
                    plantest::PickLibraryRows({{L"P9", 3381111.12345, 512222.98765, 8.5, L"p"}})));
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDC_PAIR_ADD).Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_FOUR_PARAM_POINT)
        .Click(IDC_PAIR_LIBRARY_1)
        .Click(IDC_PAIR_PLAN_2)
        .SetText(IDC_FOUR_PAIR_NAME, L"a=b")
        .Click(IDOK)
        .SetText(IDC_FOUR_PAIR_NAME, L"K1\r\n")
        .Click(IDOK)
        .SetText(IDC_FOUR_PAIR_NAME, L"K1")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals.ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    CCalcFourParamDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(ReadHost(kFourFile), "1,K1,3381234.567,512345.678,3381111.1234,512222.9877,\r\n");

    ASSERT_TRUE(apptest::WriteJobLibrary(L"WGS", L"G1,30.3,114.15,25.5,a,\r\n"));
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM).Click(IDC_PAIR_ADD).Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM_POINT)
        .Click(IDC_PAIR_LIBRARY_1)
        .Click(IDC_PAIR_PLAN_2)
        .Click(IDC_PAIR_LIBRARY_2)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    m_modals.ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    m_modals.ExpectDialog(IDD_COORD_LIB).Click(IDCANCEL);  // changes nothing
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    CCalcSevenParamDlg seven;
    seven.DoModal();
    EXPECT_EQ(ReadHost(kSevenFile), "1,G1,30.3,114.15,25.5,3381111.1234,512222.9877,8.5000,\r\n");
}

TEST_F(CalcParamTest, FourParametersRecoveredFromPairsOfKnownParameters) {
    // x' = dx + k (x cos t - y sin t), y' = dy + k (y cos t + x sin t).
    const double dx = 120.345;
    const double dy = -56.789;
    const double t = (1.0 + 30.0 / 60.0) / 60.0 * 0.01745329251994278;  // 0 deg 1'30"
    const double k = 1.0000123;
    const double points[4][2] = {
        {3381000.0, 512000.0}, {3382500.0, 512400.0}, {3381800.0, 514200.0}, {3380200.0, 513100.0}};
    std::string file;
    for (int i = 0; i < 4; ++i) {
        const double x = points[i][0];
        const double y = points[i][1];
        char line[200];
        std::snprintf(line, sizeof line, "1,T%d,%.4f,%.4f,%.4f,%.4f,\r\n", i + 1, x, y,
                      dx + k * (x * std::cos(t) - y * std::sin(t)),
                      dy + k * (y * std::cos(t) + x * std::sin(t)));
        file += line;
    }
    WriteHost(kFourFile, file);
    Doc().m_coordParams.nDifang = 0;
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDOK);
    m_modals.ExpectDialog(IDD_FOUR_PARAM)
        .Do([](HWND dialog) {
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_PARAM_ENABLE), 1u);
            EXPECT_NEAR(std::wcstod(ItemText(dialog, IDC_FOUR_ROTATION).c_str(), nullptr), 0.0130,
                        1e-6);
        })
        .Click(IDOK);
    CCalcFourParamDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const CoordSysParams& p = Doc().m_coordParams;
    EXPECT_EQ(p.nDifang, 1);
    // The pairs were written to 0.1 mm, so the shifts (far from the points)
    // follow the rotation's small error: the transformation itself is what
    // must come back.
    EXPECT_NEAR(p.szdCa1, t, 3e-8);
    EXPECT_NEAR(p.szdCk1, k, 3e-8);
    for (const auto& point : points) {
        const double x = point[0];
        const double y = point[1];
        const double c = std::cos(p.szdCa1);
        const double s = std::sin(p.szdCa1);
        EXPECT_NEAR(p.szdCx1 + p.szdCk1 * (x * c - y * s),
                    dx + k * (x * std::cos(t) - y * std::sin(t)), 3e-4);
        EXPECT_NEAR(p.szdCy1 + p.szdCk1 * (y * c + x * s),
                    dy + k * (y * std::cos(t) + x * std::sin(t)), 3e-4);
    }
    // The .par holds ten decimals.
    const CoordSysParams stored = ReadPar();
    EXPECT_EQ(stored.nDifang, 1);
    EXPECT_NEAR(stored.szdCx1, p.szdCx1, 1e-9);
    EXPECT_NEAR(stored.szdCa1, p.szdCa1, 1e-10);
    // The document's engine works with them at once.
    double ex = 0.0, ey = 0.0, et = 0.0, ek = 0.0;
    Doc().m_coordTransform.GetFourParams(ex, ey, et, ek);
    EXPECT_EQ(ex, p.szdCx1);
    EXPECT_EQ(ek, p.szdCk1);

    // A rotation typed as 0.3000 is stored as half a degree.
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDOK);
    m_modals.ExpectDialog(IDD_FOUR_PARAM).SetText(IDC_FOUR_ROTATION, L"0.3000").Click(IDOK);
    CCalcFourParamDlg typed;
    typed.DoModal();
    EXPECT_NEAR(Doc().m_coordParams.szdCa1, 0.5 * 0.01745329251994278, 1e-12);
}

TEST_F(CalcParamTest, CancelOrTooFewPairsLeaveTheJobsParameters) {
    WriteHost(kFourFile, "1,A,0,0,10,10,\r\n1,B,100,0,110,10,\r\n");
    Doc().m_coordParams.szdCk1 = 1.0;
    ASSERT_TRUE(Doc().SaveCoordParams());
    const std::string par = ReadHost("Flash Disk/Jobs/ruvo/ruvo.par");
    const CoordSysParams before = Doc().m_coordParams;
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDOK);
    m_modals.ExpectDialog(IDD_FOUR_PARAM)
        .Do([](HWND dialog) { EXPECT_EQ(ItemText(dialog, IDC_PARAM_DX), L"10"); })
        .Click(IDCANCEL);
    CCalcFourParamDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(Doc().m_coordParams.nDifang, before.nDifang);
    EXPECT_EQ(Doc().m_coordParams.szdCx1, before.szdCx1);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.par"), par);
    double ex = 0.0, ey = 0.0, et = 0.0, ek = 0.0;
    Doc().m_coordTransform.GetFourParams(ex, ey, et, ek);
    EXPECT_EQ(ex, before.szdCx1);

    WriteHost(kFourFile, "1,A,0,0,10,10,\r\n0,B,100,0,110,10,\r\n");
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDOK);
    m_modals.ExpectMessageBox(L"至少两个公共点方可计算四参数!").Answer(IDOK);
    CCalcFourParamDlg one;
    EXPECT_EQ(one.DoModal(), IDOK);

    WriteHost(kSevenFile, "");
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM).Click(IDOK);
    m_modals.ExpectMessageBox(L"至少一个公共点方可计算七参数!").Answer(IDOK);
    CCalcSevenParamDlg none;
    EXPECT_EQ(none.DoModal(), IDOK);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/ruvo.par"), par);
}

TEST_F(CalcParamTest, FailedWritesAreReportedAndKeepTheOldFiles) {
    // A folder where the pair file should be: the write fails, nothing is lost;
    // the next Cancel gives the pair up.
    std::filesystem::create_directories(Host(kFourFile));
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDC_PAIR_ADD).Click(IDCANCEL).Click(IDCANCEL);
    ExpectFourEntry(L"A", L"1", L"2", L"3", L"4");
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDNO);
    CCalcFourParamDlg dlg;
    dlg.DoModal();
    EXPECT_TRUE(std::filesystem::is_directory(Host(kFourFile)));

    // The .par cannot be written: said so, the new values stay in memory.
    std::filesystem::remove(Host(kFourFile));
    std::filesystem::create_directories(Host("Flash Disk/Jobs/ruvo/ruvo.par"));
    WriteHost(kFourFile, "1,A,0,0,10,10,\r\n1,B,100,0,110,10,\r\n");
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM).Click(IDOK);
    m_modals.ExpectDialog(IDD_FOUR_PARAM).Click(IDOK);
    m_modals.ExpectMessageBox(L"创建par文件错误,请检查错误!").Answer(IDOK);
    CCalcFourParamDlg calc;
    calc.DoModal();
    EXPECT_EQ(Doc().m_coordParams.nDifang, 1);
    EXPECT_NEAR(Doc().m_coordParams.szdCx1, 10.0, 1e-6);
}

// A save on Cancel that fails (a folder in the pair file's place) leaves
// the dialog open with its pairs: the next Cancel saves them once the file
// can be written (Yes), or gives them up (No).
TEST_F(CalcParamTest, AFailedSaveOnCancelKeepsTheDialogAndItsPairs) {
    // The dialog's loop goes on (not ended) and its list holds the rows.
    const auto shows = [](int columns, std::vector<std::string> rows) {
        return [columns, rows](HWND dialog) {
            bool running = false;
            for (const auto& modal : quorvel::dialogs::AllRunningModals())
                if (modal.dialog == dialog) running = !modal.ended;
            EXPECT_TRUE(running);
            EXPECT_EQ(ListRows(dialog, columns), rows);
        };
    };
    std::filesystem::create_directories(Host(kFourFile));
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM)
        .Click(IDC_PAIR_ADD)
        .Click(IDCANCEL)
        .Do(shows(6, {"1|B|5|6|7|8"}))
        .Do([this](HWND) { std::filesystem::remove(Host(kFourFile)); })
        .Click(IDCANCEL);
    ExpectFourEntry(L"B", L"5", L"6", L"7", L"8");
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    CCalcFourParamDlg four;
    EXPECT_EQ(four.DoModal(), IDCANCEL);
    EXPECT_EQ(ReadHost(kFourFile), "1,B,5,6,7,8,\r\n");

    std::filesystem::create_directories(Host(kSevenFile));
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM)
        .Click(IDC_PAIR_ADD)
        .Click(IDCANCEL)
        .Do(shows(8, {"1|T||||||"}))
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM_POINT).SetText(IDC_SEVEN_PAIR_NAME, L"T").Click(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDNO);
    CCalcSevenParamDlg seven;
    EXPECT_EQ(seven.DoModal(), IDCANCEL);
    EXPECT_TRUE(std::filesystem::is_directory(Host(kSevenFile)));
    EXPECT_EQ(m_modals.Pending(), 0);
}

TEST_F(CalcParamTest, OpenedPairFilesAddTheirRowsAndBecomeTheDialogsFile) {
    WriteHost(kFourFile, "1,A,1,2,3,4,\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/other.fou", "1,X,5,6,7,8,\r\n1,Y,9,10,11,12,\r\n");
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM)
        .Click(IDC_FOUR_PAIR_OPEN)
        .Do([](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_PAIR_FILE), L"\\Flash Disk\\Jobs\\ruvo\\other.fou");
            EXPECT_EQ(ListRows(dialog, 2), (std::vector<std::string>{"2|Y", "1|X", "1|A"}));
        })
        .Click(IDCANCEL);  // nothing changed: no question
    m_modals.ExpectDialog(IDD_FILE_OPEN)
        .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", L"other.fou"}))
        .Click(IDOK);
    CCalcFourParamDlg four;
    EXPECT_EQ(four.DoModal(), IDCANCEL);

    WriteHost("Flash Disk/Jobs/ruvo/more.sev", "1,S,30,114,1,2,3,4,\r\n");
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM)
        .Click(IDC_SEVEN_PAIR_OPEN)
        .Do([](HWND dialog) {
            EXPECT_EQ(ListRows(dialog, 8), (std::vector<std::string>{"1|S|30|114|1|2|3|4"}));
        })
        .Click(IDC_PAIR_ADD)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_FILE_OPEN)
        .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", L"more.sev"}))
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM_POINT).SetText(IDC_SEVEN_PAIR_NAME, L"T").Click(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的文件吗?").Answer(IDYES);
    CCalcSevenParamDlg seven;
    EXPECT_EQ(seven.DoModal(), IDCANCEL);
    EXPECT_EQ(ReadHost("Flash Disk/Jobs/ruvo/more.sev"), "1,S,30,114,1,2,3,4,\r\n1,T,,,,,,,\r\n");
}

TEST_F(CalcParamTest, TheLooksOfTheCalculations) {
    WriteHost(kFourFile, Gbk(L"1,点一,3381000.123,512000.456,3381100.789,512100.012,\r\n"
                             L"1,B,3382500.0,512400.0,3382600.0,512500.0,\r\n"));
    std::ifstream in(QUORVEL_SOURCE_DIR "/tests/app/coordsys/data/seven_points.sev",
                     std::ios::binary);
    WriteHost(kSevenFile, std::string(std::istreambuf_iterator<char>(in), {}));
    Gallery gallery;
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM)
        .Do(gallery.Take("four-parameter calculation"))
        .Do(SelectRow(0))
        .Click(IDC_PAIR_EDIT)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_FOUR_PARAM_POINT)
        .Do(gallery.Take("four-parameter pair"))
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_CALC_SEVEN_PARAM)
        .Do(gallery.Take("seven-parameter calculation"))
        .Do(SelectRow(4))
        .Click(IDC_PAIR_EDIT)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_SEVEN_PARAM_POINT)
        .Do(gallery.Take("seven-parameter point"))
        .Click(IDCANCEL);
    CCalcFourParamDlg().DoModal();
    CCalcSevenParamDlg().DoModal();
    gallery.Check("calculation_dialogs");
}

}  // namespace
}  // namespace coordsystest

namespace coordsystest {
namespace {

TEST_F(CalcParamTest, AHugePairFileOpens) {
    std::string file;
    while (file.size() < 1024u * 1024) file += "1,A,1.5,2.5,3.5,4.5,\r\n";
    WriteHost(kFourFile, file);
    const int rows = static_cast<int>(file.size() / 22);
    m_modals.ExpectDialog(IDD_CALC_FOUR_PARAM)
        .Do([rows](HWND dialog) {
            const HWND list = ::GetDlgItem(dialog, IDC_PAIR_LIST);
            EXPECT_EQ(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0), rows);
        })
        .Click(IDCANCEL);
    CCalcFourParamDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

}  // namespace
}  // namespace coordsystest
