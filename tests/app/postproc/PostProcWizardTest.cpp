// The post-processing wizard in the running program (command 32894), every
// dialog and box answered by the modal script: the steps and their skips,
// a run from the raw file to the result files, and the result formats made,
// refused, edited and deleted through the editor and the page's buttons,
// with "dealformat.fmt" checked byte for byte after each.
#include <sys/stat.h>

#include "app/postproc/PostProcWizardDlg.h"
#include "platform/base/TextConv.h"
#include "platform/gdi/Image.h"
#include "platform/testing/DialogDump.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/testing/ReferenceText.h"
#include "res/resource.h"
#include "tests/app/convert/ConvertTest.h"
#include "tests/app/postproc/PostProcTestSupport.h"

namespace postproctest {
namespace {

using shelltest::ItemEnabled;
using shelltest::ItemText;

const wchar_t kRaw[] = L"\\Flash Disk\\Jobs\\ruvo\\data\\LN0.org";
const wchar_t kFormats[] = L"\\Flash Disk\\Jobs\\ruvo\\dealformat.fmt";

CPostProcWizardDlg& Wizard(HWND dialog) {
    return *static_cast<CPostProcWizardDlg*>(CWnd::FromHandlePermanent(dialog));
}

void ClickIn(const CWnd& page, int id) {
    ::SendMessage(::GetDlgItem(page.m_hWnd, id), BM_CLICK, 0, 0);
}

void Pick(const CWnd& page, int treeId, LPCTSTR path) {
    auto* tree =
        static_cast<CFolderTreeCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(page.m_hWnd, treeId)));
    ASSERT_NE(tree, nullptr);
    ASSERT_TRUE(tree->SelectPath(path)) << quorvel::ToUtf8(path);
}

