#include "app/tools/CalcToolDlg.h"

#include <cwchar>

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/plan/PickPointDlg.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

// ---- Input pages ----

// Every pick button of the six pages lies in 1038..1061; the calculate
// button is 1064, or 1022 on the line-intersection page.
BEGIN_MESSAGE_MAP(CCalcInputPage, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, 1038, 1061, OnPickButton)
ON_BN_CLICKED(IDC_CALC_RUN, OnCalculate)
ON_BN_CLICKED(IDC_CROSS_RUN, OnCalculate)
END_MESSAGE_MAP()

CCalcInputPage::CCalcInputPage(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

CCalcInputPage::~CCalcInputPage() = default;

BOOL CCalcInputPage::OnInitDialog() {
    CDialog::OnInitDialog();
    for (const CalcPointSlot& slot : Slots()) {
        for (int id : {slot.nLibId, slot.nPlanId}) {
            m_pickButtons.push_back(std::make_unique<COwnerDrawButton>());
            m_pickButtons.back()->SubclassDlgItem(id, this);
            coordsys::SetUpPickButton(*m_pickButtons.back(), this,
                                      id == slot.nLibId ? IDI_PICK_LIBRARY : IDI_PICK_PLAN);
        }
    }
    return TRUE;
}

BOOL CCalcInputPage::ReadFields() {
    if (!UpdateData(TRUE)) return FALSE;
    std::vector<const CString*> names = StoredNames();
    for (const CString* name : names) {
        if (coordsys::RefuseSeparators(this, {name})) return FALSE;
    }
    return TRUE;
}

// A pick takes the point's name and coordinates; the other fields keep
// what was typed.
void CCalcInputPage::OnPickButton(UINT nID) {
    for (const CalcPointSlot& slot : Slots()) {
        if (nID != static_cast<UINT>(slot.nLibId) && nID != static_cast<UINT>(slot.nPlanId))
            continue;
        if (!UpdateData(TRUE)) return;
        if (nID == static_cast<UINT>(slot.nLibId)) {
            CCoordLibDlg dlg;
            if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
            *slot.pName = dlg.m_strPickName;
            *slot.pX = std::wcstod(dlg.m_strPickNorth.GetString(), nullptr);
            *slot.pY = std::wcstod(dlg.m_strPickEast.GetString(), nullptr);
            if (slot.pH) *slot.pH = std::wcstod(dlg.m_strPickHeight.GetString(), nullptr);
        } else {
            CPickPointDlg dlg;
            PointRecord point;
            if (dlg.DoModal() != IDOK || !dlg.GetPickedPoint(point)) return;
            *slot.pName = point.strName;
            *slot.pX = point.dX;
            *slot.pY = point.dY;
            if (slot.pH) *slot.pH = point.dH;
        }
        UpdateData(FALSE);
        return;
    }
}

// A refused field stops here: nothing is calculated and nothing announced,
// so the result page keeps what it showed.
void CCalcInputPage::OnCalculate() {
    if (!ReadFields()) return;
    Calculate();
    ::SendMessage(HWND_BROADCAST, WM_CALC_UPDATED, 0, 1);
}

// ---- Tool frame ----

BEGIN_MESSAGE_MAP(CCalcToolDlg, CDialog)
ON_MESSAGE(WM_CALC_UPDATED, OnCalcUpdated)
ON_NOTIFY_RANGE(TCN_SELCHANGE, IDC_TOOL_TAB, IDC_TOOL_TAB_DIST, OnTabSelChange)
END_MESSAGE_MAP()

CCalcToolDlg::CCalcToolDlg(UINT nIDTemplate, int nTabId, UINT nInputTitle, CCalcInputPage& input,
                           UINT nInputTemplate, BOOL bProducesPoint, CWnd* pParent)
    : CDialog(nIDTemplate, pParent),
      m_nTabId(nTabId),
      m_nInputTitle(nInputTitle),
      m_input(input),
      m_nInputTemplate(nInputTemplate),
      m_bProducesPoint(bProducesPoint) {}

void CCalcToolDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, m_nTabId, m_tabSheet);
}

BOOL CCalcToolDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    m_strTitles[0].LoadString(m_nInputTitle);
    m_strTitles[1].LoadString(IDS_STRING61209);
    m_strTitles[2].LoadString(IDS_STRING61210);
    m_tabSheet.AddPage(m_strTitles[0], &m_input, m_nInputTemplate);
    m_tabSheet.AddPage(m_strTitles[1], &m_pageResult, IDD_CALC_RESULT);
    m_tabSheet.AddPage(m_strTitles[2], &m_pageGraph, IDD_CALC_GRAPH);
    m_tabSheet.CreatePages();
    if (!m_bProducesPoint) m_pageResult.SetHasResult(FALSE);
    SetFocus();
    return FALSE;
}

CString CCalcToolDlg::Text(UINT nId) {
    CString text;
    text.LoadString(nId);
    return text;
}

void CCalcToolDlg::Refresh() {
    const BOOL valid = m_input.m_bSuccess;
    if (valid && m_bProducesPoint) {
        ResultPoint(m_pageResult.m_point.strName, m_pageResult.m_point.dX, m_pageResult.m_point.dY);
    }
    m_pageResult.SetResult(BuildResultText(), valid);
}

// Every top-level window gets the broadcast; only this dialog acts on it.
LRESULT CCalcToolDlg::OnCalcUpdated(WPARAM, LPARAM lParam) {
    Refresh();
    m_tabSheet.ActivatePage(static_cast<int>(lParam));
    return 0;
}

void CCalcToolDlg::OnTabSelChange(UINT, NMHDR*, LRESULT* pResult) {
    *pResult = 0;
    // A field that does not read stops the rebuild: nothing is shown from
    // values the surveyor has not confirmed.
    if (!m_input.UpdateData(TRUE)) return;
    const int tab = static_cast<int>(m_tabSheet.SendMessage(TCM_GETCURFOCUS));
    if (tab == 1) {
        Refresh();
    } else if (tab == 2) {
        m_pageGraph.ClearPoints();
        FillGraph();
        m_pageGraph.StartTimer();
        m_pageGraph.ZoomAll();
    }
}

void CCalcInputPage::OnCancel() {
    tools::CancelTool(this);
}
