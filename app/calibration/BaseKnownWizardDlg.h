// The pages of the calibration with the base station on a known point:
// page 1 the base itself (slot 0), pages 2 and 3 the rover on control
// points (slots 1 and 2).
//
// Page 1's next button carries the cancel id, so Escape acts as "下一步"
// there, and closing its window is what cancels it.
#pragma once

#include "app/calibration/CalibWizardPage.h"

class CBaseKnownWizard1Dlg : public CCalibWizardPage {
  public:
    explicit CBaseKnownWizard1Dlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnClose();
    DECLARE_MESSAGE_MAP()
};

class CBaseKnownWizard2Dlg : public CCalibWizardPage {
  public:
    explicit CBaseKnownWizard2Dlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};

class CBaseKnownWizard3Dlg : public CCalibWizardPage {
  public:
    explicit CBaseKnownWizard3Dlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
