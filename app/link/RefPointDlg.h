// CRefPointDlg (dialog "参考点坐标"): names the reference point whose
// distance and azimuth from the current position the base page shows. Its
// north, east and height are typed, or taken from the coordinate library or
// from a plan through the two picture buttons.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class CRefPointDlg : public CDialog {
  public:
    explicit CRefPointDlg(CWnd* pParent = nullptr);

    CString m_strName = L"PT";
    double m_dNorth = 0.0;
    double m_dEast = 0.0;
    double m_dHeight = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnFromLibrary();
    afx_msg void OnFromPlan();
    DECLARE_MESSAGE_MAP()

  private:
    COwnerDrawButton m_btnLibrary;
    COwnerDrawButton m_btnPick;
};
