#include "app/calibration/BaseKnownWizardDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CBaseKnownWizard1Dlg, CCalibWizardPage)
ON_BN_CLICKED(IDC_KNOWN1_CORRECT, OnCorrectSlot0)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CBaseKnownWizard1Dlg::CBaseKnownWizard1Dlg(CWnd* pParent)
    : CCalibWizardPage(IDD_BASE_KNOWN_WIZARD1, IDC_CALIB_VERTICAL, pParent) {}

BOOL CBaseKnownWizard1Dlg::OnInitDialog() {
    InitSlot0();
    return TRUE;
}

void CBaseKnownWizard1Dlg::OnCancel() {
    OnNextSlot0();
}

void CBaseKnownWizard1Dlg::OnClose() {
    EndDialog(IDCANCEL);
}

BEGIN_MESSAGE_MAP(CBaseKnownWizard2Dlg, CCalibWizardPage)
ON_BN_CLICKED(IDC_KNOWN2_CORRECT, OnCorrectSlot1)
ON_BN_CLICKED(IDC_KNOWN2_NEXT, OnNextSlot1)
END_MESSAGE_MAP()

CBaseKnownWizard2Dlg::CBaseKnownWizard2Dlg(CWnd* pParent)
    : CCalibWizardPage(IDD_BASE_KNOWN_WIZARD2, IDC_CALIB_VERTICAL, pParent) {}

BOOL CBaseKnownWizard2Dlg::OnInitDialog() {
    InitSlot1();
    return TRUE;
}

BEGIN_MESSAGE_MAP(CBaseKnownWizard3Dlg, CCalibWizardPage)
ON_BN_CLICKED(IDC_KNOWN3_CORRECT, OnCorrectSlot2)
END_MESSAGE_MAP()

CBaseKnownWizard3Dlg::CBaseKnownWizard3Dlg(CWnd* pParent)
    : CCalibWizardPage(IDD_BASE_KNOWN_WIZARD3, IDC_CALIB_VERTICAL, pParent) {}

BOOL CBaseKnownWizard3Dlg::OnInitDialog() {
    InitSlot2();
    return TRUE;
}
