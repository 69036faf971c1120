// The coordinate library as the surveyor uses it: the job's <job>.lib with
// the writer's lines ("1,..." raw-grid, "0,...") and typed ones, both
// modes, add, edit, delete, find, the imports, and saves compared byte for
// byte with hand-written files; a failed save loses nothing.
#include <filesystem>

#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/FindCoordDlg.h"
#include "app/shell/VendropDoc.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

using coordsystest::ItemText;

class CoordLibraryTest : public LibraryTest {};

const char kWriterLines[] =
    "1,R1,10.000,20.000,30.000,00000000\r\n"
    "0,K1,100.000,200.000,5.000,c1\r\n"
    "1,R2,11.000,21.000,31.000,00000000\r\n"
    "0,K2,3381234.5,512345.25,12,\xbc\xd7\r\n";  // "甲" in the code page

TEST_F(CoordLibraryTest, TheFullModeListsRawGridRowsFirstAndSavesWhatWasEdited) {
    WriteHost(kLibFile, kWriterLines);
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Do([this](HWND d) {
            EXPECT_EQ(Doc().m_nDlgContext, kContextLibrary);
            EXPECT_EQ(ListRows(d, 5),
                      (std::vector<std::string>{
                          "R1|10.000|20.000|30.000|00000000", "R2|11.000|21.000|31.000|00000000",
                          "K1|100.000|200.000|5.000|c1", "K2|3381234.500|512345.250|12.000|甲"}));
            EXPECT_EQ(RowImages(d), "1100");
        })
        .Click(IDC_LIB_ADD)
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_EDIT)
        .Select(IDC_LIB_LIST, 2)
        .Click(IDC_LIB_DELETE)
        .Do([](HWND d) {
            EXPECT_EQ(ListRows(d, 5),
                      (std::vector<std::string>{
                          "R1x|10.5|20.000|30.000|00000000", "R2|11.000|21.000|31.000|00000000",
                          "K2|3381234.500|512345.250|12.000|甲", "N1|1|2|3|00000000"}));
            EXPECT_EQ(RowImages(d), "1100");
        })
        .Select(IDC_LIB_LIST, 1)
        .Click(IDOK);
    // Opened from within the library: no pick buttons.
    m_modals.ExpectDialog(IDD_ADD_POINT)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_PT_NAME), L"PT");
            EXPECT_EQ(ItemText(d, IDC_PT_CODE), L"00000000");
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(d, IDC_PT_LIBRARY)));
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(d, IDC_PT_PLAN)));
        })
        .SetText(IDC_PT_NAME, L"N1")
        .SetText(IDC_PT_NORTH, L"1")
        .SetText(IDC_PT_EAST, L"2")
        .SetText(IDC_PT_HEIGHT, L"3")
        .Click(IDOK);
    m_modals.ExpectDialog(IDD_EDIT_POINT)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_PT_NORTH), L"10.000"); })
        .SetText(IDC_PT_NAME, L"R1,x")  // a separator is refused
        .Click(IDOK)
        .SetText(IDC_PT_NAME, L"R1x")
        .SetText(IDC_PT_NORTH, L"10.5")
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    m_modals.ExpectMessageBox(L"确实要删除该项吗?").Answer(IDYES);
    CCoordLibDlg dlg;
    dlg.SetMode(2);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bPicked);
    EXPECT_EQ(dlg.m_strPickName, L"R2");
    EXPECT_EQ(dlg.m_strPickNorth, L"11.000");
    EXPECT_EQ(dlg.m_nPickKind, 1);
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
    // Saved at OK without a question: raw-grid records first.
    EXPECT_EQ(ReadHost(kLibFile),
              "1,R1x,10.500,20.000,30.000,00000000\r\n"
              "1,R2,11.000,21.000,31.000,00000000\r\n"
              "0,K2,3381234.500,512345.250,12.000,\xbc\xd7\r\n"
              "0,N1,1.000,2.000,3.000,00000000\r\n");
}

