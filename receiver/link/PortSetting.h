// The receiver port choice of the settings ("Port") as a COM number.
#pragma once

// 0 is the receiver board in the expansion slot (COM5); 1 (cable), 2 (the
// built-in Bluetooth module) and any other value are COM1.
int PortNumberForSetting(int choice);
