// The file-format conversion in the running program: command 32818 opens
// the dialog, the source and target are chosen through the file dialogs,
// "转换" converts, and the files are compared byte for byte with references
// typed by hand (data/write-format-references.sh); the drawing is read back
// by another DXF reader.
#include "app/convert/FileConvertDlg.h"
#include "platform/base/TextConv.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/TreeItems.h"
#include "res/resource.h"
#include "tests/app/convert/ConvertTest.h"

namespace converttest {
namespace {

using shelltest::ItemEnabled;
using shelltest::ItemText;

const wchar_t kDone[] = L"转换完毕，成果文件为:";
const wchar_t kNoData[] = L"原始数据文件中无数据,请检查!";
const wchar_t kSameFile[] = L"源文件和目标文件不能相同!";
const wchar_t kNotCreated[] = L"创建成果文件错误,请检查";
const wchar_t kOverwrite[] = L"该文件已存在";

enum Format { kCommaNameCode = 0, kBlankNameCode = 1, kCommaXyhCode = 4, kBlankXyhCode = 5 };
constexpr int kZdm = 7;
constexpr int kDxf = 8;

// The texts of the file tree's root item and of the items below it.
std::vector<std::wstring> TreeTexts(HWND dialog) {
    using namespace quorvel::testing;
    HWND tree = ::GetDlgItem(dialog, IDC_FILE_TREE);
    const HTREEITEM root = TreeRoot(tree);
    std::vector<std::wstring> texts{TreeItemText(tree, root)};
    for (const std::wstring& text : TreeChildTexts(tree, root)) texts.push_back(text);
    return texts;
}

class FormatConvertTest : public ConvertTest {
  protected:
    void SetUp() override {
        ConvertTest::SetUp();
        if (HasFatalFailure()) return;
        StartJob(PlainJob());
    }

    quorvel::testing::ModalStep& OpenDialog() { return m_modals->ExpectDialog(IDD_FILE_CONVERT); }

    // One conversion in the open dialog: the format chosen, the source and
    // the target picked, "转换" pressed, its box (holding `box`) answered.
    // A target that exists already is confirmed in the save dialog.
    void Convert(quorvel::testing::ModalStep& dialog, int formatIndex, LPCTSTR source,
                 LPCTSTR targetName, LPCTSTR box = kDone, bool targetExists = false,
                 LPCTSTR targetFolder = kDataFolder) {
        dialog.Select(IDC_FILE_CONVERT_FORMAT, formatIndex).Click(IDC_FILE_CONVERT_SOURCE_BROWSE);
        AnswerOpen(*m_modals, (CString(kDataDir) + source).GetString());
        dialog.Click(IDC_FILE_CONVERT_TARGET_BROWSE);
        AnswerSave(*m_modals, targetFolder, targetName);
        if (targetExists) m_modals->ExpectMessageBox(kOverwrite).Answer(IDOK);
        dialog.Click(IDC_FILE_CONVERT_RUN);
        m_modals->ExpectMessageBox(box).Answer(IDOK);
    }

    // "退出", then the command that runs it all.
    void Run(quorvel::testing::ModalStep& dialog) {
        dialog.Click(IDCANCEL);
        Command(ID_FILE_CONVERT);
        EXPECT_EQ(m_modals->Pending(), 0);
        EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
    }

