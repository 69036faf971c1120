// The main frame as it first shows, and the About box, against their
// reference images.
#include "platform/gdi/Image.h"
#include "platform/testing/ReferenceImage.h"
#include "res/resource.h"
#include "tests/app/ShellTest.h"

namespace shelltest {
namespace {

TEST_F(ShellTest, TheMainFrameAfterStartUp) {
    CMainFrame* frame = StartAndSettle();
    ASSERT_NE(frame, nullptr);
    frame->RedrawWindow();
    Pump();
    quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), "main_frame");
}

TEST_F(ShellTest, TheAboutBoxNamesTheJobTheVersionAndTheDate) {
    CMainFrame* frame = StartAndSettle();
    m_modals->ExpectDialog(IDD_ABOUT)
        .Do([](HWND dialog) {
            WCHAR text[64] = {};
            ::GetDlgItemText(dialog, IDC_ABOUT_JOB_DIR, text, 64);
            EXPECT_EQ(CString(text), CString(L"\\Flash Disk\\Jobs\\ruvo\\"));
            ::GetDlgItemText(dialog, IDC_ABOUT_VERSION, text, 64);
            EXPECT_EQ(CString(text), CString(L"Quorvel Version 1.1"));
            ::GetDlgItemText(dialog, IDC_ABOUT_DATE, text, 64);
            EXPECT_EQ(CString(text), CString(L"2012.06.01"));
            quorvel::testing::ExpectMatchesReference(quorvel::gdi::CaptureScreen(), "about_box");
        })
        .Click(IDOK);
    frame->SendMessage(WM_COMMAND, ID_APP_ABOUT);
    EXPECT_EQ(m_modals->Pending(), 0);
}

}  // namespace
}  // namespace shelltest
