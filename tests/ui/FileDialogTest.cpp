// The file open and save dialogs run modally over a job folder in a
// temporary device root, driven through their controls: the tree tapped
// with the stylus, names typed, OK pressed, prompts answered.
#include <cstring>
#include <filesystem>
#include <functional>

#include "platform/base/Clock.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/FileDialogRoot.h"
#include "ui/FileOpenDlg.h"
#include "ui/FileSaveDlg.h"

namespace uitest {
namespace {

const wchar_t kJob[] = L"\\Flash Disk\\Jobs\\ruvo";
const wchar_t kNoFile[] = L"未选择任何文件";

std::wstring Text(HWND dialog, int id) {
    wchar_t text[300] = {};
    ::GetDlgItemText(dialog, id, text, 300);
    return text;
}

// A stylus tap on the item's label, as a user chooses it.
std::function<void(HWND)> TapItem(std::vector<std::wstring> texts) {
    return [texts](HWND dialog) {
        HWND tree = ::GetDlgItem(dialog, IDC_FILE_TREE);
        HTREEITEM item = TreeItem(tree, texts);
        ASSERT_NE(item, nullptr) << "no such item";
        ::SendMessage(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
        RECT r{};
        std::memcpy(&r, &item, sizeof item);
        ::SendMessage(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        POINT p{r.left + 3, (r.top + r.bottom) / 2};
        ::ClientToScreen(tree, &p);
        quorvel::AdvanceVirtualClock(1000);  // never a double tap
        quorvel::win::InjectStylus(p.x, p.y, true);
        quorvel::win::InjectStylus(p.x, p.y, false);
        quorvel::testing::PumpDialogMessages(dialog);
    };
}

std::function<void(HWND)> Expect(int id, std::wstring text) {
    return [id, text](HWND dialog) { EXPECT_EQ(Text(dialog, id), text) << "control " << id; };
}

std::function<void(HWND)> FocusIsOn(int id) {
    return [id](HWND) { EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), id); };
}

class FileDialogTest : public UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        if (HasFatalFailure()) return;
        WriteJobFolder();
        SetFileDialogRoot(L"\\Flash Disk");
    }
    // Every file and folder under the root, files with their bytes.
    std::string Listing() const {
        std::string out;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_root)) {
            const std::string relative = std::filesystem::relative(entry.path(), m_root).string();
            out += relative + (entry.is_regular_file() ? " " + ReadHost(relative) : "") + "\n";
        }
        return out;
    }
};

TEST_F(FileDialogTest, OpenListsTheFilterInOrderRefusesFoldersAndReturnsTheFile) {
    m_modals.ExpectDialog(IDD_FILE_OPEN)
        .Do([](HWND dialog) {
            RECT r{};
            ::GetWindowRect(dialog, &r);
            EXPECT_EQ(r.right - r.left, 240);  // shown maximised
            EXPECT_EQ(r.bottom - r.top, 320);
            HWND tree = ::GetDlgItem(dialog, IDC_FILE_TREE);
            EXPECT_EQ(Listed(tree, {L"Jobs", L"ruvo"}),
                      (std::vector<std::wstring>{L"data", L"road.1", L"A.DAT", L"b.dat", L"x.udat",
                                                 L"测量.dat"}));
            EXPECT_EQ(Text(dialog, IDC_FILE_OPEN_PATH), kJob);
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(),
                                                     "file_open_dialog");
            ExpectMatchesText(quorvel::testing::DumpDialog(dialog), "file_open_dialog");
        })
        .Click(IDOK)  // the job folder itself
        .Do(TapItem({L"Jobs", L"ruvo", L"road.1"}))
        .Do(Expect(IDC_FILE_OPEN_PATH, L"\\Flash Disk\\Jobs\\ruvo\\road.1"))
        .Click(IDOK)
        .Do(TapItem({L"Jobs", L"ruvo", L"测量.dat"}))
        .Do(Expect(IDC_FILE_OPEN_PATH, L"\\Flash Disk\\Jobs\\ruvo\\测量.dat"))
        .Click(IDOK);
    m_modals.ExpectMessageBox(kNoFile).Answer(IDOK);
    m_modals.ExpectMessageBox(kNoFile).Answer(IDOK);
    CFileOpenDlg dlg;
    dlg.AddFilter(L"*.dat");
    dlg.SetInitialPath(kJob);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString(L"\\Flash Disk\\Jobs\\ruvo\\测量.dat"));
    EXPECT_EQ(m_modals.Pending(), 0);
    EXPECT_NE(m_modals.Transcript().find("\"未选择任何文件，请先选择文件!\""), std::string::npos)
        << m_modals.Transcript();
}

