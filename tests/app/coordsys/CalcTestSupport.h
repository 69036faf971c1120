// What the tests of the parameter calculations share: the pair files of
// the default job, choosing and reading the list's rows, and reading the
// job's .par back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings/IniFile.h"
#include "platform/base/TextConv.h"
#include "platform/controls/ListViewDefs.h"
#include "res/resource.h"
#include "tests/app/coordsys/CoordsysTest.h"

namespace coordsystest {

inline const char kFourFile[] = "Flash Disk/Jobs/ruvo/CalFour.fou";
inline const char kSevenFile[] = "Flash Disk/Jobs/ruvo/CalSeven.sev";
inline constexpr double kArcSec = 4.848136811095216e-6;

inline std::function<void(HWND)> SelectRow(int row) {
    return [row](HWND dialog) {
        LVITEM item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendDlgItemMessage(dialog, IDC_PAIR_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&item));
    };
}

// The list's rows, cells joined by "|".
inline std::vector<std::string> ListRows(HWND dialog, int columns) {
    const HWND list = ::GetDlgItem(dialog, IDC_PAIR_LIST);
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
        std::string row;
        for (int c = 0; c < columns; ++c) {
            wchar_t text[128] = {};
            LVITEM item{};
            item.iSubItem = c;
            item.pszText = text;
            item.cchTextMax = 128;
            ::SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(r),
                          reinterpret_cast<LPARAM>(&item));
            row += (c ? "|" : "") + quorvel::ToUtf8(text);
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::string Gbk(const wchar_t* text) {
    return quorvel::ToGbk(text);
}

class CalcParamTest : public CoordsysTest {
  protected:
    // A four-parameter pair typed into the entry dialog.
    void ExpectFourEntry(const wchar_t* name, const wchar_t* n1, const wchar_t* e1,
                         const wchar_t* n2, const wchar_t* e2) {
        m_modals.ExpectDialog(IDD_FOUR_PARAM_POINT)
            .SetText(IDC_FOUR_PAIR_NAME, name)
            .SetText(IDC_FOUR_PAIR_NORTH_1, n1)
            .SetText(IDC_FOUR_PAIR_EAST_1, e1)
            .SetText(IDC_FOUR_PAIR_NORTH_2, n2)
            .SetText(IDC_FOUR_PAIR_EAST_2, e2)
            .Click(IDOK);
    }
    CoordSysParams ReadPar() {
        CIniFile ini;
        CoordSysParams params;
        EXPECT_TRUE(ini.ReadCoordParams(Doc().m_strJobDir, Doc().m_strParName, &params));
        return params;
    }
};

}  // namespace coordsystest