TEST_F(CoordLibraryTest, TheDefaultModeHidesRawGridRowsAndWritesThemFirst) {
    // The third line is empty: what follows is neither shown nor lost.
    WriteHost(kLibFile, std::string(kWriterLines) + "\r\n0,HIDDEN,1,2,3,h\r\n0,CUT");
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Do([](HWND d) {
            EXPECT_EQ(ListRows(d, 1), (std::vector<std::string>{"K1", "K2"}));
            EXPECT_EQ(RowImages(d), "00");
        })
        .Click(IDOK)  // no row: refused, stays open
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_DELETE)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"没有选中任何点，退出请按退出按钮").Answer(IDOK);
    m_modals.ExpectMessageBox(L"确实要删除该项吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDYES);
    CCoordLibDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(dlg.m_bPicked);
    EXPECT_EQ(ReadHost(kLibFile),
              "1,R1,10.000,20.000,30.000,00000000\r\n"
              "1,R2,11.000,21.000,31.000,00000000\r\n"
              "0,K2,3381234.500,512345.250,12.000,\xbc\xd7\r\n"
              "\r\n0,HIDDEN,1,2,3,h\r\n0,CUT");
}

// Receiver points (projection alone, on the job's meridian, height less
// antenna), point files, raw records and library files (number 2 becomes
// raw-grid) add to what is there.
TEST_F(CoordLibraryTest, ImportsAddToTheLibrary) {
    Doc().m_coordParams.szdCenter = -121.0;
    WriteHost(kLibFile, "0,K1,1.000,2.000,3.000,c\r\n");
    WriteHost(std::string(kDataDir) + "ruvo.RTK",
              "Rem name,lat,lon,h,code,ant\r\n"
              "W1,0.0000,-121.0000,35.200,c9,1.800\r\n"
              "W2,0.0000,-121.3000,10,c9,0\r\n");
    WriteHost(std::string(kDataDir) + "pts.dat", "D1,5,6,7.25,dc,\r\n");
    WriteHost(std::string(kDataDir) + "raw.org",
              "O1,a,b,30.1,114.2,50.5,1.5,3381000.1,512000.2,49.0,x,y\r\n");
    WriteHost(std::string(kDataDir) + "more.lib", "2,L2,1,1,1,l2\r\n0,L0,2,2,2,l0\r\n");
    auto& lib = m_modals.ExpectDialog(IDD_COORD_LIB);
    for (const wchar_t* name : {L"ruvo.RTK", L"pts.dat", L"raw.org", L"more.lib"}) {
        lib.Click(IDC_LIB_OPEN);
        ExpectOpen(name);
        m_modals.ExpectMessageBox(L"确定将文件中的数据加入坐标管理库吗?").Answer(IDOK);
    }
    lib.Do([](HWND d) {
           const std::vector<std::string> rows = ListRows(d, 5);
           ASSERT_EQ(rows.size(), 7u);
           EXPECT_EQ(rows[0], "W1|0.000|500000.000|33.400|c9");
           // West of the meridian: an easting below the false easting.
           const size_t east = rows[1].find('|', 3) + 1;
           EXPECT_EQ(rows[1].substr(0, 3), "W2|");
           EXPECT_LT(std::stod(rows[1].substr(east)), 500000.0);
           EXPECT_EQ(rows[2], "L2|1.000|1.000|1.000|l2");
           EXPECT_EQ(rows[3], "K1|1.000|2.000|3.000|c");
           EXPECT_EQ(rows[4], "D1|5|6|7.25|dc");
           EXPECT_EQ(rows[5], "O1|3381000.1|512000.2|49.0|00000000");
           EXPECT_EQ(rows[6], "L0|2.000|2.000|2.000|l0");
           EXPECT_EQ(RowImages(d), "1110000");
       })
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDNO);
    CCoordLibDlg dlg;
    dlg.SetMode(2);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(ReadHost(kLibFile), "0,K1,1.000,2.000,3.000,c\r\n");  // answered No
}

