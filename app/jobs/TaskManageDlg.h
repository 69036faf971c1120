// CTaskManageDlg (dialog 184 "任务管理"): the other programs' windows, to
// switch to one ("切换") or close it ("结束"). Listed are the titles of
// the top-level windows, in z-order, that are visible, have no owner and a
// title, and are neither this program's main window nor the shell's own
// ("Desktop" in any letter case, "MS_SIPBUTTON").
#pragma once

#include "platform/framework/Afx.h"

class CTaskManageDlg : public CDialog {
  public:
    // The longest title read.
    static constexpr int kMaxTitle = 260;

    explicit CTaskManageDlg(CWnd* pParent = nullptr);

    CListBox m_list;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSwitch();
    afx_msg void OnEnd();
    DECLARE_MESSAGE_MAP()

  private:
    // The top-level window titled as the selected entry; null when none is
    // selected (after the message) or none is found. `nIndex` gets the
    // entry.
    HWND SelectedWindow(int& nIndex);
};
