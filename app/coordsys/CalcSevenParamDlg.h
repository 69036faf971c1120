// CCalcSevenParamDlg ("计算七参数"): the seven datum parameters from
// points known as WGS84 latitude, longitude and height and as local grid
// coordinates, kept in "CalSeven.sev". Sources are the WGS84 positions
// made geocentric; targets the grid points taken back to the job's
// ellipsoid by the transverse Mercator inverse (whatever the job's
// projection type) and made geocentric. The result is shown in the
// seven-parameter dialog; OK there stores it, Cancel puts the record back.
#pragma once

#include "app/coordsys/CalcParamDlg.h"

class CCalcSevenParamDlg : public CCalcParamDlg {
  public:
    explicit CCalcSevenParamDlg(CWnd* pParent = nullptr);

  protected:
    BOOL EditPair(pointpair::Row& cells) override;
    void Calculate(const std::vector<pointpair::Row>& rows) override;

  private:
    void FillCommonPoints(const std::vector<pointpair::Row>& rows);
};
