// The demonstration application of the framework tests: a document, two
// views in a static splitter with one-pixel gaps, a frame whose command bar
// holds menu 128 and toolbar 128, and an application object, each handling
// a few commands and logging what the framework makes them do.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framework/Afx.h"
#include "platform/framework/CommandBar.h"
#include "platform/framework/CommandBarControl.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/SplitterWnd.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/testing/TempDeviceRoot.h"
#include "platform/win/WinInternal.h"
#include "res/resource.h"

// Readable rectangles in failure messages.
inline void PrintTo(const CRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace demo {

// Commands of no menu that only one target handles.
constexpr UINT kDocOnly = 33001;
constexpr UINT kViewAndDoc = 33002;
constexpr UINT kFrameOnly = 33003;

// What the demo's classes were asked to do, in order.
std::vector<std::string>& Events();
void Log(const std::string& event);
bool Logged(const std::string& event);

class CDemoDoc : public CDocument {
    DECLARE_DYNCREATE(CDemoDoc)
  public:
    CDemoDoc();
    ~CDemoDoc() override;
    BOOL OnNewDocument() override;
    BOOL m_bMeasuring = FALSE;  // greys the job commands while set

  protected:
    afx_msg void OnDocOnly();
    afx_msg void OnViewAndDoc();
    afx_msg void OnOpenJob();
    afx_msg void OnUpdateJobCommands(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

// A view that fills itself with one colour and names itself in the log.
class CColourView : public CView {
  public:
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

  protected:
    virtual const char* Name() const = 0;
    virtual COLORREF Colour() const = 0;
};

class CTopView : public CColourView {
    DECLARE_DYNCREATE(CTopView)
  protected:
    const char* Name() const override { return "top"; }
    COLORREF Colour() const override { return RGB(255, 255, 255); }
    afx_msg void OnViewAndDoc();
    afx_msg void OnZoomIn();
    afx_msg void OnUpdateRadio(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};

class CBottomView : public CColourView {
    DECLARE_DYNCREATE(CBottomView)
  protected:
    const char* Name() const override { return "bottom"; }
    COLORREF Colour() const override { return RGB(0, 128, 0); }
};

class CWholeView : public CColourView {
    DECLARE_DYNCREATE(CWholeView)
  protected:
    const char* Name() const override { return "whole"; }
    COLORREF Colour() const override { return RGB(0, 0, 160); }
};

class CDemoSplitter : public CSplitterWnd {
  public:
    CDemoSplitter();
    using CSplitterWnd::m_cxBorder;
    using CSplitterWnd::m_cyBorder;
};

class CDemoFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CDemoFrame)
  public:
    CDemoSplitter m_wndSplitter;
    CCommandBar m_wndCommandBar;
    // Puts a new view of `cls` in place of the active one, as the
    // program's screen commands do.
    CView* SwitchTo(CRuntimeClass* cls);
    // The program's hot key: "x" exits through ID_APP_EXIT, whatever has
    // the focus.
    BOOL PreTranslateMessage(MSG* pMsg) override;

  protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClose();
    afx_msg void OnFrameOnly();
    afx_msg void OnViewToggle();
    afx_msg void OnZoomIn();
    afx_msg void OnRadio();
    afx_msg void OnParamView();
    DECLARE_MESSAGE_MAP()
};

class CDemoApp : public CWinApp {
  public:
    CDemoApp() : CWinApp(L"Demo") {}
    BOOL InitInstance() override;
    int ExitInstance() override;

  protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()
};

// A test with the demonstration application: the virtual clock, the
// platform installed, a temporary device root for the registry, and an
// application object for each test.
class DemoTest : public quorvel::testing::DeviceRootTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Makes document, frame and views through ProcessShellCommand.
    CDemoFrame* Start();
    void Tap(POINT screen);
    void Pump();  // messages, then the idle-time updates
    quorvel::framework::CommandBarControl* Bar();
    POINT TitleCentre(int title);
    POINT ItemCentre(int index);
    POINT ButtonCentre(UINT id);

    CDemoApp* m_app = nullptr;
};

}  // namespace demo