TEST_F(CoordLibraryTest, FindOrdersByWhereTheTextFirstOccurs) {
    std::vector<GeoPointRecord> points = {{{L"APT1", 1, 2, 3, L"a"}, 0},
                                          {{L"PT2", 4, 5, 6, L"b"}, 1},
                                          {{L"pt3", 7, 8, 9, L"c"}, 2},
                                          {{L"X", 0, 0, 0, L""}, 3}};
    EXPECT_EQ(CFindPointDlg::Matches(points, L"pt"), (std::vector<size_t>{1, 2, 0}));
    EXPECT_EQ(CFindPointDlg::Matches(points, L"").size(), 4u);
    EXPECT_TRUE(CFindPointDlg::Matches(points, L"zz").empty());

    WriteHost(kLibFile, "0,APT1,1,2,3,a\r\n0,PT2,4,5,6,b\r\n0,pt3,7,8,9,c\r\n");
    m_modals.ExpectDialog(IDD_COORD_LIB).Click(IDC_LIB_FIND).Click(IDC_LIB_FIND).Click(IDOK);
    m_modals.ExpectDialog(IDD_FIND_COORD)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_FIND_X), L"1.0000"); })
        .SetText(IDC_FIND_TEXT, L"pt")
        .Click(IDC_FIND_GO)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_FIND_X), L"4.0000");
            EXPECT_EQ(ItemText(d, IDC_FIND_CODE), L"b");
        })
        .Select(IDC_FIND_LIST, 1)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_FIND_H), L"9.0000"); })
        .Click(IDOK);
    // No match: blank fields, OK changes nothing.
    m_modals.ExpectDialog(IDD_FIND_COORD)
        .SetText(IDC_FIND_TEXT, L"zz")
        .Click(IDC_FIND_GO)
        .Do([](HWND d) { EXPECT_EQ(ItemText(d, IDC_FIND_X), L""); })
        .Click(IDOK);
    CCoordLibDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strPickName, L"pt3");
}

TEST_F(CoordLibraryTest, AFailedSaveShowsTheMessageAndLosesNothing) {
    // The library's name taken by a folder: no save can succeed.
    std::filesystem::create_directories(Host("Flash Disk/Jobs/ruvo/ruvo.lib"));
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Click(IDC_LIB_ADD)
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK)
        .Do([](HWND d) { EXPECT_EQ(ListRows(d, 1), (std::vector<std::string>{"PT"})); })
        .Click(IDCANCEL)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_ADD_POINT).Click(IDOK);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals.ExpectMessageBox(L"保存修改过的坐标库吗?").Answer(IDNO);
    CCoordLibDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(std::filesystem::is_directory(Host("Flash Disk/Jobs/ruvo/ruvo.lib")));
}

// Damaged or foreign library files open without harm; Cancel writes nothing.
TEST_F(CoordLibraryTest, DamagedFilesOpenAndCancelWritesNothing) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 131) & 0xFF));
    const std::string files[] = {binary,
                                 "0,\x81\x0a\xff,1\r\n",
                                 std::string("0,A\0B,1,2\r\n", 11),
                                 std::string(10u << 20, 'x') + "\r\n",
                                 std::string(100000, ',') + "\r\n",
                                 "0,N,nan,1e999,inf,c\r\n"};
    for (const std::string& bytes : files) {
        WriteHost(kLibFile, bytes);
        m_modals.ExpectDialog(IDD_COORD_LIB).Click(IDCANCEL);
        CCoordLibDlg dlg;
        dlg.SetMode(2);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(ReadHost(kLibFile), bytes);
    }
    // The numbers that are none show as 0.
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Do([](HWND d) {
            EXPECT_EQ(ListRows(d, 5), (std::vector<std::string>{"N|0.000|0.000|0.000|c"}));
        })
        .Click(IDCANCEL);
    CCoordLibDlg dlg;
    dlg.DoModal();
}

}  // namespace
}  // namespace librariestest
