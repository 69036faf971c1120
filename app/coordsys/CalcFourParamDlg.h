// CCalcFourParamDlg ("计算四参数"): the plane four parameters from pairs
// of grid points before and after the transformation, kept in
// "CalFour.fou". The result is shown in the four-parameter dialog; OK
// there stores it in the job's record and .par, Cancel puts the record
// back as it was before the calculation.
#pragma once

#include "app/coordsys/CalcParamDlg.h"

class CCalcFourParamDlg : public CCalcParamDlg {
  public:
    explicit CCalcFourParamDlg(CWnd* pParent = nullptr);

  protected:
    BOOL EditPair(pointpair::Row& cells) override;
    void Calculate(const std::vector<pointpair::Row>& rows) override;
};
