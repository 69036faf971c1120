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
#include "app/tools/PlaneCalc.h"
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

    friend class CCalcToolDlg;  // draws the page's points on the graph
};

// An input page that computes one new point, stored under the name typed.
class CCalcPointPage : public CCalcInputPage {
  public:
    explicit CCalcPointPage(UINT nIDTemplate, LPCTSTR newName = L"")
        : CCalcInputPage(nIDTemplate), m_strNewName(newName) {}

    CString m_strNewName;
    double m_dNewX = 0.0;
    double m_dNewY = 0.0;

  protected:
    std::vector<const CString*> StoredNames() override { return {&m_strNewName}; }
    // A calculation's outcome: a failure leaves the last point as it was.
    void TakeResult(const tools::PointResult& r);
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
    virtual void ResultPoint(CString&, double&, double&) {}
    // The graph's points: the input page's points, then the computed one,
    // which only a success has.
    virtual void FillGraph();

    void Refresh();
    static CString Text(UINT nId);
    // A computed point's result text: the title, the name after its label
    // and `separator`, then X and Y each after the coordinate label.
    static CString PointResultText(UINT nTitle, UINT nNameLabel, LPCTSTR separator,
                                   UINT nCoordLabel, const CString& name, double x, double y);

    int m_nTabId;
    UINT m_nInputTitle;
    CCalcInputPage& m_input;
    UINT m_nInputTemplate;
    BOOL m_bProducesPoint;
    CString m_strTitles[3];
};

// The tool of a CCalcPointPage: its new point goes to the result page and
// the graph.
template <class Page>
class CCalcPointToolDlg : public CCalcToolDlg {
  public:
    Page m_pageInput;

  protected:
    CCalcPointToolDlg(UINT nIDTemplate, int nTabId, UINT nInputTitle, UINT nInputTemplate,
                      CWnd* pParent)
        : CCalcToolDlg(nIDTemplate, nTabId, nInputTitle, m_pageInput, nInputTemplate, TRUE,
                       pParent) {}

    void ResultPoint(CString& name, double& x, double& y) override {
        name = m_pageInput.m_strNewName;
        x = m_pageInput.m_dNewX;
        y = m_pageInput.m_dNewY;
    }
};
