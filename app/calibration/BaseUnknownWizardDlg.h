// The pages of the calibration with the base station on an unknown point:
// the rover on control points, slots 1 to 3. Slot 0 is the base, whose
// known coordinates the finish derives.
#pragma once

#include "app/calibration/CalibWizardPage.h"

class CBaseUnknownWizard1Dlg : public CCalibWizardPage {
  public:
    explicit CBaseUnknownWizard1Dlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};

class CBaseUnknownWizard2Dlg : public CCalibWizardPage {
  public:
    explicit CBaseUnknownWizard2Dlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};

class CBaseUnknownWizard3Dlg : public CCalibWizardPage {
  public:
    explicit CBaseUnknownWizard3Dlg(CWnd* pParent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
