// The handheld's device libraries, loaded by name on first use: the status
// LEDs ("jettce.dll", "LedUpdate") and the tone library ("beep.dll",
// "PlayTone"). Nothing plays a tone; the program's sounds are WAV files.
#pragma once

#include "platform/base/WinTypes.h"

// FALSE when either library cannot be loaded (a debug line names it); an
// export that is missing leaves its entry unavailable and releases its
// library.
BOOL LoadDeviceLibraries();

// The result of "LedUpdate"(led, state); 0 when it is unavailable. The
// program uses LED 0 and LED 4 with state 0 (off) or 1 (on).
int SetDeviceLed(int led, int state);
