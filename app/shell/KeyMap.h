// The screens' translation of the handheld's hardware keys into command
// keys, called from their key pre-translation.
#pragma once

#include "platform/base/WinTypes.h"

// 'A', 'B', 'C', 'D' or a digit for a key-down (or the system key-down of
// 'A' and 'B'); 0 for every other key and message.
int MapKeyToCommand(UINT message, WPARAM virtualKey);
