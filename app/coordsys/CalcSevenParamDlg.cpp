#include "app/coordsys/CalcSevenParamDlg.h"

#include <cwchar>

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/coordsys/SevenParamDlg.h"
#include "app/coordsys/SevenParamPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CCalcSevenParamDlg::CCalcSevenParamDlg(CWnd* pParent)
    : CCalcParamDlg(IDD_CALC_SEVEN_PARAM, pParent, L"CalSeven.sev", L"*.sev",
                    {{L"序号", 50},
                     {L"点  名", 60},
                     {L"大地坐标B", 100},
                     {L"大地坐标L", 100},
                     {L"大地高H", 60},
                     {L"平面坐标x", 100},
                     {L"平面坐标y", 100},
                     {L"高程H", 60}}) {}

BOOL CCalcSevenParamDlg::EditPair(pointpair::Row& cells) {
    CSevenParamPointDlg dlg(this);
    dlg.m_strName = cells[0];
    dlg.m_strLat = cells[1];
    dlg.m_strLon = cells[2];
    dlg.m_strHeight = cells[3];
    dlg.m_strX = cells[4];
    dlg.m_strY = cells[5];
    dlg.m_strH = cells[6];
    if (dlg.DoModal() != IDOK) return FALSE;
    cells = {dlg.m_strName, dlg.m_strLat, dlg.m_strLon, dlg.m_strHeight,
             dlg.m_strX,    dlg.m_strY,   dlg.m_strH};
    return TRUE;
}

void CCalcSevenParamDlg::FillCommonPoints(const std::vector<pointpair::Row>& rows) {
    const CoordSysParams& p = g_pDoc->m_coordParams;
    CCoordTransform& engine = g_pDoc->m_coordTransform;
    CommonPoint7Array& points = engine.SevenParamPoints();
    points.SetSize(static_cast<INT_PTR>(rows.size()));
    engine.SetEllipsoid(CCoordTransform::kWgs84A, CCoordTransform::kWgs84InvF);
    engine.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
    for (size_t i = 0; i < rows.size(); ++i) {
        CommonPoint7& point = points[static_cast<INT_PTR>(i)];
        point = CommonPoint7{};
        const double B = coordsys::PackedToDegrees(ReadNumber(rows[i][1]));
        const double L = coordsys::PackedToDegrees(ReadNumber(rows[i][2]));
        engine.GeodeticToGeocentric(B, L, ReadNumber(rows[i][3]), point.xs, point.ys, point.zs);
    }
    engine.SetEllipsoid(p.szdDa, p.szdDf);
    engine.SetProjection(p.szlTx, p.szlTy, p.szdCenter, p.szdTk, p.szdTlon, p.szdTHigh);
    for (size_t i = 0; i < rows.size(); ++i) {
        CommonPoint7& point = points[static_cast<INT_PTR>(i)];
        double B = 0.0;
        double L = 0.0;
        engine.TransverseMercatorInverse(ReadNumber(rows[i][4]), ReadNumber(rows[i][5]), B, L);
        engine.GeodeticToGeocentric(B * coordsys::kRadToDeg, L * coordsys::kRadToDeg,
                                    ReadNumber(rows[i][6]), point.xt, point.yt, point.zt);
    }
}

void CCalcSevenParamDlg::Calculate(const std::vector<pointpair::Row>& rows) {
    if (rows.empty()) {
        AfxMessageBox(L"至少一个公共点方可计算七参数!", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!g_pDoc) return;
    CVendropDoc& doc = *g_pDoc;
    FillCommonPoints(rows);
    CCoordTransform& engine = doc.m_coordTransform;
    // A failed solve has told the user; the job's parameters stay.
    if (!engine.SolveSevenParams()) {
        doc.LoadCoordTransform();
        return;
    }
    const CoordSysParams before = doc.m_coordParams;
    CoordSysParams& p = doc.m_coordParams;
    double k7 = 0.0;
    engine.GetSevenParams(p.szddx, p.szddy, p.szddz, p.szdWx, p.szdWy, p.szdWz, k7);
    CString strScale;
    strScale.Format(L"%.15f", k7);
    p.szddK = std::wcstod(strScale.GetString(), nullptr);
    p.nSevenPar = 1;

    CSevenParamDlg dlg(this);
    if (dlg.DoModal() == IDOK) {
        dlg.StoreTo(p);
        (void)doc.SaveCoordParams();  // a failure has had its box
    } else {
        p = before;
    }
    doc.LoadCoordTransform();
}
