// The four read-only pages of the parameter viewer. Each fills its texts
// from the job's current record m_coordParams when it is created.
#pragma once

#include "geodesy/CoordSysParams.h"
#include "platform/framework/Afx.h"

class CParamViewPage : public CDialog {
  public:
    using CDialog::CDialog;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // The texts from the record.
    virtual void Fill(const CoordSysParams& p) = 0;
};

class CParamViewProjPage : public CParamViewPage {
  public:
    CParamViewProjPage();

    CString m_strEllipsoid, m_strA, m_strInvF;
    CString m_strCenter, m_strTx, m_strTy, m_strTk, m_strTHigh, m_strTlon;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void Fill(const CoordSysParams& p) override;
};

class CParamViewFourPage : public CParamViewPage {
  public:
    CParamViewFourPage();

    CString m_strCorrectionX, m_strCorrectionY, m_strCorrectionH;
    CString m_strInUse, m_strCx, m_strCy, m_strCa, m_strCk;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void Fill(const CoordSysParams& p) override;
};

class CParamViewFitPage : public CParamViewPage {
  public:
    CParamViewFitPage();

    CString m_strInUse;
    CString m_strA[6];

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void Fill(const CoordSysParams& p) override;
};

class CParamViewSevenPage : public CParamViewPage {
  public:
    CParamViewSevenPage();

    CString m_strInUse, m_strDx, m_strDy, m_strDz, m_strWx, m_strWy, m_strWz, m_strK;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void Fill(const CoordSysParams& p) override;
};
