// The close sequence: the questions, the plan origin saved with the
// settings, then the receiver link closed and the LEDs off as the window
// goes.
#include "app/FrameMessages.h"
#include "app/coordsys/ParamAlarmDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/Clock.h"
#include "receiver/link/DeviceLibraries.h"

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        if (CVendropDoc* doc = Doc()) {
            if (doc->m_bMeasuring || doc->m_bDepthOnly || doc->m_bSounderActive ||
                doc->m_bSounderOn) {
                MessageBox(L"请首先停止测量", L"提示", MB_OK);
                return -1;
            }
            if (doc->m_bGraphModified &&
                MessageBox(L"图形已经修改,退出前需要保存吗?", L"提示", MB_YESNO) == IDYES)
                SendGraphCommand(kGraphSave);
        }
        if (MessageBox(L"确定退出程序吗?", L"提示", MB_YESNO | MB_ICONQUESTION) == IDNO) return -1;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::OnClose() {
    StoreGraphOriginAndClose();
}

void CMainFrame::StoreGraphOriginAndClose() {
    if (CVendropDoc* doc = Doc()) {
        doc->m_sysParams.ScreenStartx = m_dGraphX;
        doc->m_sysParams.ScreenStarty = m_dGraphY;
        doc->m_sysParams.ScreenScale = m_dGraphScale;
        (void)doc->SaveSystemParams();  // a failure has had its box
    }
    CFrameWnd::OnClose();
}

BOOL CMainFrame::DestroyWindow() {
    if (g_gpsComm.IsOpen()) g_gpsComm.Close();
    if (g_gpsComm.IsOpen()) g_gpsComm.Close();
    SetDeviceLed(0, 0);
    SetDeviceLed(4, 0);
    Sleep(500);
    return CFrameWnd::DestroyWindow();
}

// What the frame leaves behind must go with it: a sounder port whose reader
// sends to this window (a run may end while it is open, by a signal or the
// end of a script) is closed and its reader joined, and the parameter
// prompts, which have no owner, would outlive the frame.
void CMainFrame::OnDestroy() {
    m_sounderPort.Close();
    DestroyParamAlarmPrompts();
    CFrameWnd::OnDestroy();
}
