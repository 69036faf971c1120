// COffsetPointDlg (dialog 15183 "偏点计算") and its input page
// COffsetPointInputDlg (15178): a point beside the line start to end, by
// a distance along it and an offset, or by a distance from the end and an
// angle from the line's prolongation.
#pragma once

#include "app/tools/CalcToolDlg.h"

class COffsetPointInputDlg : public CCalcPointPage {
  public:
    COffsetPointInputDlg();

    CString m_strStartName;
    double m_dStartX = 0.0, m_dStartY = 0.0;
    CString m_strEndName;
    double m_dEndX = 0.0, m_dEndY = 0.0;
    int m_nMode = 0;       // 0 "偏距", 1 "偏角"
    int m_nReference = 0;  // 0 "起点距", 1 "终点距"
    double m_dFromStart = 0.0;
    double m_dFromEnd = 0.0;
    double m_dOffset = 0.0;
    double m_dAngle = 0.0;  // packed dd.mmssssss
    int m_nSide = 0;        // 0 "左偏", 1 "右偏"

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    std::vector<CalcPointSlot> Slots() override;
    void Calculate() override;
    afx_msg void OnModeDistance();
    afx_msg void OnModeAngle();
    afx_msg void OnReferenceStart();
    afx_msg void OnReferenceEnd();
    DECLARE_MESSAGE_MAP()

    // The enabling rules of the mode and the reference as they stand.
    void ApplyMode(int nMode);
    void ApplyReference(int nReference);
    void Enable(int nId, BOOL bEnable);
};

class COffsetPointDlg : public CCalcPointToolDlg<COffsetPointInputDlg> {
  public:
    explicit COffsetPointDlg(CWnd* pParent = nullptr);

  protected:
    CString BuildResultText() override;
};
