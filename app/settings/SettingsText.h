// Whole-file reading shared by the settings files.
#pragma once

#include "platform/base/CString.h"
#include "platform/files/File.h"

// Reads the whole file at `path` with `file` (opened with `openFlags`, closed
// again) and converts exactly the bytes read from the device code page.
// FALSE when the path names no existing file (a folder does not count) or
// the file cannot be opened; `text` is untouched then.
BOOL LoadSettingsText(CFile& file, const CString& path, UINT openFlags, CString& text);
