// The measured-point library on the job's file: newest first with the
// solution icons, a point edited (the height keeping the ground), several
// deleted with a question each, and rewrites that keep what the list did
// not show or cannot replace the file.
#include <filesystem>

#include "app/points/MeasurePointLibDlg.h"
#include "app/points/StoreTypeDlg.h"
#include "platform/controls/CommCtrl.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/points/PointsTest.h"

namespace pointstest {
namespace {

using coordsystest::ItemText;

const std::string kA = "A,1.000,2.000,3.000,ca,10,0.010,0.020,12,0.90,08:00:01.00,0,0,1.000,\r\n";
const std::string kB = "B,4.000,5.000,10.000,cb,8,0.010,0.020,12,0.90,08:00:02.00,0,0,1.500,\r\n";
const std::string kC = "C,7.000,8.000,9.000,cc,5,0.010,0.020,12,0.90,08:00:03.00,0,0,2.000,\r\n";

std::wstring Cell(HWND list, int item, int column) {
    wchar_t text[128] = {};
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = text;
    lv.cchTextMax = 128;
    ::SendMessage(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
    return text;
}

int Icon(HWND list, int item) {
    LVITEMW lv{};
    lv.mask = LVIF_IMAGE;
    lv.iItem = item;
    ::SendMessage(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lv));
    return lv.iImage;
}

// Only the items given selected.
void SelectOnly(HWND d, std::initializer_list<int> items) {
    HWND list = ::GetDlgItem(d, IDC_POINT_LIB_LIST);
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    ::SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    for (int item : items) {
        LVITEMW on{};
        on.state = on.stateMask = LVIS_SELECTED;
        ::SendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                      reinterpret_cast<LPARAM>(&on));
    }
}

class LibraryTest : public PointsTest {
  protected:
    void Run() {
        CMeasurePointLibDlg dialog(&m_main);
        dialog.DoModal();
    }
};

TEST_F(LibraryTest, NewestFirstWithIconsThenAnEditAndADeleteRewriteTheFile) {
    Write(kPoints, kA + kB + kC);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_LIB)
        .Do([](HWND d) {
            HWND list = ::GetDlgItem(d, IDC_POINT_LIB_LIST);
            EXPECT_EQ(Cell(list, 0, 0) + Cell(list, 1, 0) + Cell(list, 2, 0), L"CBA");
            EXPECT_EQ(Cell(list, 1, 5), L"0.010");
            EXPECT_EQ(Cell(list, 1, 7), L"1.500");
            EXPECT_EQ(Icon(list, 0), 4);  // single
            EXPECT_EQ(Icon(list, 1), 3);  // "8": float
            EXPECT_EQ(Icon(list, 2), 2);  // fixed
            // Row 0 shown below the list.
            EXPECT_EQ(ItemText(d, IDC_POINT_LIB_NAME), L"C");
            EXPECT_EQ(ItemText(d, IDC_POINT_LIB_CODE), L"cc");
            EXPECT_EQ(ItemText(d, IDC_POINT_LIB_X), L"7");
            // A tap on A shows A.
            RECT row{};
            row.left = LVIR_BOUNDS;
            ::SendMessage(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
            POINT at{row.left + 20, (row.top + row.bottom) / 2};
            ::ClientToScreen(list, &at);
            quorvel::win::InjectStylus(at.x, at.y, true);
            quorvel::win::InjectStylus(at.x, at.y, false);
            quorvel::testing::PumpDialogMessages(d);
            EXPECT_EQ(ItemText(d, IDC_POINT_LIB_NAME), L"A");
            EXPECT_EQ(ItemText(d, IDC_POINT_LIB_H), L"3");
            SelectOnly(d, {1});
        })
        .Click(IDC_POINT_LIB_EDIT)
        .Do([](HWND d) {
            HWND list = ::GetDlgItem(d, IDC_POINT_LIB_LIST);
            EXPECT_EQ(Cell(list, 1, 3), L"9.500");
            EXPECT_EQ(Cell(list, 1, 7), L"2.000");
            EXPECT_EQ(Cell(list, 1, 0), L"B2");
        })
        .Click(IDC_POINT_LIB_DELETE)
        .Key(VK_ESCAPE);
    m_modals.ExpectDialog(IDD_EDIT_MEASURE_POINT)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_EDIT_POINT_NAME), L"B");
            EXPECT_EQ(ItemText(d, IDC_EDIT_POINT_ANT_HEIGHT), L"1.5");
        })
        .SetText(IDC_EDIT_POINT_NAME, L"B,2")
        .Click(IDOK)
        .SetText(IDC_EDIT_POINT_NAME, L"B2")
        .SetText(IDC_EDIT_POINT_ANT_HEIGHT, L"2.000")
        .Click(IDOK)
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"输入内容不能包含逗号").Answer(IDOK);
    m_modals.ExpectMessageBox(L"确定要修改吗?").Answer(IDNO);
    m_modals.ExpectMessageBox(L"确定要修改吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"确实要删除该点吗?").Answer(IDYES);
    Run();
    EXPECT_EQ(Read(kPoints), kA + kC);
}

