// The frame shared by the six plane tools: a modal dialog whose only
// control is a tab control carrying three pages, the tool's own input page
// (CCalcInputPage), the result page and the graph page.
//
// An input page's calculate button computes into the page's members and
// broadcasts WM_CALC_UPDATED; the tool then builds the result text, hands
// the computed point to the result page and brings that page forward. A tap
// on the result tab rebuilds the result from the page's fields; a tap on
// the graph tab refills the graph's points and fits the view.
#pragma once

#include <memory>
#include <vector>

#include "app/tools/CalcGraphDlg.h"
#include "app/tools/CalcResultDlg.h"
#include "platform/framework/Afx.h"
#include "ui/OwnerDrawButton.h"
#include "ui/TabSheet.h"

// A point of an input page: its read-only name edit, its x and y (and h)
// members, and its two pick buttons.
struct CalcPointSlot {
    int nLibId = 0;
    int nPlanId = 0;
    CString* pName = nullptr;
    double* pX = nullptr;
    double* pY = nullptr;
    double* pH = nullptr;  // null where the page has no height
};

class CCalcInputPage : public CDialog {
  public:
    explicit CCalcInputPage(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~CCalcInputPage() override;

    BOOL m_bSuccess = FALSE;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnPickButton(UINT nID);
    afx_msg void OnCalculate();
    DECLARE_MESSAGE_MAP()

    // The page's points; their pick buttons get their icons on opening.
    virtual std::vector<CalcPointSlot> Slots() = 0;
    // The calculation on the members just read; sets m_bSuccess.
    virtual void Calculate() = 0;
    // Names that go into comma files (the new point's name).
    virtual std::vector<const CString*> StoredNames() { return {}; }

    // Reads the page; FALSE (after the prompt) when a field is refused.
    BOOL ReadFields();

    std::vector<std::unique_ptr<COwnerDrawButton>> m_pickButtons;
};

class CCalcToolDlg : public CDialog {
  public:
    CCalcToolDlg(UINT nIDTemplate, int nTabId, UINT nInputTitle, CCalcInputPage& input,
                 UINT nInputTemplate, BOOL bProducesPoint, CWnd* pParent = nullptr);

    CTabSheet m_tabSheet;
    CCalcResultDlg m_pageResult;
    CCalcGraphDlg m_pageGraph;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg LRESULT OnCalcUpdated(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTabSelChange(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The result text from the input page's members (title first).
    virtual CString BuildResultText() = 0;
    // For a point-producing tool: the new point's name and coordinates.
    virtual void ResultPoint(CString& name, double& x, double& y) = 0;
    // The graph's points, given points first.
    virtual void FillGraph() = 0;

    void Refresh();
    static CString Text(UINT nId);

    int m_nTabId;
    UINT m_nInputTitle;
    CCalcInputPage& m_input;
    UINT m_nInputTemplate;
    BOOL m_bProducesPoint;
    CString m_strTitles[3];
};
