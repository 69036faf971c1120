// The wizard's dialogs in the running program: every template as it shows,
// the pages' handlers by slot in both modes, Escape and closing on the
// first known-point page, the antenna height and the refused texts, the
// known-point store's entries, and job files that cannot be written.
#include <cmath>
#include <filesystem>

#include "app/calibration/BaseKnownWizardDlg.h"
#include "app/calibration/BaseUnknownWizardDlg.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "platform/testing/Printers.h"
#include "res/resource.h"
#include "tests/app/JobLibraryFiles.h"
#include "tests/app/calibration/CalibTest.h"
#include "tests/app/plan/PickPointSupport.h"

namespace calibtest {
namespace {

CString Text(HWND dialog, int id) {
    WCHAR text[128] = {};
    ::GetDlgItemText(dialog, id, text, 128);
    return CString(text);
}

std::function<void(HWND)> Matches(const char* name) {
    return [name](HWND dialog) { ExpectDialogMatches(dialog, name); };
}

std::function<void(HWND)> Shows(const wchar_t* x, const wchar_t* antenna) {
    return [x, antenna](HWND dialog) {
        EXPECT_EQ(Text(dialog, IDC_CALIB_X), CString(x));
        EXPECT_EQ(Text(dialog, IDC_CALIB_ANT_HEIGHT), CString(antenna));
    };
}

using CalibPagesTest = CalibTest;

TEST_F(CalibPagesTest, EveryTemplateAsItShows) {
    StartJob();
    m_modals->ExpectDialog(IDD_CALIB_MODE).Do(Matches("calib_mode_without_base")).Click(IDCANCEL);
    RunWizard();
    Doc().m_bBaseChanged = 1;
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1).Do(Matches("base_known_1")).Click(IDCANCEL);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD2)
        .Do(Matches("base_known_2"))
        .Click(IDC_KNOWN2_NEXT);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD3)
        .Do(Matches("base_known_3"))
        .Click(IDC_KNOWN3_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT)
        .Do(Matches("calib_prompt_known"))
        .Click(IDCANCEL);
    RunWizard();
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDC_CALIB_MODE_UNKNOWN).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD1)
        .Do(Matches("base_unknown_1"))
        .Click(IDC_UNKNOWN1_NEXT);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD2)
        .Do(Matches("base_unknown_2"))
        .Click(IDC_UNKNOWN2_NEXT);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD3)
        .Do(Matches("base_unknown_3"))
        .Click(IDC_UNKNOWN3_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDCANCEL);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);
}

// Known page 2 and unknown page 1 confirm slot 1, known page 3 and unknown
// page 2 slot 2, unknown page 3 slot 3; each page shows its slot's entry.
TEST_F(CalibPagesTest, PagesConfirmTheirSlotWhicheverModeTheyBelongTo) {
    StartJob();
    Doc().m_bBaseChanged = 1;
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
        .Do(Shows(L"0.0", L"0.0"))
        .SetText(IDC_CALIB_X, L"10")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"1.1")
        .Click(IDCANCEL);  // "下一步"
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD2)
        .SetText(IDC_CALIB_X, L"11")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"1.2")
        .Click(IDC_KNOWN2_NEXT);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD3)
        .SetText(IDC_CALIB_X, L"12")
        .SetText(IDC_CALIB_Y, L"甲")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"1.3")
        .Click(IDC_KNOWN3_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDCANCEL);
    RunWizard();
    const CVendropDoc& doc = Doc();
    EXPECT_EQ(doc.m_nCalibPointCount, 3);
    EXPECT_EQ(doc.m_coordParams.UseNum, 2);
    EXPECT_EQ(doc.m_bCalibNextStep, 0);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(doc.m_calibKnown[slot].X, 10.0 + slot);
        EXPECT_DOUBLE_EQ(doc.m_calibKnown[slot].dAntHeight, 1.1 + 0.1 * slot);
    }
    EXPECT_EQ(doc.m_calibKnown[2].Y, 0.0);  // typed text that is no number
    const std::string known = "0,10,0.0,0.0,1.1\r\n1,11,0.0,0.0,1.2\r\n2,12,\xbc\xd7,0.0,1.3\r\n";
    EXPECT_EQ(JobFile("knowdata.dat"), known);

    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDC_CALIB_MODE_UNKNOWN).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD1)
        .Do(Shows(L"11", L"1.2"))
        .SetText(IDC_CALIB_X, L"21")
        .Click(IDC_UNKNOWN1_NEXT);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD2)
        .Do(Shows(L"12", L"1.3"))
        .Click(IDC_UNKNOWN2_NEXT);
    m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD3)
        .Do(Shows(L"0.0", L"0.0"))
        .SetText(IDC_CALIB_X, L"23")
        .Click(IDC_UNKNOWN3_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDCANCEL);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(doc.m_nCalibPointCount, 4);
    EXPECT_EQ(doc.m_coordParams.UseNum, 3);
    EXPECT_EQ(doc.m_calibKnown[1].X, 21.0);
    EXPECT_EQ(doc.m_calibKnown[3].X, 23.0);
    EXPECT_EQ(JobFile("knowdata.dat"),
              "0,10,0.0,0.0,1.1\r\n1,21,0.0,0.0,1.2\r\n2,12,\xbc\xd7,0.0,1.3\r\n"
              "3,23,0.0,0.0,0.0\r\n");
}

