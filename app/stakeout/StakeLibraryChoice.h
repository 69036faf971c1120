// The two stake-out screens' use of the stake-out libraries: run the
// library dialog on the screen's file and hand back what was chosen.
//
// NOTE for the merge: the library dialogs here are still their OK/Cancel
// stand-ins, which hand nothing back, so a choice carries the file's
// points (lines) and no pick. Once the libraries land, these two bodies
// read the dialogs' return members instead (m_bPicked, m_strPick*,
// m_nPickIndex, m_points, m_nCount, m_starts, m_ends, m_chainages,
// m_strFilePath); the screens take the choice as they do now.
#pragma once

#include <vector>

#include "app/PointRecord.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "platform/framework/Afx.h"

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
