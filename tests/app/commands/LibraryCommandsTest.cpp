// The point libraries as the menu commands open them in the running
// program, each on the job's own file: the coordinate library in its full
// mode with the writer's lines and typed ones, the stake-out points and
// lines, the lat/long library with a receiver file imported, and the
// control-point library whose results go into the job's .par. Every file
// is compared byte for byte with what a surveyor's edits must give.
#include "app/shell/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "tests/app/commands/CommandsTest.h"

namespace commandstest {
namespace {

class LibraryCommandsTest : public CommandsTest {};

constexpr LPCTSTR kLib = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lib";
constexpr LPCTSTR kPtb = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ptb";
constexpr LPCTSTR kLnb = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.lnb";
constexpr LPCTSTR kWgs = L"\\Flash Disk\\Jobs\\ruvo\\ruvo.WGS";
constexpr LPCTSTR kCot = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";

std::string Gbk(const wchar_t* text) {
    return quorvel::ToGbk(text);
}

TEST_F(LibraryCommandsTest, EachLibraryCommandEditsTheJobsOwnFile) {
    StartWithLink();
    // The writer's two lines of a stored point, and a typed one.
    WriteDevice(kLib,
                "1,S1,3381000.000,512000.000,10.000,00000000\r\n"
                "0,S1,3381000.100,512000.200,10.300,00000000\r\n"
                "0,K1,1.000,2.000,3.000,c\r\n");
    m_modals->ExpectDialog(IDD_COORD_LIB)
        .Do([](HWND) { EXPECT_EQ(Doc().m_nDlgContext, kContextLibrary); })
        .Select(IDC_LIB_LIST, 2)
        .Click(IDC_LIB_DELETE)
        .Click(IDC_LIB_ADD)
        .Click(IDOK);  // the full mode closes without a pick
    m_modals->ExpectMessageBox(L"确实要删除该项吗?").Answer(IDYES);
    m_modals->ExpectDialog(IDD_ADD_POINT)
        .SetText(IDC_PT_NAME, L"新点")
        .SetText(IDC_PT_NORTH, L"5.5")
        .Click(IDOK);
    Command(ID_COORD_LIB);
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
    EXPECT_EQ(ReadDevice(kLib), Gbk(L"1,S1,3381000.000,512000.000,10.000,00000000\r\n"
                                    L"0,S1,3381000.100,512000.200,10.300,00000000\r\n"
                                    L"0,新点,5.500,0.000,0.000,00000000\r\n"));

    // Opened without a file: the job's .ptb, its rows shown and kept.
    WriteDevice(kPtb, "0,P1,1,2,3,c,\r\n");
    m_modals->ExpectDialog(IDD_STAKE_POINT_LIB).Click(IDC_LIB_ADD).Click(IDOK);
    m_modals->ExpectDialog(IDD_ADD_POINT).SetText(IDC_PT_NAME, L"P2").Click(IDOK);
    m_modals->ExpectMessageBox(L"没有选中任何点").Answer(IDYES);
    Command(ID_STAKE_POINT_LIB);
    EXPECT_EQ(ReadDevice(kPtb), "0,P1,1,2,3,c,\r\n0,P2,0,0,0,00000000,\r\n");

    m_modals->ExpectDialog(IDD_STAKE_LINE_LIB).Click(IDC_LIB_ADD).Click(IDOK);
    m_modals->ExpectDialog(IDD_ADD_LINE)
        .SetText(IDC_LN_START_NAME, L"A")
        .SetText(IDC_LN_START_NORTH, L"100")
        .SetText(IDC_LN_START_EAST, L"200")
        .SetText(IDC_LN_END_NAME, L"B")
        .SetText(IDC_LN_END_NORTH, L"130")
        .SetText(IDC_LN_END_EAST, L"240")
        .SetText(IDC_LN_CHAINAGE, L"0")
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"没有选中任何线").Answer(IDYES);
    Command(ID_STAKE_LINE_LIB);
    EXPECT_EQ(ReadDevice(kLnb),
              "A,100.0000,200.0000,0.0000,00000000,B,130.0000,240.0000,0.0000,"
              "00000000,0.0000\r\n");

    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.RTK",
                "Rem name,lat,lon,h,code,ant\r\nW1,30.1530,-121.0530,35.200,c,1.800\r\n");
    m_modals->ExpectDialog(IDD_LAT_LON_COORD_LIB)
        .Click(IDC_LIB_OPEN)
        .Select(IDC_LIB_LIST, 0)
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .Do(ChooseInTree({L"Jobs", L"ruvo", L"data", L"ruvo.RTK"}))
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_FILE_OPEN_MODE).Click(IDC_OPEN_MODE_OVERWRITE);
    m_modals->ExpectMessageBox(L"确实要覆盖吗?").Answer(IDOK);
    Command(ID_LATLON_LIB);
    EXPECT_EQ(ReadDevice(kWgs), "W1,30.1530,-121.0530,33.400,c,\r\n");

    // One control point for the plane and the height: a shift of each.
    WriteDevice(kCot, "C1,3000.000,4000.000,50.000,30.0000000000,0.0000000000,40.000,,,Y,Y,\r\n");
    Doc().m_coordParams.szConF = kCot;
    m_modals->ExpectDialog(IDD_CTRL_POINT_LIB).Click(IDOK);
    Command(ID_CTRL_POINT_LIB);
    EXPECT_EQ(Doc().m_nFitKind, 1);
    EXPECT_EQ(Doc().m_nFitState, 1);
    const CoordSysParams saved = ReadParams(L"\\Flash Disk\\Jobs\\ruvo\\", L"ruvo.par");
    EXPECT_EQ(saved.szdCorrectionH, 10.0);
    EXPECT_EQ(saved.szConF, CString(kCot));
    EXPECT_EQ(m_modals->Pending(), 0);
}

}  // namespace
}  // namespace commandstest
