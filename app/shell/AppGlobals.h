// The program's global objects besides the application object: the one
// receiver link, and the name of the window property that marks a running
// copy of the program.
#pragma once

#include "platform/base/WinTypes.h"
#include "receiver/link/GpsComm.h"

extern CGpsComm g_gpsComm;

// "Vendrop", the product's internal name.
LPCTSTR InstancePropertyName();
