// The four and the seven parameters as their dialogs and the wizard's pages
// show them, and the conversion from and to the job's record: the
// four-parameter rotation as packed dd.mmssssss, the seven-parameter
// rotations in arc-seconds and its scale in ppm.
#pragma once

#include "geodesy/CoordSysParams.h"

struct FourParamFields {
    int m_nDifang = 0;   // the enable check
    double m_dCx = 0.0;  // shift of north, metres
    double m_dCy = 0.0;  // shift of east, metres
    double m_dCa = 0.0;  // rotation, packed dd.mmssssss
    double m_dCk = 0.0;  // scale

    void LoadFrom(const CoordSysParams& p);
    void StoreTo(CoordSysParams& p) const;
};

struct SevenParamFields {
    int m_nSevenPar = 0;  // the enable check
    double m_dDx = 0.0;   // metres
    double m_dDy = 0.0;
    double m_dDz = 0.0;
    double m_dWx = 0.0;  // arc-seconds
    double m_dWy = 0.0;
    double m_dWz = 0.0;
    double m_dK = 0.0;  // ppm

    void LoadFrom(const CoordSysParams& p);
    void StoreTo(CoordSysParams& p) const;
};
