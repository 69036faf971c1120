// The parameter wizard walked page by page and the viewer's texts for a
// chosen record, with the looks of every page.
#include "app/coordsys/ParamViewDlg.h"
#include "app/coordsys/ParamWizardDlg.h"
#include "platform/base/Clock.h"
#include "platform/controls/CommCtrl.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"
#include "tests/app/coordsys/CoordsysTest.h"

namespace coordsystest {
namespace {

// The wizard's page that is shown: the child dialog that is visible.
HWND ShownPage(HWND wizard) {
    HWND shown = nullptr;
    int visible = 0;
    for (HWND c = ::GetWindow(wizard, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        ::GetClassName(c, cls, 32);
        if (std::wstring(cls) == L"Dialog" && ::IsWindowVisible(c)) {
            shown = c;
            ++visible;
        }
    }
    EXPECT_EQ(visible, 1);
    return shown;
}

std::function<void(HWND)> ExpectPage(int controlOnPage, bool previous, bool next) {
    return [=](HWND wizard) {
        HWND page = ShownPage(wizard);
        EXPECT_NE(::GetDlgItem(page, controlOnPage), nullptr);
        RECT r{};
        ::GetWindowRect(page, &r);
        POINT origin{0, 0};
        ::ClientToScreen(wizard, &origin);
        EXPECT_EQ(r.left - origin.x, 5);
        EXPECT_EQ(r.top - origin.y, 5);
        EXPECT_EQ(r.right - r.left, 220);
        EXPECT_EQ(r.bottom - r.top, 235);
        EXPECT_EQ(ItemEnabled(wizard, IDC_WIZ_PREVIOUS), previous);
        EXPECT_EQ(ItemEnabled(wizard, IDC_WIZ_NEXT), next);
    };
}

// A control of the page shown, reached through the wizard.
std::function<void(HWND)> OnPage(std::function<void(HWND)> action) {
    return [action](HWND wizard) { action(ShownPage(wizard)); };
}

class WizardViewTest : public CoordsysTest {};

TEST_F(WizardViewTest, TheWizardWalksItsPagesAndHandsBackTheirValues) {
    CoordSysParams& p = Doc().m_coordParams2;
    p.nCoord = 1;
    p.szdDa = 6378140.0;
    p.szdDf = 298.257;
    p.szdCenter = 117.0;
    p.szdTk = 1.0;
    p.nSevenPar = 0;
    p.szdWx = 4.848136811095216e-6;
    p.nNiheMode = 1;
    Gallery gallery;
    m_modals.ExpectDialog(IDD_PARAM_WIZARD)
        .Do(ExpectPage(IDC_ELLIPSOID_NAME, false, true))
        .Do(gallery.Take("ellipsoid page"))
        .Do(OnPage([](HWND page) {
            // The user's own ellipsoid starts from nothing.
            ::SendDlgItemMessage(page, IDC_ELLIPSOID_NAME, CB_SETCURSEL, 4, 0);
            ::SendMessage(page, WM_COMMAND, MAKEWPARAM(IDC_ELLIPSOID_NAME, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_ELLIPSOID_NAME)));
            EXPECT_EQ(ItemText(page, IDC_ELLIPSOID_A), L"0");
            EXPECT_TRUE(ItemEnabled(page, IDC_ELLIPSOID_A));
            ::SetDlgItemText(page, IDC_ELLIPSOID_A, L"6378000");
            ::SetDlgItemText(page, IDC_ELLIPSOID_INV_F, L"299");
        }))
        .Click(IDC_WIZ_NEXT)
        .Do(ExpectPage(IDC_PROJ_CENTER, true, true))
        .Do(OnPage([](HWND page) { EXPECT_EQ(ItemText(page, IDC_PROJ_CENTER), L"117"); }))
        .Do(gallery.Take("projection page"))
        .Click(IDC_WIZ_NEXT)
        .Do(ExpectPage(IDC_FOUR_ROTATION, true, true))
        .Do(gallery.Take("four-parameter page"))
        .Click(IDC_WIZ_NEXT)
        .Do(ExpectPage(IDC_PARAM_DZ, true, true))
        .Do(OnPage([](HWND page) {
            EXPECT_EQ(ItemText(page, IDC_PARAM_WX), L"1");
            EXPECT_FALSE(ItemEnabled(page, IDC_PARAM_WX));
        }))
        .Do(gallery.Take("seven-parameter page"))
        .Click(IDC_WIZ_NEXT)
        .Do(ExpectPage(IDC_FIT_A5, true, false))
        .Do(OnPage([](HWND page) { EXPECT_TRUE(ItemEnabled(page, IDC_FIT_A5)); }))
        .Do(gallery.Take("height-fit page"))
        .Click(IDC_WIZ_NEXT)  // disabled: nothing happens
        .Do(ExpectPage(IDC_FIT_A5, true, false))
        .Click(IDC_WIZ_PREVIOUS)
        .Do(ExpectPage(IDC_PARAM_DZ, true, true))
        .Do(OnPage([](HWND page) { ::SetDlgItemText(page, IDC_PARAM_K, L"2.5"); }))
        .Click(IDC_WIZ_PREVIOUS)
        .Click(IDC_WIZ_PREVIOUS)
        .Click(IDC_WIZ_PREVIOUS)
        .Do(ExpectPage(IDC_ELLIPSOID_NAME, false, true))
        .Click(IDOK);
    CParamWizardDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pageEllipsoid.m_nCoord, 4);
    EXPECT_EQ(dlg.m_pageEllipsoid.m_dA, 6378000.0);
    EXPECT_EQ(dlg.m_pageEllipsoid.m_dInvF, 299.0);
    EXPECT_EQ(dlg.m_pageProjection.m_dCenter, 117.0);
    EXPECT_NEAR(dlg.m_pageSeven.m_dWx, 1.0, 1e-15);
    EXPECT_EQ(dlg.m_pageSeven.m_dK, 2.5);
    EXPECT_EQ(dlg.m_pageHeightFit.m_nNiheMode, 1);
    gallery.Check("wizard_pages");
}

TEST_F(WizardViewTest, TheWizardRefusesWhatCannotBeAParameterOnItsPage) {
    m_modals.ExpectDialog(IDD_PARAM_WIZARD)
        .Click(IDC_WIZ_NEXT)
        .Click(IDC_WIZ_NEXT)
        .Click(IDC_WIZ_NEXT)
        .Do(OnPage([](HWND page) { ::SetDlgItemText(page, IDC_PARAM_DX, L"12m"); }))
        .Click(IDC_WIZ_PREVIOUS)
        .Click(IDOK)  // the seven-parameter page comes back with the prompt
        .Do(ExpectPage(IDC_PARAM_DZ, true, true))
        .Do(OnPage([](HWND page) { ::SetDlgItemText(page, IDC_PARAM_DX, L"12"); }))
        .Do(OnPage([](HWND) {}))
        .Click(IDC_WIZ_PREVIOUS)
        .Click(IDC_WIZ_PREVIOUS)
        .Do(OnPage([](HWND page) { ::SetDlgItemText(page, IDC_PROJ_SCALE, L"-1"); }))
        .Click(IDC_WIZ_NEXT)
        .Click(IDOK)
        .Do(ExpectPage(IDC_PROJ_SCALE, true, true))
        .Click(IDCANCEL);
    m_modals.ExpectMessageBox(L"请输入一个数字。").Answer(IDOK);
    m_modals.ExpectMessageBox(L"投影比例尺必须大于0,请重新输入!").Answer(IDOK);
    const CoordSysParams before = Doc().m_coordParams2;
    CParamWizardDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(Doc().m_coordParams2.szdTk, before.szdTk);
}

TEST_F(WizardViewTest, TheWizardStartsFromANewJobsParametersBeforeAnyJob) {
    CVendropDoc fresh;
    CVendropDoc* previous = g_pDoc;
    g_pDoc = &fresh;
    m_modals.ExpectDialog(IDD_PARAM_WIZARD)
        .Do(OnPage([](HWND page) { EXPECT_EQ(ItemText(page, IDC_ELLIPSOID_A), L"6378245"); }))
        .Click(IDC_WIZ_NEXT)
        .Do(OnPage([](HWND page) { EXPECT_EQ(ItemText(page, IDC_PROJ_Y_CONST), L"500000"); }))
        .Click(IDCANCEL);
    CParamWizardDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    g_pDoc = previous;
}

TEST_F(WizardViewTest, TheViewerShowsTheRecordInItsFormats) {
    CoordSysParams& p = Doc().m_coordParams;
    p.nCoord = 7;  // no such ellipsoid: no name
    p.szdDa = 6378137.0;
    p.szdDf = 298.257223563;
    p.szdCenter = 114.5;
    p.szlTx = -2000;
    p.szlTy = 500000;
    p.szdTk = 0.9996;
    p.szdTHigh = 35.25;
    p.szdTlon = 0.0;
    p.szdCorrectionX = 0.12345;
    p.nDifang = 1;
    p.szdCx1 = 1.5;
    p.szdCa1 = 0.5 * 0.01745329251994278;
    p.szdCk1 = 1.000001;
    p.nNiheMode = 0;
    p.szdNiheA2 = -0.25;
    p.nSevenPar = 1;
    p.szddz = -3.25;
    p.szdWy = 2 * 4.848136811095216e-6;
    p.szddK = 1.5e-6;
    Gallery gallery;
    m_modals.ExpectDialog(IDD_PARAM_VIEW)
        .Do([&gallery](HWND dialog) {
            HWND tab = ::GetDlgItem(dialog, IDC_PARAM_VIEW_TAB);
            for (int i = 0; i < 4; ++i) {
                // A tap on the tab, as the surveyor chooses a page.
                RECT r{};
                ::SendMessage(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                              reinterpret_cast<LPARAM>(&r));
                POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
                ::ClientToScreen(tab, &p);
                quorvel::AdvanceVirtualClock(1000);
                quorvel::win::InjectStylus(p.x, p.y, true);
                quorvel::win::InjectStylus(p.x, p.y, false);
                quorvel::testing::PumpDialogMessages(dialog);
                gallery.Add(dialog, "tab " + std::to_string(i));
            }
        })
        .Click(IDOK);
    CParamViewDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_pageProj.m_strEllipsoid, L"");
    EXPECT_EQ(dlg.m_pageProj.m_strA, L"6378137.000000");
    EXPECT_EQ(dlg.m_pageProj.m_strInvF, L"298.2572235630");
    EXPECT_EQ(dlg.m_pageProj.m_strCenter, L"114.300000");
    EXPECT_EQ(dlg.m_pageProj.m_strTx, L"-2000");
    EXPECT_EQ(dlg.m_pageProj.m_strTk, L"0.99960000");
    EXPECT_EQ(dlg.m_pageProj.m_strTHigh, L"35.2500");
    EXPECT_EQ(dlg.m_pageFour.m_strCorrectionX, L"0.1235");
    EXPECT_EQ(dlg.m_pageFour.m_strInUse, L"使用四参");
    EXPECT_EQ(dlg.m_pageFour.m_strCx, L"1.5000000000");
    EXPECT_EQ(dlg.m_pageFour.m_strCa, L"0.3000000000");
    EXPECT_EQ(dlg.m_pageFour.m_strCk, L"1.0000010000");
    EXPECT_EQ(dlg.m_pageFit.m_strInUse, L"未使用拟合参数");
    EXPECT_EQ(dlg.m_pageFit.m_strA[2], L"-0.2500000000");
    EXPECT_EQ(dlg.m_pageSeven.m_strInUse, L"使用七参数");
    EXPECT_EQ(dlg.m_pageSeven.m_strDz, L"-3.250000");
    EXPECT_EQ(dlg.m_pageSeven.m_strWy, L"2.000000");
    EXPECT_EQ(dlg.m_pageSeven.m_strK, L"1.500000");
    gallery.Check("parameter_viewer");
}

}  // namespace
}  // namespace coordsystest
