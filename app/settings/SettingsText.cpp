#include "app/settings/SettingsText.h"

#include "app/DeviceFiles.h"

#include <climits>
#include <string>

#include "platform/base/TextConv.h"

BOOL LoadSettingsText(CFile& file, const CString& path, UINT openFlags, CString& text) {
    if (!DeviceFileExists(path)) return FALSE;
    if (!file.Open(path, openFlags)) return FALSE;
    ULONGLONG length = file.GetLength();
    if (length > INT_MAX) {  // far beyond any settings file; one read cannot hold it
        file.Close();
        return FALSE;
    }
    std::string bytes(static_cast<size_t>(length), '\0');
    UINT read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
    bytes.resize(read);
    text = quorvel::FromGbk(bytes.data(), bytes.size());
    return TRUE;
}
