// The document's instrument settings: the receiver's static mode (which
// ends the program), its dynamic mode, and on the base model the base
// station's automatic start or its set-up on coordinates typed in.
#include "app/link/ReceiverSetup.h"
#include "app/setup/BaseAutoStartDlg.h"
#include "app/setup/BasePositionDlg.h"
#include "app/setup/BaseSetModeDlg.h"
#include "app/setup/InstrumentSetDlg.h"
#include "app/setup/StaticModeDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

void CVendropDoc::OnInstrumentSettings() {
    if (!TakesSetupCommands(m_curFix)) {
        CString text;
        CString caption;
        text.LoadString(IDS_STRING61631);
        caption.LoadString(IDS_STRING61550);
        ::MessageBox(nullptr, text, caption, MB_ICONINFORMATION);
        return;
    }
    CInstrumentSetDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    if (dlg.m_nMode == 1)
        SetStaticMode();
    else
        SetDynamicMode();
}

// The receiver records on its own from here; the program ends, through its
// close questions.
void CVendropDoc::SetStaticMode() {
    CStaticModeDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    g_gpsComm.SendTypedCommand(
        RXCMD_STATIC_PARAMS,
        StaticParamsTokens(dlg.m_nInterval, dlg.m_nCutoff, PdopTimesTen(dlg.m_dPdop)));
    g_gpsComm.SendTypedCommand(RXCMD_WORK_MODE, L"C4");
    g_gpsComm.SendLine(L"com,57600\r\n");
    g_gpsComm.SendLine(L"com,57600\r\n");
    if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, ID_APP_EXIT);
}

void CVendropDoc::SetDynamicMode() {
    g_gpsComm.SendTypedCommand(RXCMD_WORK_MODE, L"C1");
    if (m_nReceiverVariant != 1) {
        AfxMessageBox(IDS_STRING61632, MB_ICONINFORMATION);
        return;
    }
    CBaseSetModeDlg mode;
    if (mode.DoModal() != IDOK) return;
    if (mode.m_nResult == 0)
        SetBaseAutoStart();
    else
        SetBaseManually();
}

void CVendropDoc::SetBaseAutoStart() {
    CBaseAutoStartDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    m_sysParams.nRadioFormat = dlg.m_nFormat;
    (void)SaveSystemParams();  // a failure has had its box
    g_gpsComm.SendTypedCommand(
        RXCMD_BASE_PARAMS,
        BaseStartTokens(dlg.m_nFormat, dlg.m_nInterval, PdopTimesTen(dlg.m_dPdop), dlg.m_nCutoff));
    AfxMessageBox(IDS_STRING61633, MB_ICONINFORMATION);
}

void CVendropDoc::SetBaseManually() {
    CBaseManualSetDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    g_gpsComm.SendTypedCommand(
        RXCMD_BASE_PARAMS,
        BaseStartTokens(dlg.m_nFormat, dlg.m_nInterval, PdopTimesTen(dlg.m_dPdop), dlg.m_nCutoff));
    const CString fixLine = MakeBaseFixLine(dlg, *this);
    // Only a line that went to the receiver is repeated at its power-on.
    CString sentFixLine;
    if (m_nReceiverType == 3) {
        sentFixLine = fixLine;
        g_gpsComm.SendLine(L"com,com2,9600\r\n");
        for (const CString& line :
             BaseSetupLines(dlg.m_nFormat, fixLine, m_curFix.strRxId1, dlg.m_nInterval))
            g_gpsComm.SendLine(line);
    }
    m_sysParams.nRadioFormat = dlg.m_nFormat;
    (void)SaveSystemParams();  // a failure has had its box
    g_gpsComm.SendTypedCommand(kCmdBaseRepeat,
                               dlg.m_bRepeat ? CharacterTokens(sentFixLine) : CString(L"C0"));
    AfxMessageBox(IDS_STRING61630, MB_ICONINFORMATION);
}
