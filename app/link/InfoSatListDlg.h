// CInfoSatListDlg: the information display's satellite table: PRN,
// elevation, azimuth and signal-to-noise ratio of each satellite in view,
// one row each (none with 13 or more in view).
#pragma once

#include "app/link/InfoPage.h"

class CInfoSatListDlg : public CInfoPage {
  public:
    // Rebuilds the rows when any satellite's PRN, elevation, azimuth or
    // SNR changed since the last rebuild.
    void Refresh() override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

  private:
    CListCtrl m_list;
    CImageList m_images;
    SatelliteInfo m_shown[SurveyRecord::kMaxSatellites];
};
