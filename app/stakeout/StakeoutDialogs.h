// The small dialogs of the two stake-out screens: their settings
// (CStakeoutSetDlg 151, CLineStakeoutSetDlg 15149), the confirmations before
// another target or line (CStakePromptDlg 15159, CLineStakeoutPromptDlg
// 15193) and the find-by-name of the point screen (CStakeFindPointDlg
// 15109).
#pragma once

#include <vector>

#include "platform/framework/Afx.h"
#include "pointdata/PointRecord.h"

// The settings of both screens share the checks of their prompt range.
// TRUE when the range is accepted; else the message is shown and the
// focus goes to the minimum (edit 1020).
BOOL CheckPromptRange(CDialog& dialog, double minimum, double maximum);

class CStakeoutSetDlg : public CDialog {
  public:
    explicit CStakeoutSetDlg(CWnd* pParent = nullptr);

    int m_bShowAll = 0;       // 1018
    int m_bShowRecorded = 0;  // 1019
    int m_bSound = 0;         // 1022
    double m_dMax = 0.0;      // 1021
    double m_dMin = 0.0;      // 1020
    CString m_strCount;       // 1045

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnShowRecorded();
    DECLARE_MESSAGE_MAP()
};

class CStakePromptDlg : public CDialog {
  public:
    explicit CStakePromptDlg(CWnd* pParent = nullptr);
    // The point's fields as the dialog shows them.
    void SetPoint(const PointRecord& p);

    CString m_strCode;
    CString m_strH;
    CString m_strName;
    CString m_strX;
    CString m_strY;
    CString m_strQuestion;
    CString m_strLabel;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

class CStakeFindPointDlg : public CDialog {
  public:
    explicit CStakeFindPointDlg(CWnd* pParent = nullptr);

    int m_nFound = 0;
    std::vector<PointRecord> m_points;
    CString m_strCode = L"00000000";
    CString m_strFind = L"PT";
    double m_dH = 0.0;
    CString m_strName = L"0";
    CString m_strPath;
    double m_dX = 0.0;
    double m_dY = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnFind();
    DECLARE_MESSAGE_MAP()
};

class CLineStakeoutSetDlg : public CDialog {
  public:
    explicit CLineStakeoutSetDlg(CWnd* pParent = nullptr);

    double m_dMinPrompt = 0.0;         // 1020
    double m_dMaxPrompt = 0.0;         // 1021
    int m_nSoundPrompt = 0;            // 1022
    int m_nShowRecordLayoutPoint = 0;  // 1029
    int m_nShowPlumb = 0;              // 1034
    int m_nShowAllLayoutLine = 0;      // 1028
    CString m_strCount;                // 1045
    double m_dIntMileage = 0.0;        // 1148
    int m_nIntMilPrompt = 0;           // 1147

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnShowRecorded();
    DECLARE_MESSAGE_MAP()
};

class CLineStakeoutPromptDlg : public CDialog {
  public:
    explicit CLineStakeoutPromptDlg(CWnd* pParent = nullptr);
    void SetLine(const PointRecord& start, const PointRecord& end, double chainage);

    CString m_strMessage;
    CString m_strSubTitle;
    CString m_strStartName;
    double m_dStartX = 0.0, m_dStartY = 0.0, m_dStartH = 0.0;
    CString m_strStartCode;
    CString m_strEndName;
    double m_dEndX = 0.0, m_dEndY = 0.0, m_dEndH = 0.0;
    CString m_strEndCode;
    double m_dChainage = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