bool Shown(const CWnd& page) {
    return (::GetWindowLong(page.m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The dialog's control dump and screen against tests/app/postproc/ref.
void ExpectScreen(HWND dialog, const std::string& name) {
    quorvel::testing::ExpectMatchesTextReference(
        quorvel::testing::DumpDialog(dialog),
        QUORVEL_SOURCE_DIR "/tests/app/postproc/ref/" + name + ".txt");
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), name);
}

class PostProcWizardTest : public converttest::ConvertTest {
  protected:
    void SetUp() override {
        ConvertTest::SetUp();
        quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/postproc/ref");
    }

    void StartWithRawFile() {
        RawEpoch stored;
        stored.name = "pt1";
        stored.gridHeight = "12.345";
        stored.stored = true;
        RawEpoch moving = stored;
        moving.stored = false;
        WriteDevice(kRaw, RawLine(stored) + RawLine(moving) + RawLine(stored));
        StartJob(converttest::PlainJob());
    }

    // The wizard to its output page on the raw file (mode 0), then `then`.
    void OnOutputPage(std::function<void(CPostProcWizardDlg&)> then) {
        m_modals->ExpectDialog(IDD_POST_PROC_WIZARD).Do([then](HWND dialog) {
            CPostProcWizardDlg& w = Wizard(dialog);
            ::SendMessage(::GetDlgItem(dialog, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
            Pick(w.m_pageOrgFile, IDC_PP_ORG_TREE, kRaw);
            ::SendMessage(::GetDlgItem(dialog, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
            ASSERT_EQ(w.m_nStep, 4);
            then(w);
            ::SendMessage(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        });
    }
};

TEST_F(PostProcWizardTest, TheStepsSkipWhatTheModeAndSourceDoNotNeed) {
    StartWithRawFile();
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot", "K1,1,2,3,30.1,117.2,3,0,0,Y,Y\r\n");
    ASSERT_EQ(mkdir(Host(L"\\Flash Disk\\Jobs\\ruvo\\x.cot").c_str(), 0755), 0);
    m_modals->ExpectDialog(IDD_POST_PROC_WIZARD).Do([](HWND d) {
        CPostProcWizardDlg& w = Wizard(d);
        auto next = [d] { ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0); };
        auto back = [d] { ::SendMessage(::GetDlgItem(d, IDC_WIZ_PREVIOUS), BM_CLICK, 0, 0); };
        EXPECT_FALSE(ItemEnabled(d, IDC_WIZ_PREVIOUS));
        EXPECT_EQ(ItemText(d, IDCANCEL), L"取消");
        next();  // mode 0: straight to the raw file
        EXPECT_EQ(w.m_nStep, 3);
        EXPECT_TRUE(Shown(w.m_pageOrgFile) && !Shown(w.m_pageMode));
        EXPECT_EQ(ItemText(w.m_pageOrgFile.m_hWnd, IDC_PP_PATH), L"\\Flash Disk\\Jobs\\ruvo\\data");
        next();  // the data folder is no file: 61601
        EXPECT_EQ(w.m_nStep, 3);
        back();
        EXPECT_EQ(w.m_nStep, 0);
        EXPECT_FALSE(ItemEnabled(d, IDC_WIZ_PREVIOUS));
        ClickIn(w.m_pageMode, IDC_PP_MODE_RECOMPUTE);
        next();
        EXPECT_EQ(w.m_nStep, 1);
        next();  // source 0: the control-point file
        EXPECT_EQ(w.m_nStep, 2);
        Pick(w.m_pageCotFile, IDC_PP_COT_TREE, L"\\Flash Disk\\Jobs\\ruvo\\x.cot");
        next();  // a folder whose name holds a "."
        EXPECT_EQ(w.m_nStep, 2);
        Pick(w.m_pageCotFile, IDC_PP_COT_TREE, L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot");
        next();
        EXPECT_EQ(w.m_nStep, 3);
        back();
        EXPECT_EQ(w.m_nStep, 2);
        back();
        ClickIn(w.m_pageParam, IDC_PP_SOURCE_JOB);
        next();  // source 1: no control-point file
        EXPECT_EQ(w.m_nStep, 3);
        back();
        EXPECT_EQ(w.m_nStep, 1);
        next();
        Pick(w.m_pageOrgFile, IDC_PP_ORG_TREE, kRaw);
        next();
        EXPECT_EQ(w.m_nStep, 4);
        EXPECT_FALSE(ItemEnabled(d, IDC_WIZ_NEXT));
        EXPECT_EQ(ItemText(d, IDCANCEL), L"确定");
        EXPECT_EQ(ItemText(w.m_pageOutput.m_hWnd, IDC_PP_RAW_PATH), std::wstring(kRaw));
        EXPECT_EQ(w.m_pageOutput.m_nMode, 1);
        EXPECT_EQ(w.m_pageOutput.m_nSource, 1);
        back();
        EXPECT_EQ(w.m_nStep, 3);
        EXPECT_TRUE(ItemEnabled(d, IDC_WIZ_NEXT));
        EXPECT_EQ(ItemText(d, IDCANCEL), L"取消");
        ::SendMessage(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
    });
    m_modals->ExpectMessageBox(L"未选择任何文件").Answer(IDOK);
    m_modals->ExpectMessageBox(L"未选择任何文件").Answer(IDOK);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(PostProcWizardTest, TheFirstAndLastPagesAndTheEditorFillTheScreen) {
    StartWithRawFile();
    m_modals->ExpectDialog(IDD_POST_PROC_WIZARD).Do([](HWND d) {
        ExpectScreen(d, "wizard_mode");
        CPostProcWizardDlg& w = Wizard(d);
        ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
        Pick(w.m_pageOrgFile, IDC_PP_ORG_TREE, kRaw);
        ExpectScreen(d, "wizard_raw_file");
        ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
        ExpectScreen(d, "wizard_output");
        ClickIn(w.m_pageOutput, IDC_PP_NEW_FORMAT);
        ::SendMessage(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
    });
    m_modals->ExpectDialog(IDD_RESULT_FORMAT)
        .Click(IDC_FMT_DEPTH_FILE)
        .Do([](HWND d) { ExpectScreen(d, "result_format"); })
        .Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"确定取消新建格式吗?").Answer(IDYES);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0);
}

// Enter in a page's edit does not end the page; Escape ends the wizard.
TEST_F(PostProcWizardTest, EnterKeepsThePageAndEscapeClosesTheWizard) {
    StartWithRawFile();
    m_modals->ExpectDialog(IDD_POST_PROC_WIZARD)
        .Do([](HWND d) {
            CPostProcWizardDlg& w = Wizard(d);
            ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
            Pick(w.m_pageOrgFile, IDC_PP_ORG_TREE, kRaw);
            ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0);
            ::SetFocus(::GetDlgItem(w.m_pageOutput.m_hWnd, IDC_PP_DATUM));
        })
        .Key(VK_RETURN)
        .Do([](HWND d) {
            CPostProcWizardDlg& w = Wizard(d);
            EXPECT_EQ(w.m_nStep, 4);
            EXPECT_TRUE(::IsWindow(w.m_pageOutput.m_hWnd) && Shown(w.m_pageOutput));
        })
        .Key(VK_ESCAPE);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0);
}

TEST_F(PostProcWizardTest, ARunWritesTheResultsAndNamesThem) {
    StartWithRawFile();
    OnOutputPage([](CPostProcWizardDlg& w) {
        const HWND page = w.m_pageOutput.m_hWnd;
        ::SendMessage(::GetDlgItem(page, IDC_PP_FORMAT), CB_SETCURSEL, 1, 0);
        ::SendMessage(page, WM_COMMAND, MAKEWPARAM(IDC_PP_FORMAT, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_PP_FORMAT)));
        ClickIn(w.m_pageOutput, IDC_PP_START);
        EXPECT_EQ(ItemText(page, IDC_PP_RESULTS), L"LN0_h.dat  LN0_d.dat  ");
    });
    m_modals->ExpectMessageBox(L"综合后处理完成").Answer(IDOK);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(ReadDevice(kFormats), "1\r\n");
    EXPECT_EQ(Doc().m_nCurFormat, 1);
    EXPECT_EQ(DataFile("LN0_h.dat"),
              "pt1,0.000,0.000,12.345,00000000\r\n"
              "pt1,0.000,0.000,12.345,00000000\r\n");
    EXPECT_EQ(DataFile("LN0_d.dat"),
              "pt1,0.000,0.000,-12.345,00000000\r\n"
              "pt1,0.000,0.000,-12.345,00000000\r\n");
}

// An unreadable raw file (removed after it was chosen) ends the run: no
// result is made and no completion is told.
TEST_F(PostProcWizardTest, ARawFileGoneBeforeTheStartEndsTheRun) {
    StartWithRawFile();
    WriteDataFile("LN0.ssd", "old\r\n");
    OnOutputPage([this](CPostProcWizardDlg& w) {
        ASSERT_EQ(unlink(Host(kRaw).c_str()), 0);
        ClickIn(w.m_pageOutput, IDC_PP_START);
        EXPECT_EQ(ItemText(w.m_pageOutput.m_hWnd, IDC_PP_RESULTS), L"");
    });
    m_modals->ExpectMessageBox(L"打开文件错误,请检查").Answer(IDOK);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(DataFile("LN0.ssd"), "old\r\n");
}

// The recompute through the pages on a job whose .par has corrections: the
// control-point file's shifts, the corrections only after Yes, then the
// results from the rewritten raw file.
TEST_F(PostProcWizardTest, TheRecomputeRewritesTheRawFileBeforeTheResults) {
    CoordSysParams job = converttest::PlainJob();
    job.szdCorrectionX = 0.5;
    job.szdCorrectionY = -0.25;
    job.szdCorrectionH = 0.125;
    RawEpoch p1;
    p1.name = "P1";
    p1.stored = true;
    WriteDevice(kRaw, RawLine(p1));
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot",
                "K1,3347936.3000,532083.5500,35.0000,30.1500000000,117.2000000000,36.500,0,0,Y,Y"
                "\r\n");
    StartJob(job);
    m_modals->ExpectDialog(IDD_POST_PROC_WIZARD).Do([](HWND d) {
        CPostProcWizardDlg& w = Wizard(d);
        auto next = [d] { ::SendMessage(::GetDlgItem(d, IDC_WIZ_NEXT), BM_CLICK, 0, 0); };
        ClickIn(w.m_pageMode, IDC_PP_MODE_RECOMPUTE);
        next();
        next();
        Pick(w.m_pageCotFile, IDC_PP_COT_TREE, L"\\Flash Disk\\Jobs\\ruvo\\ctrl.cot");
        next();
        Pick(w.m_pageOrgFile, IDC_PP_ORG_TREE, kRaw);
        next();
        ClickIn(w.m_pageOutput, IDC_PP_START);
        EXPECT_EQ(ItemText(w.m_pageOutput.m_hWnd, IDC_PP_RESULTS), L"LN0.ssd  ");
        ::SendMessage(::GetDlgItem(d, IDCANCEL), BM_CLICK, 0, 0);
    });
    m_modals->ExpectMessageBox(L"当前工程下的校正参数不为零,使用吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"综合后处理完成").Answer(IDOK);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(ReadDevice(kRaw), WithGrid(p1, "3343477.662", "538132.417", "42.503"));
    EXPECT_EQ(DataFile("LN0.ssd"),
              "P1,    ,     538132.417,    3343477.662,   -42.503,    42.503,     0.000,     "
              "0.000\r\nTRACK\r\n2026-12-07,10:00:05.00,\r\n"
              "P1,10:00:05.00,3343477.662,538132.417,1.100,12,,,42.503\r\n");
}

TEST_F(PostProcWizardTest, FormatsAreMadeRefusedEditedAndDeletedThroughThePage) {
    StartWithRawFile();
    WriteDevice(kFormats,
                "3\r\nF1:R:,:COORDSTART:txt:0:\r\nF2::;:COORDSTART:a:0:9:\r\n"
                "broken line\r\nF3::,:COORDSTART:b:9:\r\n");
    using quorvel::testing::ModalStep;
    OnOutputPage([this](CPostProcWizardDlg& w) {
        const HWND page = w.m_pageOutput.m_hWnd;
        EXPECT_EQ(::SendMessage(::GetDlgItem(page, IDC_PP_FORMAT), CB_GETCOUNT, 0, 0), 5);
        EXPECT_EQ(w.m_pageOutput.m_nFormat, 3);
        ClickIn(w.m_pageOutput, IDC_PP_NEW_FORMAT);  // refused until complete, then made
        EXPECT_EQ(
            ReadDevice(kFormats),
            "5\r\nF1:R:,:COORDSTART:txt:0:\r\nF2::;:COORDSTART:a:0:9:\r\n"
            "F3::,:COORDSTART:b:9:\r\nCoords::,:COORDSTART:txt:0:7:8:9:DEEPSTART:dep:0:19:\r\n");
        ::SendMessage(::GetDlgItem(page, IDC_PP_FORMAT), CB_SETCURSEL, 2, 0);
        ClickIn(w.m_pageOutput, IDC_PP_EDIT_FORMAT);  // F1: its reserved text goes
        EXPECT_EQ(
            ReadDevice(kFormats),
            "2\r\nF1::,:COORDSTART:txt:0:7:\r\nF2::;:COORDSTART:a:0:9:\r\n"
            "F3::,:COORDSTART:b:9:\r\nCoords::,:COORDSTART:txt:0:7:8:9:DEEPSTART:dep:0:19:\r\n");
        ClickIn(w.m_pageOutput, IDC_PP_DELETE_FORMAT);
        EXPECT_EQ(w.m_pageOutput.m_nFormat, 1);
        EXPECT_EQ(::SendMessage(::GetDlgItem(page, IDC_PP_FORMAT), CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(ReadDevice(kFormats),
                  "1\r\nF2::;:COORDSTART:a:0:9:\r\nF3::,:COORDSTART:b:9:\r\n"
                  "Coords::,:COORDSTART:txt:0:7:8:9:DEEPSTART:dep:0:19:\r\n");
        ClickIn(w.m_pageOutput, IDC_PP_EDIT_FORMAT);  // the fixed formats
        ClickIn(w.m_pageOutput, IDC_PP_DELETE_FORMAT);
        ::SendMessage(::GetDlgItem(page, IDC_PP_FORMAT), CB_SETCURSEL, 2, 0);
        ClickIn(w.m_pageOutput, IDC_PP_NEW_FORMAT);  // cancelled
        ClickIn(w.m_pageOutput, IDC_PP_START);
        EXPECT_EQ(ItemText(page, IDC_PP_RESULTS), L"LN0.a  ");
        EXPECT_EQ(DataFile("LN0.a"), "pt1;12.345\r\npt1;12.345\r\n");
    });
    // The new format: each check in turn, then complete.
    auto add = [](ModalStep& s, int list, int field, int button) -> ModalStep& {
        return s.Select(list, field).Click(button);
    };
    ModalStep& make = m_modals->ExpectDialog(IDD_RESULT_FORMAT);
    make.Click(IDOK).SetText(IDC_FMT_NAME, L"Coords").Click(IDOK);
    add(make, IDC_FMT_FIELDS, 0, IDC_FMT_COORD_ADD).Click(IDOK);
    make.SetText(IDC_FMT_COORD_EXT, L"org").Click(IDOK);
    make.SetText(IDC_FMT_COORD_EXT, L"t*t").Click(IDOK);
    make.SetText(IDC_FMT_NAME, L"Co:ords").SetText(IDC_FMT_COORD_EXT, L"txt").Click(IDOK);
    make.SetText(IDC_FMT_NAME, L"Coords").Click(IDC_FMT_DEPTH_FILE).Click(IDOK);
    add(make, IDC_FMT_FIELDS, 0, IDC_FMT_DEPTH_ADD).Click(IDOK);
    make.SetText(IDC_FMT_DEPTH_EXT, L"TXT").Click(IDOK);
    make.SetText(IDC_FMT_DEPTH_EXT, L"dep");
    add(make, IDC_FMT_FIELDS, 3, IDC_FMT_COORD_ADD);
    make.Click(IDC_FMT_COORD_DELETE);  // takes 3 off again
    add(make, IDC_FMT_FIELDS, 7, IDC_FMT_COORD_ADD);
    add(make, IDC_FMT_FIELDS, 8, IDC_FMT_COORD_ADD);
    add(make, IDC_FMT_FIELDS, 9, IDC_FMT_COORD_ADD);
    add(make, IDC_FMT_FIELDS, 19, IDC_FMT_DEPTH_ADD);
    make.Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_FMT_COORD_TEXT), L"点名,北坐标,东坐标,高程,");
            EXPECT_EQ(ItemText(d, IDC_FMT_DEPTH_TEXT), L"点名,原始水深,");
        })
        .Click(IDOK);
    for (const wchar_t* text :
         {L"定位文件格式名称不能为空", L"定位文件格式体不能为空", L"定位文件扩展名不能为空",
          L"格式名称、分隔符", L"格式名称、分隔符", L"格式名称、分隔符", L"水深文件格式体不能为空",
          L"水深文件扩展名不能为空", L"格式名称、分隔符"})
        m_modals->ExpectMessageBox(text).Answer(IDOK);
    // Editing F1.
    m_modals->ExpectMessageBox(L"确实要编辑该格式吗?").Answer(IDYES);
    m_modals->ExpectDialog(IDD_RESULT_FORMAT)
        .Do([](HWND d) {
            EXPECT_EQ(ItemText(d, IDC_FMT_NAME), L"F1");
            EXPECT_EQ(ItemText(d, IDC_FMT_COORD_TEXT), L"点名,");
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(d, IDC_FMT_DEPTH_EXT)));
        })
        .Select(IDC_FMT_FIELDS, 7)
        .Click(IDC_FMT_COORD_ADD)
        .Click(IDOK);
    m_modals->ExpectMessageBox(L"确实要删除该格式吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"系统固定格式不能编辑").Answer(IDOK);
    m_modals->ExpectMessageBox(L"系统固定格式不能删除").Answer(IDOK);
    m_modals->ExpectDialog(IDD_RESULT_FORMAT).Key(VK_ESCAPE).Key(VK_ESCAPE);
    m_modals->ExpectMessageBox(L"确定取消新建格式吗?").Answer(IDNO);
    m_modals->ExpectMessageBox(L"确定取消新建格式吗?").Answer(IDYES);
    m_modals->ExpectMessageBox(L"综合后处理完成").Answer(IDOK);
    Command(ID_POST_PROC_WIZARD);
    EXPECT_EQ(m_modals->Pending(), 0) << Transcript();
    EXPECT_EQ(Doc().m_formats.GetSize(), 3);
}

}  // namespace
}  // namespace postproctest
