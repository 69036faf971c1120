#include "app/shell/AppGlobals.h"

#include "app/link/DocumentLinkHost.h"

namespace {
const wchar_t kInstanceProperty[] = L"Vendrop";
}  // namespace

LPCTSTR InstancePropertyName() {
    return kInstanceProperty;
}

// The link's view of the document is made before the link and so goes
// after it: a reader the link still waits for at the end can report to it.
CDocumentLinkHost g_linkHost;

// The frame closes the link when its window goes, before this object does.
CGpsComm g_gpsComm;