TEST_F(CalibPagesTest, EscapeOnTheFirstKnownPageGoesOnClosingItCancelsEnterDoesNothing) {
    StartJob();
    Doc().m_bBaseChanged = 1;
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1).SetText(IDC_CALIB_X, L"7").Key(VK_ESCAPE);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD2)
        .Do([](HWND dialog) { ::PostMessage(dialog, WM_CLOSE, 0, 0); })
        .EndsLater();
    RunWizard();
    EXPECT_EQ(Doc().m_bCalibNextStep, 1);
    EXPECT_EQ(Doc().m_nCalibPointCount, 1);
    EXPECT_EQ(JobFile("knowdata.dat"), "0,7,0.0,0.0,0.0\r\n");

    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
        .SetText(IDC_CALIB_X, L"8")
        .Key(VK_RETURN)  // ends no page
        .Do([](HWND dialog) { ::PostMessage(dialog, WM_CLOSE, 0, 0); })
        .EndsLater();
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(JobFile("knowdata.dat"), "0,7,0.0,0.0,0.0\r\n");
    EXPECT_TRUE(SoundsPlayed().empty());
}

TEST_F(CalibPagesTest, ASlantHeightIsReducedToVerticalAndBadTextsAreRefused) {
    StartJob();
    Doc().m_bBaseChanged = 1;
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    auto& page = m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1);
    page.Check(IDC_CALIB_SLANT).SetText(IDC_CALIB_ANT_HEIGHT, L"0.0974").Click(IDC_KNOWN1_CORRECT);
    m_modals->ExpectMessageBox(L"斜高不能小于0.0975米,请重新输入!").Answer(IDOK);
    page.SetText(IDC_CALIB_ANT_HEIGHT, L"nan").Click(IDC_KNOWN1_CORRECT);
    m_modals->ExpectMessageBox(L"斜高不能小于0.0975米,请重新输入!").Answer(IDOK);
    for (const wchar_t* bad : {L"1,5", L"[1]", L"a=1", L"1\r\n2"}) {
        page.SetText(IDC_CALIB_ANT_HEIGHT, L"2.0")
            .SetText(IDC_CALIB_H, bad)
            .Click(IDC_KNOWN1_CORRECT);
        m_modals->ExpectMessageBox(L"输入内容不能包含逗号、方括号、等号或换行,请重新输入!")
            .Answer(IDOK);
    }
    page.SetText(IDC_CALIB_H, L"5").Click(IDC_KNOWN1_CORRECT);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDCANCEL);
    RunWizard();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_calibKnown[0].dAntHeight, std::sqrt(4.0 - 0.00950625) + 0.014);
    EXPECT_EQ(Doc().m_sysParams.nAdjustAntType, 1);
    EXPECT_EQ(JobFile("knowdata.dat"), "0,0.0,0.0,5,2.0\r\n");  // as typed

    // The next run starts on the slant radio.
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
        .Do([](HWND dialog) {
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_CALIB_SLANT),
                      static_cast<UINT>(BST_CHECKED));
            EXPECT_EQ(::IsDlgButtonChecked(dialog, IDC_CALIB_VERTICAL),
                      static_cast<UINT>(BST_UNCHECKED));
        })
        .Do([](HWND dialog) { ::PostMessage(dialog, WM_CLOSE, 0, 0); })
        .EndsLater();
    RunWizard();
}

// The library's texts come as the list shows them; a point of the plan is
// written with four decimals. Nothing picked leaves the texts.
TEST_F(CalibPagesTest, ThePickButtonsFillTheCoordinates) {
    StartJob();
    // One library file for both pickers: K1 is the list's row, P1 is tapped.
    ASSERT_TRUE(apptest::WriteJobLibrary(
        L"lib",
        L"0,K1,5668800.1,497600.25,1050,c\r\n" +
            plantest::PickLibraryRows({{L"P1", 5668801.123456, 497601.5, 1049.99996, L"x"}})));
    auto& page = m_modals->ExpectDialog(IDD_BASE_UNKNOWN_WIZARD1);
    page.SetText(IDC_CALIB_ANT_HEIGHT, L"1.7").Click(IDC_CALIB_PICK_LIBRARY);
    m_modals->ExpectDialog(IDD_COORD_LIB).Select(IDC_LIB_LIST, 0).Click(IDOK);
    page.Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_CALIB_X), CString(L"5668800.100"));
            EXPECT_EQ(Text(dialog, IDC_CALIB_Y), CString(L"497600.250"));
            EXPECT_EQ(Text(dialog, IDC_CALIB_H), CString(L"1050.000"));
        })
        .Click(IDC_CALIB_PICK_LIBRARY);
    m_modals->ExpectDialog(IDD_COORD_LIB).Click(IDCANCEL);
    page.Do(Shows(L"5668800.100", L"1.7")).Click(IDC_CALIB_PICK_PLAN);
    m_modals->ExpectDialog(IDD_PICK_POINT).Do(plantest::TapPickPoint(1)).Click(IDOK);
    page.Do([](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_CALIB_X), CString(L"5668801.1235"));
            EXPECT_EQ(Text(dialog, IDC_CALIB_Y), CString(L"497601.5000"));
            EXPECT_EQ(Text(dialog, IDC_CALIB_H), CString(L"1050.0000"));
        })
        .Click(IDC_UNKNOWN1_CORRECT);
    CBaseUnknownWizard1Dlg().DoModal();
    EXPECT_EQ(m_modals->Pending(), 0);
    EXPECT_EQ(Doc().m_calibKnown[1].X, 5668801.1235);
    // The placeholder of an empty store, then the page's own entry.
    EXPECT_EQ(JobFile("knowdata.dat"),
              "0,0.0,0.0,0.0,0.0\r\n1,5668801.1235,497601.5000,1050.0000,1.7\r\n");
}

