// The coordinate-system values as the parameter dialogs and the new-job
// wizard's pages hold them (the display units of CoordSysUi.h), taken into
// the job's record in its stored units. A dialog and its wizard page carry
// the same member names, so one piece of code serves both (the four and
// the seven parameters store themselves: ParamFields.h).
#pragma once

#include "app/coordsys/CoordSysUi.h"
#include "geodesy/CoordSysParams.h"

// Central meridian and base latitude from packed ddd.mmss to degrees.
template <class Page>
void TakeProjection(const Page& page, CoordSysParams& p) {
    p.szdCenter = coordsys::PackedToDegrees(page.m_dCenter);
    p.szlTx = static_cast<int>(page.m_lTx);
    p.szlTy = static_cast<int>(page.m_lTy);
    p.szdTk = page.m_dTk;
    p.szdTHigh = page.m_dTHigh;
    p.szdTlon = coordsys::PackedToDegrees(page.m_dTlon);
}

// The fit's mode and six coefficients (its origin is the dialog's alone).
template <class Page>
void TakeHeightFitCoefficients(const Page& page, CoordSysParams& p) {
    p.nNiheMode = page.m_nNiheMode;
    double* const coefficients[6] = {&p.szdNiheA0, &p.szdNiheA1, &p.szdNiheA2,
                                     &p.szdNiheA3, &p.szdNiheA4, &p.szdNiheA5};
    for (int i = 0; i < 6; ++i) *coefficients[i] = page.m_dA[i];
}
