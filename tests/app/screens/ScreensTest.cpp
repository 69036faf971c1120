#include "tests/app/screens/ScreensTest.h"

#include "app/FrameMessages.h"
#include "platform/testing/ReferenceImage.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"

namespace screenstest {

void ScreensTest::SetUp() {
    RecordingTest::SetUp();
    quorvel::testing::SetReferenceDirectory(QUORVEL_SOURCE_DIR "/tests/app/screens/ref");
}

CDialogViewSavePoint* ScreensTest::OpenPointScreen() {
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_SAVE_POINT);
    Pump();
    return DYNAMIC_DOWNCAST(CDialogViewSavePoint, Frame()->GetActiveView());
}

CVendropView* ScreensTest::OpenNavigation() {
    Frame()->SendMessage(WM_COMMAND, ID_VIEW_MAIN);
    Pump();
    return DYNAMIC_DOWNCAST(CVendropView, Frame()->GetActiveView());
}

void ScreensTest::Feed(const SurveyRecord& fix) {
    Doc().m_curFix = fix;
    ::PostMessage(Frame()->GetViewWnd(), WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix),
                  kGpsPositionNew);
    Pump();
}

void ScreensTest::SendStatus(const CString& word) {
    SurveyRecord fix;
    fix.strStatus = word;
    ::SendMessage(Frame()->GetViewWnd(), WM_GPS_POSITION, reinterpret_cast<WPARAM>(&fix),
                  kGpsPositionStatus);
    Pump();
}

bool ScreensTest::SettlesWithin(int messages) {
    MSG msg;
    for (int i = 0; i < messages; ++i) {
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return false;
}

quorvel::gdi::Image ScreensTest::PlanImage(CDialogViewSavePoint* screen) {
    return quorvel::gdi::CaptureWindow(screen->m_plan.m_hWnd);
}

std::vector<std::string> ScreensTest::FileLines(LPCTSTR path) const {
    if (!IsFile(path)) return {};
    std::vector<std::string> lines = SplitLines(ReadDevice(path));
    return lines;
}

SurveyRecord FixAt(double x, double y, int hour, int minute, double second) {
    return shelltest::MakeFix(x, y, hour, minute, second);
}

}  // namespace screenstest