TEST_F(FileDialogTest, OpenWithTwoPatternsEndingAlikeListsEachFileTwice) {
    m_modals.ExpectDialog(IDD_FILE_OPEN)
        .Do([](HWND dialog) {
            EXPECT_EQ(Listed(::GetDlgItem(dialog, IDC_FILE_TREE), {L"Jobs", L"ruvo"}),
                      (std::vector<std::wstring>{L"data", L"road.1", L"A.DAT", L"A.DAT", L"b.dat",
                                                 L"b.dat", L"x.udat", L"x.udat", L"测量.dat",
                                                 L"测量.dat"}));
        })
        .Click(IDCANCEL);
    CFileOpenDlg dlg;
    dlg.AddFilter(L"*.dat");
    dlg.AddFilter(L"*.udat");
    dlg.SetInitialPath(kJob);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(FileDialogTest, OpenStartsAtTheProgramsRootAndAMissingInitialPathSelectsNothing) {
    SetFileDialogRoot(L"\\Flash Disk\\Jobs");
    m_modals.ExpectDialog(IDD_FILE_OPEN)
        .Do([](HWND dialog) {
            HWND tree = ::GetDlgItem(dialog, IDC_FILE_TREE);
            EXPECT_EQ(::SendMessage(tree, TVM_GETNEXTITEM, TVGN_CARET, 0), 0);
            EXPECT_EQ(Listed(tree, {}), std::vector<std::wstring>{L"ruvo"});
            EXPECT_EQ(Text(dialog, IDC_FILE_OPEN_PATH), L"");
        })
        .Click(IDOK)
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(kNoFile).Answer(IDOK);
    CFileOpenDlg dlg;
    dlg.SetInitialPath(L"\\Flash Disk\\Jobs\\gone\\a.dat");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetPathName(), CString(L""));

    // ".." in the initial path: no item, no harm.
    m_modals.ExpectDialog(IDD_FILE_OPEN).Do(Expect(IDC_FILE_OPEN_PATH, L"")).Click(IDCANCEL);
    CFileOpenDlg dotted;
    dotted.SetInitialPath(L"\\Flash Disk\\Jobs\\ruvo\\..\\ruvo\\A.DAT");
    EXPECT_EQ(dotted.DoModal(), IDCANCEL);
    SetFileDialogRoot(L"\\Flash Disk");
}

TEST_F(FileDialogTest, SaveMakesThePathFromTheFolderAndTheTypedName) {
    const std::string before = Listing();
    m_modals.ExpectDialog(IDD_FILE_SAVE)
        .Do([](HWND dialog) {
            EXPECT_EQ(Listed(::GetDlgItem(dialog, IDC_FILE_TREE), {L"Jobs", L"ruvo"}),
                      (std::vector<std::wstring>{L"data", L"road.1", L"A.DAT", L"b.dat", L"x.udat",
                                                 L"测量.dat"}));
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(),
                                                     "file_save_dialog");
            ExpectMatchesText(quorvel::testing::DumpDialog(dialog), "file_save_dialog");
        })
        // A folder, then a name: the folder's path, "\", the stem and ".dat".
        .Do(TapItem({L"Jobs", L"ruvo", L"data"}))
        .Type(IDC_FILE_SAVE_NAME, L"abc.txt")
        .Do(Expect(IDC_FILE_SAVE_PATH, L"\\Flash Disk\\Jobs\\ruvo\\data\\abc.dat"))
        // A folder chosen after the name was typed keeps the name.
        .Do(TapItem({L"Jobs", L"ruvo", L"road.1"}))
        .Do(Expect(IDC_FILE_SAVE_PATH, L"\\Flash Disk\\Jobs\\ruvo\\road.1\\abc.dat"))
        .Do(Expect(IDC_FILE_SAVE_NAME, L"abc.txt"))
        // A file of the filter gives its name; a new name replaces it.
        .Do(TapItem({L"Jobs", L"ruvo", L"b.dat"}))
        .Do(Expect(IDC_FILE_SAVE_NAME, L"b.dat"))
        .Do(Expect(IDC_FILE_SAVE_PATH, L"\\Flash Disk\\Jobs\\ruvo\\b.dat"))
        .SetText(IDC_FILE_SAVE_NAME, L"survey2.txt")
        .Do(Expect(IDC_FILE_SAVE_PATH, L"\\Flash Disk\\Jobs\\ruvo\\survey2.dat"))
        .Click(IDOK);
    CFileSaveDlg dlg;
    dlg.SetFilter(L"*.dat");
    dlg.SetInitialPath(kJob);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString(L"\\Flash Disk\\Jobs\\ruvo\\survey2.dat"));
    EXPECT_EQ(Listing(), before);  // the dialog writes nothing
}

