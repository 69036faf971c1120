// How the platform's own types show in gtest's failure messages: texts as
// quoted UTF-8 instead of a dump of bytes. Include this in every test that
// compares CStrings; gtest finds the printer next to the type.
#pragma once

#include <ostream>

#include "platform/base/CString.h"

void PrintTo(const CString& text, std::ostream* out);
