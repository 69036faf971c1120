#include "app/AppGlobals.h"

namespace {
const wchar_t kInstanceProperty[] = L"Vendrop";
}  // namespace

LPCTSTR InstancePropertyName() {
    return kInstanceProperty;
}

// The frame closes the link when its window goes, before this object does.
CGpsComm g_gpsComm;
