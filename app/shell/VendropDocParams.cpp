// The document's parameter commands: each runs its dialog (which reads the
// document when it opens), takes the values over on OK in the record's
// units, re-arms the matching alarm, refreshes the base point where the
// projection changed, rewrites the .par and loads the shared engine from
// the record, so that the next fix is converted with what was just set.
// Cancel changes nothing.
//
// Sections: ellipsoid, projection, seven and four parameters, correction,
// height fit, the control-point library's results.
#include "app/coordsys/CoordParamsFromDialogs.h"
#include "app/coordsys/CorrectionParamDlg.h"
#include "app/coordsys/EllipsoidDlg.h"
#include "app/coordsys/FourParamDlg.h"
#include "app/coordsys/HeightFitDlg.h"
#include "app/coordsys/ProjectionDlg.h"
#include "app/coordsys/SevenParamDlg.h"
#include "app/libraries/CtrlPointLibDlg.h"
#include "app/shell/VendropDoc.h"

namespace {

void LoadProjection(CCoordTransform& engine, const CoordSysParams& p) {
    engine.SetEllipsoid(p.szdDa, p.szdDf, p.szdTHigh);
    engine.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
}

void ResetFourParams(CoordSysParams& p) {
    p.szdCx1 = p.szdCy1 = p.szdCa1 = 0.0;
    p.szdCk1 = 1.0;
    p.nDifang = 0;
}

void ResetHeightFit(CoordSysParams& p) {
    p.nNiheMode = 0;
    p.szdNiheA0 = p.szdNiheA1 = p.szdNiheA2 = 0.0;
    p.szdNiheA3 = p.szdNiheA4 = p.szdNiheA5 = 0.0;
    p.szdNiheX0 = p.szdNiheY0 = 0.0;
}

void TakePlaneResult(const CCtrlPointLibDlg& lib, int nFitKind, CoordSysParams& p) {
    switch (nFitKind) {
        case 0:
            p.szdCorrectionX = p.szdCorrectionY = 0.0;
            ResetFourParams(p);
            break;
        case 1:
            p.szdCorrectionX = lib.m_dShiftX;
            p.szdCorrectionY = lib.m_dShiftY;
            ResetFourParams(p);
            break;
        case 2:
            p.szdCx1 = lib.m_dFourDx;
            p.szdCy1 = lib.m_dFourDy;
            p.szdCa1 = lib.m_dFourRotation;
            p.szdCk1 = lib.m_dFourScale;
            p.nDifang = 1;
            p.szdCorrectionX = lib.m_dShiftX;
            p.szdCorrectionY = lib.m_dShiftY;
            break;
        default:
            break;
    }
}

void TakeHeightResult(const CCtrlPointLibDlg& lib, int nFitState, CoordSysParams& p) {
    switch (nFitState) {
        case 0:
            p.szdCorrectionH = 0.0;
            ResetHeightFit(p);
            break;
        case 1:
            p.szdCorrectionH = lib.m_dHeightShift;
            ResetHeightFit(p);
            break;
        case 2: {
            double* const a[6] = {&p.szdNiheA0, &p.szdNiheA1, &p.szdNiheA2,
                                  &p.szdNiheA3, &p.szdNiheA4, &p.szdNiheA5};
            for (int i = 0; i < 6; ++i) *a[i] = lib.m_dFitA[i];
            p.szdNiheX0 = lib.m_dFitX0;
            p.szdNiheY0 = lib.m_dFitY0;
            p.nNiheMode = 1;
            p.szdCorrectionH = lib.m_dHeightShift;
            break;
        }
        default:
            break;
    }
}

}  // namespace

void CVendropDoc::StoreCoordParams() {
    (void)SaveCoordParams();  // a failure has had its box
    LoadCoordTransform();
}

// ---- Ellipsoid ----

// The base point is refreshed by an engine of its own, loaded with the new
// ellipsoid and the job's projection.
void CVendropDoc::OnSetEllipsoid() {
    CEllipsoidDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    m_coordParams.nCoord = dlg.m_nCoord;
    m_coordParams.szdDa = dlg.m_dA;
    m_coordParams.szdDf = dlg.m_dInvF;
    CCoordTransform scratch;
    LoadProjection(scratch, m_coordParams);
    RefreshBasePoint(scratch);
    StoreCoordParams();
}

// ---- Projection ----

void CVendropDoc::OnSetProjection() {
    CProjectionDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    CoordSysParams& p = m_coordParams;
    TakeProjection(dlg, p);
    p.nCoord = dlg.m_nCoord;
    p.szdDa = dlg.m_dA;
    p.szdDf = dlg.m_dInvF;
    m_bMeridianAlarmOff = 0;
    LoadCoordTransform();
    RefreshBasePoint(m_coordTransform);
    (void)SaveCoordParams();  // a failure has had its box
}

// ---- Seven and four parameters ----

void CVendropDoc::OnSetSevenParams() {
    CSevenParamDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    dlg.StoreTo(m_coordParams);
    m_bSevenParAlarmOff = 0;
    LoadCoordTransform();
    RefreshBasePoint(m_coordTransform);
    (void)SaveCoordParams();  // a failure has had its box
}

void CVendropDoc::OnSetFourParams() {
    CFourParamDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    dlg.StoreTo(m_coordParams);
    m_bFourParAlarmOff = 0;
    StoreCoordParams();
}

// ---- Correction and height fit ----

void CVendropDoc::OnSetCorrection() {
    CCorrectionParamDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    m_coordParams.szdCorrectionX = dlg.m_dCorrectionX;
    m_coordParams.szdCorrectionY = dlg.m_dCorrectionY;
    m_coordParams.szdCorrectionH = dlg.m_dCorrectionH;
    StoreCoordParams();
}

void CVendropDoc::OnSetHeightFit() {
    CHeightFitDlg dlg;
    if (dlg.DoModal() != IDOK) return;
    TakeHeightFitCoefficients(dlg, m_coordParams);
    m_coordParams.szdNiheX0 = dlg.m_dX0;
    m_coordParams.szdNiheY0 = dlg.m_dY0;
    StoreCoordParams();
}

// ---- Control-point library ----

// The library's results by the kinds its recalculation left in the
// document; a kind it does not know leaves its fields as they are.
void CVendropDoc::OnCtrlPointLib() {
    m_bStatusInChinese = 0;
    CCtrlPointLibDlg lib;
    if (lib.DoModal() == IDOK) {
        m_coordParams.szConF = lib.m_strFileName;
        TakePlaneResult(lib, m_nFitKind, m_coordParams);
        TakeHeightResult(lib, m_nFitState, m_coordParams);
        StoreCoordParams();
    }
    m_bStatusInChinese = 1;
}
