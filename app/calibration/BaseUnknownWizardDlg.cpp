#include "app/calibration/BaseUnknownWizardDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CBaseUnknownWizard1Dlg, CCalibWizardPage)
ON_BN_CLICKED(IDC_UNKNOWN1_CORRECT, OnCorrectSlot1)
ON_BN_CLICKED(IDC_UNKNOWN1_NEXT, OnNextSlot1)
END_MESSAGE_MAP()

// Dialog 194 numbers its vertical radio 1074: 1073 is its next button.
CBaseUnknownWizard1Dlg::CBaseUnknownWizard1Dlg(CWnd* pParent)
    : CCalibWizardPage(IDD_BASE_UNKNOWN_WIZARD1, IDC_CALIB_VERTICAL_194, pParent) {}

BOOL CBaseUnknownWizard1Dlg::OnInitDialog() {
    InitSlot1WithPlaceholder();
    return TRUE;
}

BEGIN_MESSAGE_MAP(CBaseUnknownWizard2Dlg, CCalibWizardPage)
ON_BN_CLICKED(IDC_UNKNOWN2_CORRECT, OnCorrectSlot2)
ON_BN_CLICKED(IDC_UNKNOWN2_NEXT, OnNextSlot2)
END_MESSAGE_MAP()

CBaseUnknownWizard2Dlg::CBaseUnknownWizard2Dlg(CWnd* pParent)
    : CCalibWizardPage(IDD_BASE_UNKNOWN_WIZARD2, IDC_CALIB_VERTICAL, pParent) {}

BOOL CBaseUnknownWizard2Dlg::OnInitDialog() {
    InitSlot2();
    return TRUE;
}

BEGIN_MESSAGE_MAP(CBaseUnknownWizard3Dlg, CCalibWizardPage)
ON_BN_CLICKED(IDC_UNKNOWN3_CORRECT, OnCorrectSlot3)
END_MESSAGE_MAP()

CBaseUnknownWizard3Dlg::CBaseUnknownWizard3Dlg(CWnd* pParent)
    : CCalibWizardPage(IDD_BASE_UNKNOWN_WIZARD3, IDC_CALIB_VERTICAL, pParent) {}

BOOL CBaseUnknownWizard3Dlg::OnInitDialog() {
    InitSlot3();
    return TRUE;
}
