// Picking through the real plan picker: the points go into the job's
// coordinate library file, which the picker opens by default, and a step
// taps one of them where the picker draws it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/plan/PickPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/FileApi.h"
#include "pointdata/PointRecord.h"

namespace plantest {

inline CString PickLibraryPath(const CVendropDoc& doc) {
    return doc.m_strJobDir + doc.m_strIniName.Left(doc.m_strIniName.GetLength() - 3) + L"lib";
}

// Library records ("0" in the number field) of these points, as the job's
// library holds them.
inline CString PickLibraryRows(const std::vector<PointRecord>& points) {
    CString rows;
    for (const PointRecord& p : points) {
        CString line;
        line.Format(L"0,%s,%.6f,%.6f,%.6f,%s\r\n", p.strName, p.dX, p.dY, p.dH, p.strCode);
        rows += line;
    }
    return rows;
}

// The job's library with these points only, its folders made as needed.
inline void WritePickLibrary(const CVendropDoc& doc, const std::vector<PointRecord>& points) {
    for (int i = 1; i < doc.m_strJobDir.GetLength(); ++i)
        if (doc.m_strJobDir[i] == L'\\')
            (void)::CreateDirectory(doc.m_strJobDir.Left(i), nullptr);  // it may be there already
    const std::string bytes = quorvel::ToGbk(PickLibraryRows(points));
    ASSERT_TRUE(quorvel::WriteFileAtomic(PickLibraryPath(doc), bytes.data(), bytes.size()));
}

// A modal step's action: the stylus taps point `index` of the picker.
inline std::function<void(HWND)> TapPickPoint(int index) {
    return [index](HWND dialog) {
        auto* picker = static_cast<CPickPointDlg*>(CWnd::FromHandle(dialog));
        const POINT p = picker->ScreenPointOf(index);
        ::SendMessage(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        ::SendMessage(dialog, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    };
}

}  // namespace plantest
