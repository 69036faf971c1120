#include "app/jobs/DeleteFolderTree.h"

#include "platform/files/FileApi.h"

void DeleteFolderTree(const CString& strFolder) {
    WIN32_FIND_DATA data;
    HANDLE find = ::FindFirstFile(strFolder + L"*.*", &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                (void)::DeleteFile(strFolder + data.cFileName);  // the rest go all the same
        } while (::FindNextFile(find, &data));
        ::FindClose(find);
    }
    // A folder that stays shows in the next listing.
    (void)::RemoveDirectory(strFolder.Left(strFolder.GetLength() - 1));
}
