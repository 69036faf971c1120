#include "app/ReceiverLinkDialogs.h"

#include "app/link/GsmSettingsDlg.h"
#include "app/link/NetConnectDlg.h"

void RunNetConnectDialog() {
    CNetConnectDlg dlg;
    dlg.DoModal();
}

void RunGsmSettingsDialog() {
    CGsmSettingsDlg dlg;
    dlg.DoModal();
}
