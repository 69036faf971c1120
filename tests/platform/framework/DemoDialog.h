// The demonstration's dialog holding one of every standard control, built
// from a template in code, with data exchange for each kind the program
// uses. The demo frame opens it with the menu command 参数浏览.
#pragma once

#include "platform/framework/Dialog.h"
#include "platform/framework/ListCtrl.h"
#include "platform/framework/ProgressCtrl.h"
#include "platform/framework/TabCtrl.h"
#include "platform/framework/TreeCtrl.h"

namespace demo {

constexpr UINT kAllControlsDialog = 9001;
enum : int {
    kName = 101,
    kFlag,
    kModeA,
    kModeB,
    kGroup,
    kFix,
    kPick,
    kList,
    kTree,
    kTab,
    kProgress,
    kScroll,
};

class CAllControlsDlg : public CDialog {
  public:
    CAllControlsDlg();
    BOOL OnInitDialog() override;

    CString m_strName = L"点1";
    int m_bFlag = FALSE;
    int m_nMode = 0;
    int m_nFix = 0;
    int m_nPick = -1;
    CListCtrl m_list;
    CTreeCtrl m_tree;
    CTabCtrl m_tab;
    CProgressCtrl m_progress;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

}  // namespace demo
