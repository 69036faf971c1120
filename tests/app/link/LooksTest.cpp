// How each of the link dialogs looks once it is up: the text dump of its
// control tree and its picture, compared with the references.
#include "app/link/ConnectSetDlg.h"
#include "app/link/GsmSettingsDlg.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/link/NetConnectDlg.h"
#include "app/link/NetSettingsDlg.h"
#include "app/link/RefPointDlg.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "res/resource.h"
#include "tests/app/link/LinkTest.h"

namespace linktest {
namespace {

class LooksTest : public LinkTest {
  protected:
    // The step's action that takes the dialog's dump and picture.
    std::function<void(HWND)> Take(const std::string& name) {
        return [this, name](HWND dialog) {
            quorvel::testing::PumpDialogMessages(dialog);
            m_dump += "== " + name + "\n" + quorvel::testing::DumpDialog(dialog);
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureWindow(dialog), name);
        };
    }

    std::string m_dump;
};

TEST_F(LooksTest, TheLooksOfTheLinkDialogs) {
    StartProgram([](SystemParams& p) {
        p.nLinkMode = 1;
        p.nWorkMode = 2;
        p.GSMSendTimeInterval = 5;
        p.GSMSendDisInterval = 100.0;
    });
    PassFirstNotice();
    WriteDevice(L"\\Flash Disk\\BluetoothList",
                "\xB2\xE2\xC1\xBF\xD6\xF7\xBB\xFA"
                "01,00:1B:DC:0F:5A:31\r\nRTK-ROVER,00:1B:DC:0F:5A:77\r\n");
    g_gpsComm.m_strGsmBaseNumber = L"13300001111";
    m_modals->ExpectDialog(IDD_NET_CONNECT).Do(Take("net_connect")).Click(IDCANCEL);
    m_modals->ExpectDialog(IDD_NET_SETTINGS).Do(Take("net_settings")).Click(IDOK);
    m_modals->ExpectDialog(IDD_GSM_SETTINGS).Do(Take("gsm_settings")).Click(IDCANCEL);
    m_modals->ExpectDialog(IDD_CONNECT_SET).Do(Take("connect_set")).Click(IDCANCEL);
    m_modals->ExpectDialog(IDD_INFO_DISPLAY)
        .Do(Take("info_display"))
        .Do([](HWND d) { TapTab(d, 3); })
        .Do(Take("info_base_page"))
        .Click(IDOK);
    m_modals->ExpectDialog(IDD_REF_POINT).Do(Take("ref_point")).Click(IDCANCEL);
    CNetConnectDlg(Frame()).DoModal();
    CNetSettingsDlg(Frame()).DoModal();
    CGsmSettingsDlg(Frame()).DoModal();
    CConnectSetDlg connect(Frame());
    connect.m_nLinkType = 2;
    connect.DoModal();
    CInfoDisplayDlg(Frame()).DoModal();
    CRefPointDlg(Frame()).DoModal();
    ExpectMatchesText(m_dump, "dialog_dumps.txt");
}

}  // namespace
}  // namespace linktest