TEST_F(LibraryTest, EachSelectedRowIsAskedAboutInListOrderAndAnEditKeepsTheGround) {
    const std::string kD = "D,1,1,1,,10,0,0,1,1,08:00:04.00,0,0,0.5,\r\n";
    Write(kPoints, kA + kB + kC + kD);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_LIB)
        .Do([](HWND d) {
            SelectOnly(d, {0, 1, 3});
        })  // D, C and A
        .Click(IDC_POINT_LIB_DELETE)
        .Do([](HWND d) {
            HWND list = ::GetDlgItem(d, IDC_POINT_LIB_LIST);
            EXPECT_EQ(Cell(list, 0, 0) + Cell(list, 1, 0), L"CB");
        })
        .Key(VK_ESCAPE);
    m_modals.ExpectMessageBox(L"确实要删除该点吗?").Answer(IDYES);  // D
    m_modals.ExpectMessageBox(L"确实要删除该点吗?").Answer(IDNO);   // C
    m_modals.ExpectMessageBox(L"确实要删除该点吗?").Answer(IDYES);  // A
    Run();
    EXPECT_EQ(Read(kPoints), kB + kC);
}

// A point appended while the library is open, the rest after an empty line
// and a cut last line all stay; a folder in the file's place gets the
// failure box and loses nothing.
TEST_F(LibraryTest, ARewriteKeepsWhatItDidNotShowOrSaysItCouldNot) {
    const std::string rest = "\r\nhidden,1,2,\r\ncut";
    Write(kPoints, kA + kB + rest);
    m_modals.ExpectDialog(IDD_MEASURE_POINT_LIB)
        .Do([&](HWND d) {
            std::filesystem::remove(HostOf(kPoints));
            Write(kPoints, kA + kB + rest + kC);
            SelectOnly(d, {0});
        })
        .Click(IDC_POINT_LIB_DELETE)
        .Key(VK_ESCAPE);
    m_modals.ExpectMessageBox(L"确实要删除该点吗?").Answer(IDYES);
    Run();
    EXPECT_EQ(Read(kPoints), kA + rest + kC);

    m_modals.ExpectDialog(IDD_MEASURE_POINT_LIB)
        .Do([&](HWND d) {
            std::filesystem::remove(HostOf(kPoints));
            std::filesystem::create_directory(HostOf(kPoints));
            Write(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat\\x", "x");
            SelectOnly(d, {0});
        })
        .Click(IDC_POINT_LIB_DELETE)
        .Do([](HWND d) {
            // The list shows the file again: it cannot be read now.
            EXPECT_EQ(::SendMessage(::GetDlgItem(d, IDC_POINT_LIB_LIST), LVM_GETITEMCOUNT, 0, 0),
                      0);
        })
        .Key(VK_ESCAPE);
    m_modals.ExpectMessageBox(L"确实要删除该点吗?").Answer(IDYES);
    m_modals.ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    Run();
    EXPECT_EQ(Read(L"\\Flash Disk\\Jobs\\ruvo\\data\\ruvo.dat\\x"), "x");
}

}  // namespace
}  // namespace pointstest

namespace pointstest {
namespace {

// The three new templates as the surveyor first sees them, one image and
// one text dump.
TEST_F(LibraryTest, TheLooksOfTheStorageTypeTheLibraryAndTheEditDialog) {
    Write(kPoints, kA + kB + kC);
    std::vector<quorvel::gdi::Image> images;
    std::string text;
    const auto take = [&](const std::string& title) {
        return [&, title](HWND d) {
            quorvel::testing::PumpDialogMessages(d);
            quorvel::win::PumpUntilIdle();
            images.push_back(quorvel::gdi::CaptureWindow(d));
            text += "== " + title + "\n" + quorvel::testing::DumpDialog(d);
        };
    };
    m_modals.ExpectDialog(IDD_STORE_TYPE).Do(take("storage type")).Click(IDCANCEL);
    CStoreTypeDlg storeType(&m_main);
    storeType.DoModal();
    m_modals.ExpectDialog(IDD_MEASURE_POINT_LIB)
        .Do(take("measured-point library"))
        .Click(IDC_POINT_LIB_EDIT)
        .Key(VK_ESCAPE);
    m_modals.ExpectDialog(IDD_EDIT_MEASURE_POINT).Do(take("edit")).Click(IDCANCEL);
    Run();
    quorvel::testing::ExpectMatchesReference(quorvel::testing::StackImages(images),
                                             "points_dialogs");
    quorvel::testing::ExpectMatchesTextReference(
        text, QUORVEL_SOURCE_DIR "/tests/app/points/ref/points_dialogs.txt");
}

}  // namespace
}  // namespace pointstest
