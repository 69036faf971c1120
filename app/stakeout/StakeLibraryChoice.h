// The two stake-out screens' use of the stake-out libraries: run the
// library dialog on the screen's file and hand back what was chosen (after
// IDOK: the list, the pick and the library's file, which the user may have
// changed by opening another).
#pragma once

#include <vector>

#include "app/stakeout/StakeoutReadouts.h"
#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"

namespace stakeout {

struct PointLibraryChoice {
    BOOL bOk = FALSE;
    std::vector<PointRecord> points;  // the rows with a name, in order
    BOOL bPicked = FALSE;
    PointRecord pick;
    int nPickedRow = -1;  // the row in the library (names may be empty)
    CString strPath;
};
PointLibraryChoice RunPointLibrary(CWnd* pParent, const CString& path);

struct LineLibraryChoice {
    BOOL bOk = FALSE;
    BOOL bPicked = FALSE;
    int nPickIndex = -1;
    std::vector<StakeLine> lines;  // with their start chainages
    CString strPath;
};
LineLibraryChoice RunLineLibrary(CWnd* pParent, const CString& path);

// The index among the named rows of the library file for a picked row;
// -1 when that row has no name or lies outside the file.
int NamedIndexOfRow(const CString& libraryPath, int row);

}  // namespace stakeout
