// The folder the file open and save dialogs start in and show as their
// tree's root unless told otherwise: "\Flash Disk" until the application
// sets the document's root folder at start-up.
#pragma once

#include "platform/base/CString.h"

void SetFileDialogRoot(const CString& strRootDir);
CString GetFileDialogRoot();
