// The frame's echo sounder: opening its port from the settings, the
// connect command, every byte of the port framed into depths for the depth
// subscribers, and the port closed with the window.
#include "app/FrameMessages.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"

namespace {

constexpr LPCTSTR kCaption = L"提示";

}  // namespace

BOOL CMainFrame::OpenSounderPort() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return FALSE;
    return ::OpenSounderPort(m_sounderPort, m_hWnd, doc->m_sysParams, m_sounderTypes,
                             &m_curSounderType);
}

void CMainFrame::OnConnectSounder() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    if (!doc->m_sysParams.SoundUse) {
        MessageBox(
            L"1.当前未使用测深仪\r\n2.连接仪器的目的是检查测深仪数据\r\n3.开始测量后存储数据",
            kCaption);
        return;
    }
    if (!OpenSounderPort()) {
        MessageBox(L"测深仪端口打开失败,请检查", kCaption);
        return;
    }
    doc->m_bSounderActive = 1;
    if (!doc->m_bGpsData) doc->m_bSounderOn = 1;
}

void CMainFrame::OnUpdateConnectSounder(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr && !doc->m_bMeasuring && !doc->m_bSounderActive &&
                   !doc->m_bPaused && !doc->m_bDepthOnly);
}

// The reader waits in SendMessage while the depth goes round, so the
// subscribers see the block as this byte left it.
LRESULT CMainFrame::OnSounderChar(WPARAM wParam, LPARAM) {
    const BYTE byte = static_cast<BYTE>(wParam & 0xFF);
    if (m_sounderInput.OnSounderChar(byte, m_curSounderType, &m_depth) == kSounderDepthReady) {
        for (int i = 0; i < m_notifyWnds.GetSize(); ++i)
            ::SendMessage(m_notifyWnds[i], WM_SOUNDER_DEPTH, reinterpret_cast<WPARAM>(&m_depth), 0);
    }
    return 1;
}
