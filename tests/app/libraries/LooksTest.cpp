// The looks of the library dialogs on the 240 x 320 screen, each with a
// few rows: their images stacked into one reference and their control
// trees as text.
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/CtrlPointLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/libraries/StakeLineLibDlg.h"
#include "app/libraries/StakePointLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/win/WinInternal.h"
#include "tests/app/libraries/LibraryTest.h"

namespace librariestest {
namespace {

class LooksTest : public LibraryTest {
  protected:
    std::function<void(HWND)> Take(const std::string& title) {
        return [this, title](HWND dialog) {
            quorvel::testing::PumpDialogMessages(dialog);
            quorvel::win::PumpUntilIdle();
            m_images.push_back(quorvel::gdi::CaptureWindow(dialog));
            m_text += "== " + title + "\n" + quorvel::testing::DumpDialog(dialog);
        };
    }
    std::vector<quorvel::gdi::Image> m_images;
    std::string m_text;
};

TEST_F(LooksTest, TheLooksOfTheLibraryDialogs) {
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/libraries/ref");
    WriteHost(kLibFile, Gbk(L"1,R1,3381000.000,512000.000,10.000,00000000\r\n"
                            L"0,测点1,3381234.567,512345.678,12.345,c\r\n"));
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.ptb", "0,P1,100.0,200.0,3.0,c,\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/ruvo.lnb", "A,100,200,0,c1,B,130,240,0,c2,0\r\n");
    WriteHost("Flash Disk/Jobs/ruvo/ctrl.cot",
              "K1,1000.000,2000.000,50.000,30.0000000000,0.0000000000,40.000,,,Y,Y,\r\n");
    Doc().m_coordParams.szConF = L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot";
    m_modals.ExpectDialog(IDD_COORD_LIB)
        .Do(Take("coordinate library"))
        .Click(IDC_LIB_FIND)
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_EDIT)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_FIND_COORD).Do(Take("find")).Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_EDIT_POINT).Do(Take("edit point")).Click(IDCANCEL);
    CCoordLibDlg lib;
    lib.SetMode(2);
    lib.DoModal();
    m_modals.ExpectDialog(IDD_STAKE_POINT_LIB).Do(Take("stake-out points")).Click(IDCANCEL);
    CStakePointLibDlg().DoModal();
    m_modals.ExpectDialog(IDD_STAKE_LINE_LIB)
        .Do(Take("stake-out lines"))
        .Click(IDC_LIB_ADD)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_ADD_LINE).Do(Take("add line")).Click(IDCANCEL);
    CStakeLineLibDlg().DoModal();
    m_modals.ExpectDialog(IDD_LAT_LON_COORD_LIB)
        .Do(Take("lat/long library"))
        .Click(IDC_LIB_ADD)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_ADD_GEO_COORD).Do(Take("add geodetic point")).Click(IDCANCEL);
    CLatLonCoordLibDlg().DoModal();
    m_modals.ExpectDialog(IDD_CTRL_POINT_LIB)
        .Do(Take("control points"))
        .Select(IDC_LIB_LIST, 0)
        .Click(IDC_LIB_USE)
        .Click(IDCANCEL);
    m_modals.ExpectDialog(IDD_POINT_ATTRIBUTE).Do(Take("point attribute")).Click(IDCANCEL);
    CCtrlPointLibDlg().DoModal();
    quorvel::testing::ExpectMatchesReference(quorvel::testing::StackImages(m_images),
                                             "library_dialogs");
    quorvel::testing::ExpectMatchesTextReference(
        m_text, QUORVEL_SOURCE_DIR "/tests/app/libraries/ref/library_dialogs.txt");
}

}  // namespace
}  // namespace librariestest