    // ezdxf's account of a drawing in the data folder.
    std::string ReadBack(const std::string& name) {
        const quorvel::testing::ProcessResult r = quorvel::testing::RunProcess(
            "/usr/bin/python3",
            {QUORVEL_SOURCE_DIR "/tests/app/convert/read_dxf.py",
             Host((CString(kDataDir) + quorvel::FromUtf8(name)).GetString())},
            m_root);
        EXPECT_EQ(r.status, 0) << "Debian's python3-ezdxf could not read " << name << ":\n"
                               << r.err;
        return r.out;
    }
};

TEST_F(FormatConvertTest, TheDialogFillsTheScreenAndItsFormatPicksTheTargetsExtension) {
    Doc().m_nDlgContext = kContextDefault;
    WriteDataFile("a.dat", "");
    WriteDataFile("b.txt", "");
    WriteDataFile(quorvel::ToUtf8(L"测点.dat"), "");
    auto& dialog = OpenDialog().Do([](HWND dialog) {
        EXPECT_EQ(Doc().m_nDlgContext, kContextConvert);
        RECT r{};
        ::GetWindowRect(dialog, &r);
        EXPECT_EQ(r.right - r.left, 240);
        EXPECT_EQ(r.bottom - r.top, 320);
        EXPECT_FALSE(ItemEnabled(dialog, IDC_FILE_CONVERT_SOURCE));
        EXPECT_FALSE(ItemEnabled(dialog, IDC_FILE_CONVERT_TARGET));
        EXPECT_TRUE(ItemEnabled(dialog, IDC_FILE_CONVERT_SOURCE_BROWSE));
        ExpectDialogMatches(dialog, "file_convert_dialog");
    });
    // The source is picked among the data folder's point files.
    dialog.Click(IDC_FILE_CONVERT_SOURCE_BROWSE);
    m_modals->ExpectDialog(IDD_FILE_OPEN)
        .Do([](HWND open) {
            EXPECT_EQ(TreeTexts(open), (std::vector<std::wstring>{L"\\Flash Disk\\Jobs\\ruvo\\data",
                                                                  L"a.dat", L"测点.dat"}));
        })
        .Click(IDCANCEL);
    const std::pair<int, const wchar_t*> filters[] = {
        {kZdm, L"\\Flash Disk\\Jobs\\ruvo\\data\\p.dmx"},
        {kDxf, L"\\Flash Disk\\Jobs\\ruvo\\data\\p.dxf"},
        {kBlankXyhCode, L"\\Flash Disk\\Jobs\\ruvo\\data\\p.dat"}};
    for (const auto& [index, path] : filters) {
        dialog.Select(IDC_FILE_CONVERT_FORMAT, index).Click(IDC_FILE_CONVERT_TARGET_BROWSE);
        AnswerSave(*m_modals, kDataFolder, L"p.txt");
        dialog.Do([path = std::wstring(path)](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_FILE_CONVERT_TARGET), path);
        });
    }
    // Choosing nothing converts nothing: the source is no file.
    dialog.Click(IDC_FILE_CONVERT_RUN);
    m_modals->ExpectMessageBox(kNoData).Answer(IDOK);
    Run(dialog);
    EXPECT_EQ(List(kDataFolder), (std::vector<std::string>{"a.dat", "b.txt", "测点.dat"}));
}

// Run outside the output step the source is the caller's: its button is
// disabled.
TEST_F(FormatConvertTest, OutsideTheOutputStepTheSourceCannotBeChosen) {
    Doc().m_nDlgContext = kContextLibrary;
    m_modals->ExpectDialog(IDD_FILE_CONVERT)
        .Do([](HWND dialog) {
            EXPECT_FALSE(ItemEnabled(dialog, IDC_FILE_CONVERT_SOURCE_BROWSE));
            EXPECT_TRUE(ItemEnabled(dialog, IDC_FILE_CONVERT_TARGET_BROWSE));
        })
        .Click(IDCANCEL);
    CFileConvertDlg dialog;
    dialog.DoModal();
    EXPECT_EQ(Doc().m_nDlgContext, kContextDefault);
}

