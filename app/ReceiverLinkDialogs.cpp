#include "app/ReceiverLinkDialogs.h"

// The network and GSM link dialogs come with the link dialogs' own module;
// until it is there the two commands open nothing.
void RunNetConnectDialog() {}

void RunGsmSettingsDialog() {}