TEST_F(CalibPagesTest, AnEntryMissingOrBehindAnEmptyLineIsAppended) {
    StartJob();
    // Known page 2 on an empty store: its entry becomes the first.
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD2)
        .SetText(IDC_CALIB_X, L"1.5")
        .Click(IDC_KNOWN2_CORRECT);
    CBaseKnownWizard2Dlg().DoModal();
    EXPECT_EQ(Doc().m_bKnownEntryLoaded, 0);
    EXPECT_EQ(JobFile("knowdata.dat"), "1,1.5,0.0,0.0,0.0\r\n");

    // Loading stops at the empty line: slot 1 is not found there.
    WriteDevice(L"\\Flash Disk\\Jobs\\ruvo\\knowdata.dat", "0,1,2,3,4\r\n\r\n1,5,6,7,8\r\n");
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD2)
        .Do(Shows(L"0.0", L"0.0"))
        .Click(IDC_KNOWN2_CORRECT);
    CBaseKnownWizard2Dlg().DoModal();
    EXPECT_EQ(JobFile("knowdata.dat"), "0,1,2,3,4\r\n1,0.0,0.0,0.0,0.0\r\n");
    EXPECT_EQ(m_modals->Pending(), 0);
}

// Files in the place of the job's knowdata.dat, .par, .ini and
// adjustcoord.RTK cannot be written (whoever runs the test): each is
// reported once, and the calibration goes on with its values in memory.
TEST_F(CalibPagesTest, JobFilesThatCannotBeWrittenAreReportedAndTheValuesKept) {
    WriteSound(m_root + "/Windows/exclam.wav");
    StartJob();
    Doc().m_bBaseChanged = 1;
    Doc().m_calibMeasured[0] = CVendropDoc::GridPoint{100.0, 200.0, 30.0};
    Doc().m_curFix.nSolution = 10;
    for (const char* name : {"knowdata.dat", "ruvo.par", "ruvo.ini", "result/adjustcoord.RTK"}) {
        const std::string path = m_root + "/Flash Disk/Jobs/ruvo/" + name;
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
    }
    m_modals->ExpectDialog(IDD_CALIB_MODE).Click(IDOK);
    m_modals->ExpectDialog(IDD_BASE_KNOWN_WIZARD1)
        .SetText(IDC_CALIB_X, L"101")
        .SetText(IDC_CALIB_Y, L"202")
        .SetText(IDC_CALIB_H, L"33")
        .SetText(IDC_CALIB_ANT_HEIGHT, L"1")
        .Check(IDC_CALIB_SLANT)
        .Click(IDC_KNOWN1_CORRECT);
    m_modals->ExpectMessageBox(L"文件保存失败,请检查!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建par文件错误,请检查错误!").Answer(IDOK);
    m_modals->ExpectMessageBox(L"创建Ini文件错误,请检查错误!").Answer(IDOK);
    m_modals->ExpectDialog(IDD_CALIB_WIZARD_PROMPT).Click(IDOK);
    m_modals->ExpectMessageBox(L"创建adjustcoord.RTK文件错误,请检查错误!").Answer(IDOK);
    RunWizard();  // the finish's .par write fails as the page's did: told already
    EXPECT_EQ(m_modals->Pending(), 0);
    const CVendropDoc& doc = Doc();
    EXPECT_EQ(doc.m_sysParams.nAdjustAntType, 1);
    EXPECT_EQ(doc.m_coordParams.UseNum, 0);
    EXPECT_EQ(doc.m_coordParams.szdCorrectionX, 1.0);
    EXPECT_EQ(doc.m_coordParams.szdCorrectionY, 2.0);
    EXPECT_DOUBLE_EQ(doc.m_coordParams.szdCorrectionH, 3.0 + std::sqrt(1.0 - 0.00950625) + 0.014);
}

}  // namespace
}  // namespace calibtest
