// CInfoPositionDlg: the information display's position page: latitude,
// longitude and ellipsoidal height, grid north, east and height, PDOP,
// solution, satellites used, VRMS, HRMS and the time of the epoch.
#pragma once

#include "app/link/InfoPage.h"

class CInfoPositionDlg : public CInfoPage {
  public:
    void Refresh() override;
};
