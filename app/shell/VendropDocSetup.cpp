// The document's receiver set-up commands: elevation mask, rover settings,
// the radio/GSM/network link settings with their menu text, base-station
// set-up and work mode. The instrument settings are VendropDocInstrument.cpp.
//
// Each command opens its dialog on the job's settings and, on OK, sends its
// lines and typed commands through the receiver link in a fixed order and
// rewrites the .ini where a setting changed. Nothing waits for the
// receiver: the success texts are shown whatever it did.
#include "app/link/GsmSettingsDlg.h"
#include "app/link/NetConnectDlg.h"
#include "app/link/ReceiverSetup.h"
#include "app/setup/BasePositionDlg.h"
#include "app/setup/InstrumentSetDlg.h"
#include "app/setup/RadioChannelDlg.h"
#include "app/setup/RoverSetDlg.h"
#include "app/setup/SatMaskDlg.h"
#include "app/setup/StaticModeDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

// A box with no owner, captioned "信息提示", of string `textId`.
void ShowReceiverBox(UINT textId) {
    CString text;
    CString caption;
    text.LoadString(textId);
    caption.LoadString(IDS_STRING61550);
    ::MessageBox(nullptr, text, caption, MB_ICONINFORMATION);
}

}  // namespace

void CVendropDoc::OnSetElevationMask() {
    CSatMaskDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    CString line;
    line.Format(L"ecutoff,%d\r\n", dlg.m_nGAngle);
    g_gpsComm.SendLine(line);
    m_sysParams.nGAngle = dlg.m_nGAngle;
    (void)SaveSystemParams();  // a failure has had its box
}

void CVendropDoc::OnEditRoverSettings() {
    CRoverSetDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    m_sysParams.nFixLevel = dlg.m_nFixLevel;
    m_sysParams.nRadioFormat = dlg.m_nRadioFormat;
    m_sysParams.dRmshLimit = dlg.m_dRmshLimit;
    m_sysParams.dRmsvLimit = dlg.m_dRmsvLimit;
    (void)SaveSystemParams();  // a failure has had its box
    g_gpsComm.SendLine(L"com,com2,9600\r\n");
    g_gpsComm.SendLine(RoverInterfaceModeLine(m_sysParams.nRadioFormat));
    g_gpsComm.SendLine(L"saveconfig\r\n");
}

void CVendropDoc::OnRadioSettings() {
    if (!TakesSetupCommands(m_curFix)) {
        ShowReceiverBox(IDS_STRING61631);
        return;
    }
    if (m_sysParams.GSMMODE == 2) {
        CNetConnectDlg dlg;
        dlg.DoModal();
    } else if (!HasSettableRadio(m_curFix)) {
        ShowReceiverBox(IDS_STRING61634);
    } else if (m_sysParams.GSMMODE == 1) {
        CGsmSettingsDlg dlg;
        dlg.DoModal();
    } else {
        CRadioChannelDlg dlg;
        dlg.DoModal();
    }
}

void CVendropDoc::OnUpdateRadioSettings(CCmdUI* pCmdUI) {
    CString text;
    if (m_sysParams.GSMMODE == 1)
        text.LoadString(IDS_STRING61628);
    else if (m_sysParams.GSMMODE == 2)
        text.LoadString(IDS_STRING61748);
    else
        text.LoadString(IDS_STRING61629);
    pCmdUI->SetText(text);
    pCmdUI->Enable(!m_bMeasuring && !m_bSounderActive);
}

void CVendropDoc::OnSetupBaseStation() {
    CBaseSettingDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    const CString fixLine = MakeBaseFixLine(dlg, *this);
    if (m_nReceiverType == 3) {
        CString logLine;
        logLine.Format(L"log,com2,rtcaobs,ontime,%d\r\n", dlg.m_nInterval);
        const CString lines[] = {L"com,com2,9600\r\n",
                                 L"interfacemode,com2,none,rtca\r\n",
                                 fixLine,
                                 L"dgpstxid,rtca,\"" + m_curFix.strRxId1.Right(4) + L"\"\r\n",
                                 logLine,
                                 L"log,com2,rtcaref,ontime,10\r\n",
                                 L"saveconfig\r\n"};
        for (const CString& line : lines) g_gpsComm.SendLine(line);
    }
    AfxMessageBox(IDS_STRING61630, MB_OK);
}

// The static branch asks its parameters once, after the one "C4".
void CVendropDoc::OnWorkMode() {
    CInstrumentSetDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    if (dlg.m_nMode != 1) {
        g_gpsComm.SendTypedCommand(RXCMD_WORK_MODE, L"C1");
        return;
    }
    g_gpsComm.SendTypedCommand(RXCMD_WORK_MODE, L"C4");
    CStaticModeDlg params;
    if (params.DoModal() != IDOK) return;
    g_gpsComm.SendTypedCommand(RXCMD_STATIC_PARAMS,
                               StaticParamsShortTokens(params.m_nInterval, params.m_nCutoff,
                                                       PdopTimesTen(params.m_dPdop)));
}
