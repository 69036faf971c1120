// The five pages of the parameter wizard: child dialogs whose members are
// what the new-job command takes over after the wizard's OK. Each page
// starts from a parameter record in display units (LoadFrom, before the
// page is created); the enable checks govern their value edits as in the
// parameter dialogs.
#pragma once

#include "app/coordsys/ParamFields.h"
#include "geodesy/CoordSysParams.h"
#include "platform/framework/Afx.h"

// A page never ends by itself: Enter and Escape belong to the wizard.
class CWizPage : public CDialog {
  public:
    using CDialog::CDialog;

  protected:
    void OnOK() override {}
    void OnCancel() override {}
};

class CWizEllipsoidPage : public CWizPage {
  public:
    CWizEllipsoidPage();
    void LoadFrom(const CoordSysParams& p);

    int m_nCoord = 0;
    double m_dA = 0.0;
    double m_dInvF = 0.0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeEllipsoid();
    DECLARE_MESSAGE_MAP()
};

class CWizProjectionPage : public CWizPage {
  public:
    CWizProjectionPage();
    void LoadFrom(const CoordSysParams& p);

    double m_dCenter = 0.0;  // packed ddd.mmss
    long m_lTx = 0;
    long m_lTy = 0;
    double m_dTk = 0.0;
    double m_dTHigh = 0.0;
    double m_dTlon = 0.0;  // packed ddd.mmss

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

class CWizFourParamPage : public CWizPage, public FourParamFields {
  public:
    CWizFourParamPage();

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};

class CWizSevenParamPage : public CWizPage, public SevenParamFields {
  public:
    CWizSevenParamPage();

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};

class CWizHeightFitPage : public CWizPage {
  public:
    CWizHeightFitPage();
    void LoadFrom(const CoordSysParams& p);

    int m_nNiheMode = 0;
    double m_dA[6] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0};

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnClickedEnable();
    DECLARE_MESSAGE_MAP()
};
