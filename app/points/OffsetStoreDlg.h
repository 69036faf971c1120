// COffsetStoreDlg: the offset store dialog (template 235), which stores a
// point the surveyor cannot occupy: from the held fix, a horizontal
// distance and a direction (from grid north, or from the direction towards
// a reference point picked from the coordinate library) and a vertical
// offset. The caller puts the fix into m_storeFix, sets the status line and
// whether the code follows the name, runs it and reads m_bStored; the
// dialog writes the point itself through the store routine.
#pragma once

#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"

class COffsetStoreDlg : public CDialog {
  public:
    explicit COffsetStoreDlg(CWnd* pParent = nullptr);

    BOOL m_bCodeIsName = 0;
    // 1 once the point has been written; 0 after Cancel or a failed write.
    BOOL m_bStored = 0;
    double m_dRefN = 0.0;
    double m_dRefE = 0.0;
    HICON m_hIcon = nullptr;
    COwnerDrawButton m_btnPick;
    CString m_strRefName;
    double m_dAntHeight = 0.0;
    CString m_strCode;
    double m_dAngle = 0.0;  // packed ddd.mmss
    double m_dDistance = 0.0;
    CString m_strName;
    double m_dVertical = 0.0;
    double m_dHrms = 0.0;
    double m_dVrms = 0.0;
    int m_nRefDirection = 0;  // 0 from north, 1 from the reference point
    CString m_strStatus;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg void OnPickRefPoint();
    afx_msg void OnRefNorth();
    afx_msg void OnRefPoint();
    DECLARE_MESSAGE_MAP()

  private:
    void MoveStoreFix();
};
