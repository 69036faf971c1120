#include "app/coordsys/ParamAlarmDlg.h"

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CParamAlarmDlg* g_pMeridianErrorDlg = nullptr;
CParamAlarmDlg* g_pFourParamErrorDlg = nullptr;
CParamAlarmDlg* g_pSevenParamErrorDlg = nullptr;

CParamAlarmDlg::CParamAlarmDlg(UINT nIDTemplate, BOOL CVendropDoc::*pAlarmOff,
                               CParamAlarmDlg** ppGlobal)
    : CDialog(nIDTemplate),
      m_nTemplate(nIDTemplate),
      m_pAlarmOff(pAlarmOff),
      m_ppGlobal(ppGlobal) {}

BOOL CParamAlarmDlg::CreatePrompt() {
    // The desktop as parent makes a window without an owner.
    return Create(m_nTemplate, CWnd::FromHandle(::GetDesktopWindow()));
}

BOOL CParamAlarmDlg::OnInitDialog() {
    CenterWindow();
    return TRUE;
}

void CParamAlarmDlg::OnOK() {
    if (g_pDoc) g_pDoc->*m_pAlarmOff = 1;
    if (*m_ppGlobal == this) *m_ppGlobal = nullptr;
    // The window's end frees the object: nothing of it is used after this.
    DestroyWindow();
}

void CParamAlarmDlg::OnCancel() {}

void CParamAlarmDlg::PostNcDestroy() {
    if (*m_ppGlobal == this) *m_ppGlobal = nullptr;
    delete this;
}

CMeridianErrorDlg::CMeridianErrorDlg()
    : CParamAlarmDlg(IDD_MERIDIAN_ERROR, &CVendropDoc::m_bMeridianAlarmOff, &g_pMeridianErrorDlg) {}

BOOL CMeridianErrorDlg::OnInitDialog() {
    CenterWindow();
    UpdateData(FALSE);
    return TRUE;
}

CFourParamErrorDlg::CFourParamErrorDlg()
    : CParamAlarmDlg(IDD_FOUR_PARAM_ERROR, &CVendropDoc::m_bFourParAlarmOff,
                     &g_pFourParamErrorDlg) {}

CSevenParamErrorDlg::CSevenParamErrorDlg()
    : CParamAlarmDlg(IDD_SEVEN_PARAM_ERROR, &CVendropDoc::m_bSevenParAlarmOff,
                     &g_pSevenParamErrorDlg) {}

void DestroyParamAlarmPrompts() {
    for (CParamAlarmDlg* pPrompt :
         {g_pMeridianErrorDlg, g_pFourParamErrorDlg, g_pSevenParamErrorDlg})
        if (pPrompt && pPrompt->GetSafeHwnd()) pPrompt->DestroyWindow();
}
