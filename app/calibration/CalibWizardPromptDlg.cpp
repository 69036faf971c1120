#include "app/calibration/CalibWizardPromptDlg.h"

#include "res/resource.h"

CCalibWizardPromptDlg::CCalibWizardPromptDlg(CWnd* pParent)
    : CDialog(IDD_CALIB_WIZARD_PROMPT, pParent) {}

void CCalibWizardPromptDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CALIB_PROMPT_MODE, m_strMode);
}
