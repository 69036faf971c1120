// The lat/long library: <job>.WGS rows as texts, the imports of receiver
// point files and raw records, find, and saves byte for byte.
#include "app/libraries/LatLonCoordLibDlg.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

using coordsystest::ItemText;

class LatLonLibraryTest : public LibraryTest {};

TEST_F(LatLonLibraryTest, ImportsAppendAndOverwriteAndTheSaveKeepsTheTexts) {
    WriteHost(kWgsFile, "G1,30.1234567,114.3000,20.000,a,\r\n");
    WriteHost(std::string(kDataDir) + "ruvo.RTK",
              "Rem name,lat,lon,h,code,ant\r\nP1,30.1530,-121.0530,35.200,c,1.800\r\n");
    WriteHost(std::string(kDataDir) + "raw.org",
              "O1,a,b,30.1,114.2,50.5,1.5,3381000.1,512000.2,49.0,x,y\r\n");
    auto& lib = m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB);
    // Append the receiver points, then the raw records.
    lib.Click(IDC_LIB_OPEN);
    ExpectOpen(L"ruvo.RTK");
    m_modals.ExpectDialog(IDD_FILE_OPEN_MODE).Click(IDC_OPEN_MODE_APPEND);
    m_modals.ExpectMessageBox(L"确实要追加吗?").Answer(IDOK);
    lib.Click(IDC_LIB_OPEN);
    ExpectOpen(L"raw.org");
    m_modals.ExpectDialog(IDD_FILE_OPEN_MODE).Click(IDC_OPEN_MODE_APPEND);
    m_modals.ExpectMessageBox(L"确实要追加吗?").Answer(IDOK);
    // The open-mode dialog cancelled imports nothing.
    lib.Click(IDC_LIB_OPEN);
    ExpectOpen(L"raw.org");
    m_modals.ExpectDialog(IDD_FILE_OPEN_MODE).Click(IDCANCEL);
    lib.Do([](HWND d) {
           EXPECT_EQ(ListRows(d, 5), (std::vector<std::string>{"G1|30.1234567|114.3000|20.000|a",
                                                               "P1|30.1530|-121.0530|33.400|c",
                                                               "O1|30.1|114.2|49.000|00000000"}));
       })
        .Click(IDC_LIB_FIND)
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_FIND_GEO_COORD)
        .SetText(IDC_FIND_TEXT, L"p")
        .Click(IDC_FIND_GO)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_FIND_X), L"30.1530000000");
            EXPECT_EQ(ItemText(d, IDC_FIND_Y), L"-121.0530000000");
        })
        .Click(IDOK);
    CLatLonCoordLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bPicked);
    EXPECT_EQ(dlg.m_strPickName, L"P1");
    EXPECT_EQ(dlg.m_strPickLon, L"-121.0530");  // the western longitude kept
    EXPECT_EQ(dlg.m_strPickHeight, L"33.400");
    EXPECT_EQ(ReadHost(kWgsFile),
              "G1,30.1234567,114.3000,20.000,a,\r\n"
              "P1,30.1530,-121.0530,33.400,c,\r\n"
              "O1,30.1,114.2,49.000,00000000,\r\n");
}

TEST_F(LatLonLibraryTest, EditingDeletingClearingAndOverwriting) {
    WriteHost(kWgsFile, Gbk(L"甲,30.1,114.2,1.000,a,\r\nB,31,115,2,b,\r\n"));
    WriteHost(std::string(kDataDir) + "ruvo.RTK", "P1,30.1530,114.0530,35.200,c,1.800\r\n");
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB)
        .Click(IDOK)  // no row: refused
        .Select(IDC_LIB_LIST, 1)
        .Click(IDC_LIB_EDIT)
        .Click(IDC_LIB_ADD)
        .Click(IDC_LIB_CLEAR)  // answered No: rows stay
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_DELETE)
        .Do([](HWND d) {
            EXPECT_EQ(ListRows(d, 5), (std::vector<std::string>{"B2|31.3|115|2|b", "N|1|2|3|x"}));
        })
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"没有选中任何点").Answer(IDOK);
    m_modals.ExpectDialog(IDD_EDIT_GEO_COORD)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_GEO_LAT), L"31"); })
        .SetText(IDC_GEO_NAME, L"B2")
        .SetText(IDC_GEO_LAT, L"31.3")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_ADD_GEO_COORD)
        .SetText(IDC_GEO_NAME, L"N")
        .SetText(IDC_GEO_LAT, L"1")
        .SetText(IDC_GEO_LON, L"2")
        .SetText(IDC_GEO_HEIGHT, L"3")
        .SetText(IDC_GEO_CODE, L"x=1")  // refused
        .Click(IDOK)
        .SetText(IDC_GEO_CODE, L"x")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    m_modals.ExpectMessageBox(L"确实要清除所有数据吗?").Answer(IDNO);
    m_modals.ExpectMessageBox(L"确实要删除该项吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDYES);
    CLatLonCoordLibDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(ReadHost(kWgsFile), "B2,31.3,115,2,b,\r\nN,1,2,3,x,\r\n");

    // Overwrite replaces the rows with the file's.
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB)
        .Click(IDC_LIB_OPEN)
        .Do([](HWND d) {
            EXPECT_EQ(ListRows(d, 5), (std::vector<std::string>{"P1|30.1530|114.0530|33.400|c"}));
        })
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK);
    ExpectOpen(L"ruvo.RTK");
    m_modals.ExpectDialog(IDD_FILE_OPEN_MODE).Click(IDC_OPEN_MODE_OVERWRITE);
    m_modals.ExpectMessageBox(L"确实要覆盖吗?").Answer(IDOK);
    CLatLonCoordLibDlg again;
    ASSERT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(ReadHost(kWgsFile), "P1,30.1530,114.0530,33.400,c,\r\n");
}

}  // namespace
}  // namespace librariestest