TEST_F(FormatConvertTest, TheWorkedExamplesComeOutByteForByte) {
    WriteDataFile("one.dat", "P1,100.5,200.25,10,DK1+20\r\n");
    WriteDataFile("zdm.dat",
                  "P1,0,0,10,DK0+100\r\nP2,0,0,11,X\r\nP3,0,0,12,DK0+150\r\n"
                  "P4,0,0,13,X\r\n");
    WriteDataFile("p1.dat", "P1,100,200,10,\r\n");
    auto& dialog = OpenDialog();
    Convert(dialog, kCommaNameCode, L"one.dat", L"one1");
    Convert(dialog, kBlankXyhCode, L"one.dat", L"one6");
    Convert(dialog, kZdm, L"zdm.dat", L"zdm");
    Convert(dialog, kDxf, L"p1.dat", L"p1");
    Run(dialog);
    EXPECT_EQ(DataFile("one1.dat"), "P1,DK1+20,200.25,100.5,10\r\n");
    EXPECT_EQ(DataFile("one6.dat"), "P1 100.5 200.25 10 DK1+20\r\n");
    EXPECT_EQ(DataFile("zdm.dmx"),
              "0 0\r\n-100.0000   1.0000\r\n50.0000   2.0000\r\n"
              "50.0000   3.0000\r\n");
    EXPECT_EQ(DataFile("p1.dxf"), Data("p1.dxf"));
    // Each box names the target it wrote.
    const std::string boxes = Transcript();
    EXPECT_NE(boxes.find("\"转换完毕，成果文件为:\\Flash Disk\\Jobs\\ruvo\\data\\zdm.dmx\""),
              std::string::npos)
        << boxes;
}

TEST_F(FormatConvertTest, OneSourceInAllNineFormats) {
    WriteDataFile("survey.dat", Data("survey.dat"));
    auto& dialog = OpenDialog();
    for (int index = 0; index < 9; ++index) {
        const CString name = CString(L"s") + static_cast<wchar_t>(L'1' + index);
        Convert(dialog, index, L"survey.dat", name.GetString());
    }
    Run(dialog);
    const char* extensions[] = {".dat", ".dat", ".dat", ".dat", ".dat",
                                ".dat", ".dat", ".dmx", ".dxf"};
    for (int format = 1; format <= 9; ++format) {
        const std::string name = "s" + std::to_string(format) + extensions[format - 1];
        EXPECT_EQ(DataFile(name), Data("survey." + std::to_string(format))) << name;
    }
    EXPECT_EQ(DataFile("survey.dat"), Data("survey.dat"));
}

TEST_F(FormatConvertTest, TheDrawingReadsBackInAnotherDxfReader) {
    WriteDataFile("survey.dat", Data("survey.dat"));
    WriteDataFile("empty.dat", "");
    auto& dialog = OpenDialog();
    Convert(dialog, kDxf, L"survey.dat", L"survey");
    Convert(dialog, kDxf, L"empty.dat", L"empty", kNoData);
    Run(dialog);
    EXPECT_EQ(ReadBack("survey.dxf"),
              "errors 0 fixes 0\n"
              "POINT layer 0 colour 4 538130.9197 3343474.4067 45.6780\n"
              "TEXT layer 0 538130.9197 3343474.4067 0.0000 height 0.001 测点1\n"
              "POINT layer 0 colour 4 200.2500 100.5000 10.0000\n"
              "TEXT layer 0 200.2500 100.5000 0.0000 height 0.001 P2\n"
              "POINT layer 0 colour 4 -12.5000 0.0000 7.0000\n"
              "TEXT layer 0 -12.5000 0.0000 0.0000 height 0.001 点三\n"
              "POINT layer 0 colour 4 2.5000 1.2346 0.0000\n"
              "TEXT layer 0 2.5000 1.2346 0.0000 height 0.001 P4\n");
    EXPECT_EQ(DataFile("empty.dxf"),
              " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n 0\r\nENDSEC\r\n 0\r\nEOF\r\n");
    EXPECT_EQ(ReadBack("empty.dxf"), "errors 0 fixes 0\n");
}

// A refused or failed conversion tells why and leaves every file as it was.
TEST_F(FormatConvertTest, RefusalsKeepTheSourceAndThePreviousTarget) {
    const std::string points = "P1,1,2,3,A\r\n";
    WriteDataFile("pts.dat", points);
    WriteDataFile("old.dat", "the previous result\r\n");
    auto& dialog = OpenDialog();
    // The source as the target, spelt in other letters.
    Convert(dialog, kCommaNameCode, L"pts.dat", L"PTS", kSameFile, true);
    // A source that is not there.
    Convert(dialog, kCommaNameCode, L"gone.dat", L"old", kNoData, true);
    Convert(dialog, kCommaNameCode, L"gone.dat", L"new", kNoData);
    // A target inside a "folder" that is a file.
    Convert(dialog, kDxf, L"pts.dat", L"out", kNotCreated, false,
            L"\\Flash Disk\\Jobs\\ruvo\\data\\pts.dat");
    Run(dialog);
    EXPECT_EQ(DataFile("pts.dat"), points);
    EXPECT_EQ(DataFile("old.dat"), "the previous result\r\n");
    EXPECT_EQ(List(kDataFolder), (std::vector<std::string>{"old.dat", "pts.dat"}));
    const std::string boxes = Transcript();
    EXPECT_NE(boxes.find("message box \"提示\" \"源文件和目标文件不能相同!\""), std::string::npos);
    EXPECT_NE(boxes.find("message box \"提示\" \"创建成果文件错误,请检查\""), std::string::npos);
}