TEST_F(FileDialogTest, SaveRefusesBlankAndForbiddenNamesAndAsksBeforeOverwriting) {
    quorvel::testing::ModalStep& save = m_modals.ExpectDialog(IDD_FILE_SAVE);
    save.SetText(IDC_FILE_SAVE_NAME, L"   ").Click(IDOK).Do(FocusIsOn(IDC_FILE_SAVE_NAME));
    m_modals.ExpectMessageBox(L"文件名不能为空，请重新输入!").Answer(IDOK);
    for (const wchar_t* bad :
         {L"a\\b", L"a/b", L"a:b", L"a*b", L"a?b", L"a\"b", L"a<b", L"a>b", L"a|b"}) {
        save.SetText(IDC_FILE_SAVE_NAME, bad).Click(IDOK).Do(FocusIsOn(IDC_FILE_SAVE_NAME));
        m_modals.ExpectMessageBox(L"文件名中含有非法字符,请重新输入!").Answer(IDOK);
    }
    // An existing file: Cancel keeps the dialog, OK takes it.
    save.Do(TapItem({L"Jobs", L"ruvo", L"A.DAT"}))
        .Click(IDOK)
        .Do(FocusIsOn(IDC_FILE_SAVE_NAME))
        .Click(IDOK);
    m_modals.ExpectMessageBox(L"该文件已存在，要覆盖此文件吗?").Answer(IDCANCEL);
    m_modals.ExpectMessageBox(L"该文件已存在，要覆盖此文件吗?").Answer(IDOK);
    CFileSaveDlg dlg;
    dlg.SetFilter(L"*.dat");
    dlg.SetInitialPath(kJob);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    // The name's stem with the filter's extension: the device finds the
    // file whatever the case.
    EXPECT_EQ(dlg.GetPathName(), CString(L"\\Flash Disk\\Jobs\\ruvo\\A.dat"));
    EXPECT_EQ(m_modals.Pending(), 0);
    const std::string transcript = m_modals.Transcript();
    EXPECT_NE(transcript.find("message box \"信息提示\" \"文件名不能为空，请重新输入!\""),
              std::string::npos)
        << transcript;
    EXPECT_NE(transcript.find("message box \"信息提示\" \"该文件已存在，要覆盖此文件吗?\""),
              std::string::npos);
}

TEST_F(FileDialogTest, SaveWithTheDefaultPatternAppendsDotStar) {
    m_modals.ExpectDialog(IDD_FILE_SAVE)
        .Type(IDC_FILE_SAVE_NAME, L"abc")
        .Do(Expect(IDC_FILE_SAVE_PATH, L"\\Flash Disk\\Jobs\\ruvo\\abc.*"))
        .Do(TapItem({L"Jobs"}))
        .Do(Expect(IDC_FILE_SAVE_PATH, L"\\Flash Disk\\Jobs\\abc.*"))
        .Click(IDOK);
    CFileSaveDlg dlg;
    dlg.SetInitialPath(kJob);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.GetPathName(), CString(L"\\Flash Disk\\Jobs\\abc.*"));
}

}  // namespace
}  // namespace uitest
