#include "app/coordsys/CalcFourParamDlg.h"

#include "app/InputRules.h"
#include "app/coordsys/CoordSysUi.h"
#include "app/coordsys/FourParamDlg.h"
#include "app/coordsys/FourParamPointDlg.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

CCalcFourParamDlg::CCalcFourParamDlg(CWnd* pParent)
    : CCalcParamDlg(IDD_CALC_FOUR_PARAM, pParent, L"CalFour.fou", L"*.fou",
                    {{L"序号", 50},
                     {L"点  名", 60},
                     {L"转换前北坐标", 100},
                     {L"转换前东坐标", 100},
                     {L"转换后北坐标", 100},
                     {L"转换后东坐标", 100}}) {}

BOOL CCalcFourParamDlg::EditPair(pointpair::Row& cells) {
    CFourParamPointDlg dlg(this);
    dlg.m_strName = cells[0];
    dlg.m_strNorthBefore = cells[1];
    dlg.m_strEastBefore = cells[2];
    dlg.m_strNorthAfter = cells[3];
    dlg.m_strEastAfter = cells[4];
    if (dlg.DoModal() != IDOK) return FALSE;
    cells = {dlg.m_strName, dlg.m_strNorthBefore, dlg.m_strEastBefore, dlg.m_strNorthAfter,
             dlg.m_strEastAfter};
    return TRUE;
}

void CCalcFourParamDlg::Calculate(const std::vector<pointpair::Row>& rows) {
    if (rows.size() < 2) {
        AfxMessageBox(L"至少两个公共点方可计算四参数!", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!g_pDoc) return;
    CVendropDoc& doc = *g_pDoc;
    CCoordTransform& engine = doc.m_coordTransform;
    PointPair4Array& pairs = engine.FourParamPairs();
    pairs.SetSize(static_cast<INT_PTR>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        PointPair4& pair = pairs[static_cast<INT_PTR>(i)];
        pair = PointPair4{};
        pair.xs = ReadNumber(rows[i][1]);
        pair.ys = ReadNumber(rows[i][2]);
        pair.xt = ReadNumber(rows[i][3]);
        pair.yt = ReadNumber(rows[i][4]);
    }
    // A solve that fails (points on one spot) keeps the job's parameters.
    if (!engine.SolveFourParams()) {
        doc.LoadCoordTransform();
        return;
    }
    const CoordSysParams before = doc.m_coordParams;
    CoordSysParams& p = doc.m_coordParams;
    p.nDifang = 1;
    engine.GetFourParams(p.szdCx1, p.szdCy1, p.szdCa1, p.szdCk1);

    CFourParamDlg dlg(this);
    if (dlg.DoModal() == IDOK) {
        dlg.StoreTo(p);
        (void)doc.SaveCoordParams();  // a failure has had its box
    } else {
        p = before;
    }
    doc.LoadCoordTransform();
}