// An empty source, or one whose first line is empty, converts nothing: the
// target is still made, empty, and the no-data box shows.
TEST_F(FormatConvertTest, ASourceWithoutLinesGivesAnEmptyTarget) {
    WriteDataFile("empty.dat", "");
    WriteDataFile("blank.dat", "\r\nP1,1,2,3,A\r\n");
    WriteDataFile("old.dat", "the previous result\r\n");
    WriteDataFile("nolf.dat", "P1,1,2,3,A\r\nP2,4,5,6,B");
    auto& dialog = OpenDialog();
    Convert(dialog, kCommaNameCode, L"empty.dat", L"e", kNoData);
    Convert(dialog, kZdm, L"blank.dat", L"old", kNoData);
    Convert(dialog, kCommaNameCode, L"blank.dat", L"old", kNoData, true);
    Convert(dialog, kCommaNameCode, L"nolf.dat", L"n");
    Run(dialog);
    EXPECT_EQ(DataFile("e.dat"), "");
    EXPECT_EQ(DataFile("old.dmx"), "");
    EXPECT_EQ(DataFile("old.dat"), "");
    EXPECT_EQ(DataFile("n.dat"), "P1,A,2,1,3\r\n");  // the last line has no LF
}

// Texts are copied as they stand, whatever they hold and however long;
// numbers that are not numbers, or not finite, read as 0; extra fields are
// not part of the code.
TEST_F(FormatConvertTest, OddFieldsAreCopiedOrReadAsZero) {
    std::string thirty = "N2,1,2,3,DK0+5";
    for (int i = 5; i < 30; ++i) thirty += ",f" + std::to_string(i);
    std::string longName;
    for (int i = 0; i < 2500; ++i) longName += "测";
    const std::string longGbk = Gbk(longName);
    ASSERT_EQ(longGbk.size(), 5000u);
    WriteDataFile("odd.dat",
                  "N1,abc,nan,1e999,DK2+1e999\r\n" + thirty + "\r\n" + longGbk + ",7,8,9,X\r\n");
    auto& dialog = OpenDialog();
    Convert(dialog, kCommaXyhCode, L"odd.dat", L"out");
    Convert(dialog, kZdm, L"odd.dat", L"out");
    Convert(dialog, kDxf, L"odd.dat", L"out");
    Run(dialog);
    // Compared whole, reported short: the long name would flood the log.
    const std::string copied = DataFile("out.dat");
    EXPECT_TRUE(copied ==
                "N1,abc,nan,1e999,DK2+1e999\r\nN2,1,2,3,DK0+5\r\n" + longGbk + ",7,8,9,X\r\n")
        << copied.size() << " bytes: " << copied.substr(0, 80);
    // The first chainage 2000 (+ "1e999" read as 0); DK0+5 is 5; X carries 5.
    EXPECT_EQ(DataFile("out.dmx"), "0 0\r\n-1995.0000   3.0000\r\n-1995.0000   9.0000\r\n");
    const std::string drawing = DataFile("out.dxf");
    EXPECT_NE(drawing.find(" 10\r\n0.0000\r\n 20\r\n0.0000\r\n 30\r\n0.0000\r\n"),
              std::string::npos);
    EXPECT_NE(drawing.find("1\r\n" + longGbk + "\r\n 0\r\nENDSEC"), std::string::npos);
}

}  // namespace
}  // namespace converttest
