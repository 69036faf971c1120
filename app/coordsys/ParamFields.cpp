#include "app/coordsys/ParamFields.h"

#include "app/coordsys/CoordSysUi.h"

void FourParamFields::LoadFrom(const CoordSysParams& p) {
    m_nDifang = p.nDifang;
    m_dCx = p.szdCx1;
    m_dCy = p.szdCy1;
    m_dCa = coordsys::RadiansToPacked(p.szdCa1);
    m_dCk = p.szdCk1;
}

void FourParamFields::StoreTo(CoordSysParams& p) const {
    p.nDifang = m_nDifang;
    p.szdCx1 = m_dCx;
    p.szdCy1 = m_dCy;
    p.szdCa1 = coordsys::PackedToRadians(m_dCa);
    p.szdCk1 = m_dCk;
}

void SevenParamFields::LoadFrom(const CoordSysParams& p) {
    m_nSevenPar = p.nSevenPar;
    m_dDx = p.szddx;
    m_dDy = p.szddy;
    m_dDz = p.szddz;
    m_dWx = p.szdWx * coordsys::kRadToArcSec;
    m_dWy = p.szdWy * coordsys::kRadToArcSec;
    m_dWz = p.szdWz * coordsys::kRadToArcSec;
    m_dK = p.szddK * coordsys::kPpmPerRatio;
}

void SevenParamFields::StoreTo(CoordSysParams& p) const {
    p.nSevenPar = m_nSevenPar;
    p.szddx = m_dDx;
    p.szddy = m_dDy;
    p.szddz = m_dDz;
    p.szdWx = m_dWx * coordsys::kArcSecToRad;
    p.szdWy = m_dWy * coordsys::kArcSecToRad;
    p.szdWz = m_dWz * coordsys::kArcSecToRad;
    p.szddK = m_dK * coordsys::kRatioPerPpm;
}
