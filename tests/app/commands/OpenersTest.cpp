// The commands that only open a library, a screen or a tool: each runs its
// dialog and takes nothing back.
#include "app/libraries/CoordLibDlg.h"
#include "tests/app/commands/CommandsTest.h"

namespace commandstest {
namespace {

class OpenersTest : public CommandsTest {};

TEST_F(OpenersTest, EachCommandRunsItsDialogAndChangesNothing) {
    StartWithLink();
    const struct {
        UINT command;
        UINT dialog;
    } kOpeners[] = {
        // The document's.
        {ID_PARAM_WIZARD, IDD_PARAM_WIZARD},
        {ID_LATLON_LIB, IDD_LAT_LON_COORD_LIB},
        {ID_STAKE_POINT_LIB, IDD_STAKE_POINT_LIB},
        {ID_STAKE_LINE_LIB, IDD_STAKE_LINE_LIB},
        {ID_LINE_STAKEOUT, IDD_LINE_STAKEOUT},
        {ID_CALC_FOUR_PARAMS, IDD_CALC_FOUR_PARAM},
        {ID_CALC_SEVEN_PARAMS, IDD_CALC_SEVEN_PARAM},
        {ID_COORD_CONVERT, IDD_COORD_CONVERT},
        {ID_SPACE_DISTANCE, IDD_SPACE_DISTANCE},
        {ID_AREA_CALC, IDD_AREA_CALC},
        {ID_CALC_DIST_INTERSECT, IDD_DIST_INTERSECT},
        {ID_MAP_TRANS, IDD_MAP_TRANS},
        {ID_POST_PROC_WIZARD, IDD_POST_PROC_WIZARD},
        // The frame's.
        {ID_INFO_DISPLAY, IDD_INFO_DISPLAY},
        {ID_PARAM_VIEW, IDD_PARAM_VIEW},
        {ID_CALC_FORWARD, IDD_COORD_FORWARD},
        {ID_CALC_INVERSE, IDD_COORD_INVERSE},
        {ID_CALC_OFFSET_POINT, IDD_OFFSET_POINT},
        {ID_CALC_BEARING_OFFSET, IDD_BEARING_OFFSET},
        {ID_CALC_INTERSECT, IDD_INTERSECT_CALC},
        {ID_MEASURE_POINT_LIB, IDD_MEASURE_POINT_LIB},
        {ID_SYSTEM_INFO, IDD_SYSTEM_INFO},
        {ID_PORT_TEST, IDD_PORT_TEST},
    };
    const std::string par = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par");
    const std::string ini = ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini");
    for (const auto& o : kOpeners) {
        m_modals->ExpectDialog(o.dialog).Key(VK_ESCAPE);
        Command(o.command);
        EXPECT_EQ(m_modals->Pending(), 0) << o.command;
    }
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.par"), par);
    EXPECT_EQ(ReadDevice(L"\\Flash Disk\\Jobs\\ruvo\\ruvo.ini"), ini);
}

// The point stake-out screen runs with the document's stake mode set,
// which it puts back when it closes; the coordinate library opens in its
// full mode, where OK needs no picked row.
TEST_F(OpenersTest, TheStakeOutScreenAndTheCoordinateLibraryAreOpenedInTheirModes) {
    StartWithLink();
    m_modals->ExpectDialog(IDD_STAKEOUT)
        .Do([](HWND) { EXPECT_EQ(Doc().m_nStakeMode, 1); })
        .Click(IDOK);
    Command(ID_POINT_STAKEOUT);
    EXPECT_EQ(Doc().m_nStakeMode, 0);

    m_modals->ExpectDialog(IDD_COORD_LIB)
        .Do([](HWND) { EXPECT_EQ(Doc().m_nDlgContext, kContextLibrary); })
        .Click(IDOK);
    Command(ID_COORD_LIB);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
}

}  // namespace
}  // namespace commandstest
