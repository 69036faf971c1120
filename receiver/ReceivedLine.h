// ReceivedLineText: the text of a line the receiver link read, from its
// bytes in the device code page (936), as the dispatcher hands it to the
// recogniser and the parsers. Same result as the code-page conversion;
// lines of plain ASCII, which is all a receiver sends, are widened byte by
// byte without it.
#pragma once

#include <cstddef>

#include "platform/base/CString.h"

CString ReceivedLineText(const char* bytes, size_t n);
