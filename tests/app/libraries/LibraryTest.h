// What the library dialogs' tests share: the default job "ruvo" with its
// data folder, its library files by host path, and the list's rows.
#pragma once

#include <string>
#include <vector>

#include "platform/base/TextConv.h"
#include "res/resource.h"
#include "tests/app/coordsys/CalcTestSupport.h"
#include "tests/app/coordsys/CoordsysTest.h"

namespace librariestest {

inline const char kLibFile[] = "Flash Disk/Jobs/ruvo/ruvo.lib";
inline const char kWgsFile[] = "Flash Disk/Jobs/ruvo/ruvo.WGS";
inline const char kDataDir[] = "Flash Disk/Jobs/ruvo/data/";

using coordsystest::Gbk;
using coordsystest::ListRows;

class LibraryTest : public coordsystest::CoordsysTest {
  protected:
    void SetUp() override {
        CoordsysTest::SetUp();
        WriteHost(std::string(kDataDir) + "keep", "");
    }
    // The file-open dialog answered with a file of the data folder.
    void ExpectOpen(const wchar_t* name) {
        m_modals.ExpectDialog(IDD_FILE_OPEN)
            .Do(shelltest::ChooseInTree({L"Jobs", L"ruvo", L"data", name}))
            .Click(IDOK);
    }
};

// The image of each row, as digits.
inline std::string RowImages(HWND dialog) {
    const HWND list = ::GetDlgItem(dialog, IDC_LIB_LIST);
    std::string images;
    const int count = static_cast<int>(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = r;
        ::SendMessage(list, LVM_GETITEM, 0, reinterpret_cast<LPARAM>(&item));
        images += std::to_string(item.iImage);
    }
    return images;
}

}  // namespace librariestest
