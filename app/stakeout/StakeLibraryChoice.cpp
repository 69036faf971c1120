#include "app/stakeout/StakeLibraryChoice.h"

#include "app/stakeout/StakeoutFiles.h"
#include "app/standin/StakeLineLibDlg.h"
#include "app/standin/StakePointLibDlg.h"

namespace stakeout {

PointLibraryChoice RunPointLibrary(CWnd* pParent, const CString& path) {
    PointLibraryChoice choice;
    CStakePointLibDlg dialog(pParent);
    choice.bOk = dialog.DoModal() == IDOK;
    choice.strPath = path;
    for (const PointRecord& p : ReadPointLibrary(path))
        if (!p.strName.IsEmpty()) choice.points.push_back(p);
    return choice;
}

LineLibraryChoice RunLineLibrary(CWnd* pParent, const CString& path) {
    LineLibraryChoice choice;
    CStakeLineLibDlg dialog(pParent);
    choice.bOk = dialog.DoModal() == IDOK;
    choice.strPath = path;
    return choice;
}

int NamedIndexOfRow(const CString& libraryPath, int row) {
    const std::vector<PointRecord> rows = ReadPointLibrary(libraryPath);
    if (row < 0 || row >= static_cast<int>(rows.size()) || rows[row].strName.IsEmpty()) return -1;
    int index = 0;
    for (int i = 0; i < row; ++i)
        if (!rows[i].strName.IsEmpty()) ++index;
    return index;
}

}  // namespace stakeout
