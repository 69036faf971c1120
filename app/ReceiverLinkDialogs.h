// The link dialogs that the radio-settings command opens on a network or
// GSM correction link: the network connection and the GSM settings, both
// modal over the main window.
#pragma once

void RunNetConnectDialog();
void RunGsmSettingsDialog();
