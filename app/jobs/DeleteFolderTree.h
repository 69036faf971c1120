// DeleteFolderTree: empties a folder of its files and removes it. Only the
// folder's own files go; subfolders are not entered, so a folder that still
// holds one stays (with that subfolder). Nothing is reported: a file or
// folder that cannot be removed is left as it is.
#pragma once

#include "platform/base/CString.h"

// strFolder ends in a backslash.
void DeleteFolderTree(const CString& strFolder);
