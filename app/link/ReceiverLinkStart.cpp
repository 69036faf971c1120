#include "app/link/ReceiverLinkStart.h"

#include "app/link/DocumentLinkHost.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"

void StartReceiverLink(CVendropDoc& doc, CMainFrame& frame) {
    // Close stops a reader whether or not its port is open yet; the port's
    // own closing steps run only for an open port.
    g_gpsComm.Close();
    g_gpsComm.Reset();
    const SystemParams& params = doc.m_sysParams;
    if (params.nComMode == 0)
        g_gpsComm.SetPortParams(0, params.Port, params.Port == 2 ? 9600 : 57600, 'N', 8, 1);
    else if (params.nComMode == 1)
        g_gpsComm.SetPortParams(1, params.nInputCom, 57600, 'N', 8, 1);
    g_gpsComm.SetNotifyWindow(frame.m_hWnd);
    g_linkHost.Attach(&doc);
    g_gpsComm.SetHost(&g_linkHost);
    g_gpsComm.Start();
}
