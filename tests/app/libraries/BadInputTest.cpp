// Damaged and foreign files under every library: binary bytes, invalid
// code-page bytes, NUL, a 10 MB line, 100,000 commas, numbers that are no
// numbers. Each library opens them without harm and Cancel writes nothing;
// a save that cannot be written reports it and loses nothing.
#include <filesystem>

#include "app/libraries/CtrlPointLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/libraries/StakeLineLibDlg.h"
#include "app/libraries/StakePointLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

class BadInputTest : public LibraryTest {};

std::vector<std::string> DamagedFiles() {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 131) & 0xFF));
    return {binary,
            "0,\x81\x0a\xff,1\r\n\xfe\xfe\r\n",
            std::string("0,A\0B,1,2\r\n", 11),
            std::string(10u << 20, 'x') + "\r\n",
            std::string(100000, ',') + "\r\n",
            "0,N,nan,1e999,inf,c,0x1p3,-nan,1e-999,,Y,Y,\r\n"};
}

TEST_F(BadInputTest, EveryLibraryOpensDamagedFilesAndCancelWritesNothing) {
    const char* files[] = {kWgsFile, "Flash Disk/Jobs/ruvo/ruvo.ptb",
                           "Flash Disk/Jobs/ruvo/ruvo.lnb", "Flash Disk/Jobs/ruvo/ctrl.cot"};
    Doc().m_coordParams.szConF = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";
    for (const std::string& bytes : DamagedFiles()) {
        for (const char* file : files) WriteHost(file, bytes);
        m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB).Click(IDCANCEL);
        CLatLonCoordLibDlg().DoModal();
        m_modals.ExpectDialog(IDD_STAKE_POINT_LIB).Click(IDCANCEL);
        CStakePointLibDlg().DoModal();
        m_modals.ExpectDialog(IDD_STAKE_LINE_LIB).Click(IDCANCEL);
        CStakeLineLibDlg().DoModal();
        m_modals.ExpectDialog(IDD_CTRL_POINT_LIB).Click(IDCANCEL);
        CCtrlPointLibDlg().DoModal();
        for (const char* file : files) EXPECT_EQ(ReadHost(file), bytes) << file;
    }
    EXPECT_EQ(m_modals.Pending(), 0);
}

TEST_F(BadInputTest, ASaveOntoAFolderReportsItAndLosesNothing) {
    std::filesystem::create_directories(Host(kWgsFile));
    std::filesystem::create_directories(Host("Flash Disk/Jobs/ruvo/ruvo.ptb"));
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB)
        .Click(IDC_LIB_ADD)
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK)  // the save fails: stays open with the row
        .Do([](HWND d) { EXPECT_EQ(ListRows(d, 1), (std::vector<std::string>{"G"})); })
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_ADD_GEO_COORD).SetText(IDC_GEO_NAME, L"G").Click(IDOK);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDNO);
    EXPECT_EQ(CLatLonCoordLibDlg().DoModal(), IDCANCEL);

    m_modals.ExpectDialog(IDD_STAKE_POINT_LIB)
        .Click(IDC_LIB_ADD)
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK)
        .Do([](HWND d) { EXPECT_EQ(ListRows(d, 1), (std::vector<std::string>{"PT"})); })
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_ADD_POINT).Click(IDOK);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDNO);
    EXPECT_EQ(CStakePointLibDlg().DoModal(), IDCANCEL);
    EXPECT_TRUE(std::filesystem::is_directory(Host(kWgsFile)));
}

}  // namespace
}  // namespace librariestest
