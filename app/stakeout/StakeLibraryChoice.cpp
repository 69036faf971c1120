#include "app/stakeout/StakeLibraryChoice.h"

#include <algorithm>

#include "app/InputRules.h"
#include "app/libraries/StakeLineLibDlg.h"
#include "app/libraries/StakePointLibDlg.h"
#include "app/stakeout/StakeoutFiles.h"

namespace stakeout {

PointLibraryChoice RunPointLibrary(CWnd* pParent, const CString& path) {
    PointLibraryChoice choice;
    CStakePointLibDlg dialog(pParent);
    if (!path.IsEmpty()) dialog.SetFilePath(path);
    choice.bOk = dialog.DoModal() == IDOK;
    if (!choice.bOk) return choice;
    for (int i = 0; i < dialog.m_points.GetSize(); ++i) choice.points.push_back(dialog.m_points[i]);
    choice.bPicked = dialog.m_bPicked;
    choice.pick.strName = dialog.m_strPickName;
    choice.pick.dX = ReadNumber(dialog.m_strPickNorth);
    choice.pick.dY = ReadNumber(dialog.m_strPickEast);
    choice.pick.dH = ReadNumber(dialog.m_strPickHeight);
    choice.pick.strCode = dialog.m_strPickCode;
    choice.nPickedRow = dialog.m_nPickIndex;
    choice.strPath = dialog.m_strFilePath;
    return choice;
}

LineLibraryChoice RunLineLibrary(CWnd* pParent, const CString& path) {
    LineLibraryChoice choice;
    CStakeLineLibDlg dialog(pParent);
    if (!path.IsEmpty()) dialog.SetFilePath(path);
    choice.bOk = dialog.DoModal() == IDOK;
    if (!choice.bOk) return choice;
    choice.bPicked = dialog.m_bPicked;
    choice.nPickIndex = dialog.m_nPickIndex;
    const int count = std::min({dialog.m_nCount, static_cast<int>(dialog.m_starts.GetSize()),
                                static_cast<int>(dialog.m_ends.GetSize()),
                                static_cast<int>(dialog.m_chainages.GetSize())});
    for (int i = 0; i < count; ++i) {
        StakeLine line;
        line.start = dialog.m_starts[i];
        line.end = dialog.m_ends[i];
        line.chainage = dialog.m_chainages[i];
        choice.lines.push_back(line);
    }
    choice.strPath = dialog.m_strFilePath;
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
