// CInfoBaseDlg: the information display's base-station page: the distance
// and azimuth from the current position to a reference point (when its box
// is ticked), and the base station the receiver reports: its position, its
// grid values and known point, its distance on the plane and in space, and
// the differential format.
#pragma once

#include "app/link/InfoPage.h"

class CInfoBaseDlg : public CInfoPage {
  public:
    // The base station's values stay as they were until the current fix
    // carries a base position (latitude and longitude both 1e-6 or more).
    void Refresh() override;

    int m_bRefPoint = 0;  // check box "参考点距离:"
    double m_dRefNorth = 0.0;
    double m_dRefEast = 0.0;
    double m_dRefHeight = 0.0;

  protected:
    BOOL OnInitDialog() override;

    afx_msg void OnRefPointClicked();
    DECLARE_MESSAGE_MAP()

  private:
    void ShowReferencePoint();
    void ShowBaseStation();
    // The straight line between the base and the fix on WGS84, metres.
    double SpaceDistance() const;
};
