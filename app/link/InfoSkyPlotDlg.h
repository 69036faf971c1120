// CInfoSkyPlotDlg: the information display's sky plot. A circle 170 pixels
// across stands for the sky (centre the zenith, rim the horizon), with the
// 45-degree circle, the elevation-mask circle dashed, cross hairs, a north
// arrow and each satellite in view as a mark with its PRN.
//
// A satellite sits 90 * cos(elevation) pixels from the centre in the
// direction of its azimuth, and is left out when that is more than 85
// pixels (below about 19 degrees of elevation). With 13 or more satellites
// in view none are drawn.
#pragma once

#include "app/link/InfoPage.h"

class CInfoSkyPlotDlg : public CInfoPage {
  public:
    static constexpr int kDiameter = 170;
    static constexpr int kPlotRadius = 90;  // the scale of the marks' distances
    static constexpr int kRimRadius = 85;   // marks further out are left out

    // Redraws when the satellites' PRN, elevation or azimuth changed since
    // the last drawing.
    void Refresh() override;

  protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

  private:
    void DrawFrame(CDC& dc, CPoint centre);
    void DrawNorthArrow(CDC& dc, const CRect& client);
    void DrawSatellites(CDC& dc, CPoint centre);
    CPoint Centre() const;

    SatelliteInfo m_drawn[SurveyRecord::kMaxSatellites];
    int m_nDrawnInView = 0;
};
