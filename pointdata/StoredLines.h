// The line rules of the program's small data files ("knowdata.dat", the
// control-point files): split at each LF, drop the character before the LF
// (files written here end their lines with CR LF), stop at the first empty
// line, ignore text after the last LF.
#pragma once

#include <vector>

#include "platform/base/CString.h"

// At most `maxLines` lines (-1: all).
std::vector<CString> SplitStoredLines(const CString& text, int maxLines = -1);

// Field `index` (from 0) of `line` cut at `sep`; empty when missing.
CString StoredField(const CString& line, int index, wchar_t sep = L',');
