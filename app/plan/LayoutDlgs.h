// The input dialogs of the four survey-line layouts. Three keep an ordered
// point list edited in a list control (area, channel, perpendicular); the
// parallel one takes a start and an end point.
#pragma once

#include <vector>

#include "graphics/GraphRecords.h"
#include "platform/framework/Afx.h"

// The point list shared by the area, channel and perpendicular dialogs.
class CLayoutPointsDlg : public CDialog {
  public:
    CLayoutPointsDlg(UINT nIDTemplate, CWnd* pParent);

    std::vector<CNamedPoint> m_points;  // handed to the plan view at OK
    CString m_strName;
    double m_dX = 0.0;  // north
    double m_dY = 0.0;  // east
    double m_dH = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Checks of the dialog's own values at OK; FALSE keeps it open.
    virtual BOOL AcceptValues() { return TRUE; }

    int SelectedRow() const;
    void AppendRow(const CNamedPoint& point);
    void RebuildPoints();
    void Refill();
    CNamedPoint FieldsPoint() const;

    afx_msg void OnPick();
    afx_msg void OnAdd();
    afx_msg void OnInsert();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnDelete();
    afx_msg void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CListCtrl m_list;
};

class CAreaLayoutDlg : public CLayoutPointsDlg {
  public:
    explicit CAreaLayoutDlg(CWnd* pParent = nullptr);
    double m_dAzimuth = 90.0;  // packed ddd.mmss
    double m_dSpacing = 10.0;
    BOOL m_bBoundary = FALSE;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL AcceptValues() override;
};

class CChannelLayoutDlg : public CLayoutPointsDlg {
  public:
    explicit CChannelLayoutDlg(CWnd* pParent = nullptr);
    double m_dChannelWidth = 10.0;
    double m_dSurveyWidth = 5.0;
    double m_dSpacing = 20.0;
    // Two point lists nothing fills, kept with the dialog's shape.
    std::vector<CNamedPoint> m_leftPoints;
    std::vector<CNamedPoint> m_rightPoints;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL AcceptValues() override;
};

class CPerpLayoutDlg : public CLayoutPointsDlg {
  public:
    explicit CPerpLayoutDlg(CWnd* pParent = nullptr);
    double m_dSpacing = 5.0;
    double m_dLeft = 10.0;
    double m_dRight = 10.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL AcceptValues() override;
};

class CParallelLayoutDlg : public CDialog {
  public:
    explicit CParallelLayoutDlg(CWnd* pParent = nullptr);
    double m_dSpacing = 0.0;
    double m_dEndX = 0.0;
    double m_dEndY = 0.0;
    int m_nLeftCount = 0;
    int m_nRightCount = 0;
    double m_dStartX = 0.0;
    double m_dStartY = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPickStart();
    afx_msg void OnPickEnd();
    DECLARE_MESSAGE_MAP()
};

// M9: a spacing that is not above 0 is refused and the dialog stays open.
BOOL RefuseSpacing(CWnd* pDialog, double spacing);
