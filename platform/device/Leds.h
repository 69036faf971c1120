// The handheld's status LEDs, driven by the "LedUpdate" export of the LED
// library (see DeviceLibrary.h). The program lights LED 0 and LED 4; those
// are the ones the device has. The backend shows them through the sink.
#pragma once

#include <functional>

namespace quorvel::device {

inline constexpr int kLedIds[] = {0, 4};

// Called on the thread that set the LED, for every update of an LED the
// device has, also one that leaves it as it was.
using LedSink = std::function<void(int led, bool on)>;
// Installs the sink (empty for none) and returns the previous one.
LedSink SetLedSink(LedSink sink);

// The export itself: state 0 is off, any other value on. 1 on success, 0
// for an LED the device does not have.
int LedUpdate(int led, int state);

// The LED's present state (false for one the device does not have).
bool LedIsOn(int led);
// Both LEDs off without telling the sink, for tests starting afresh.
void ResetLedsForTests();

}  // namespace quorvel::device
