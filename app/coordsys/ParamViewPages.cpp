#include "app/coordsys/ParamViewPages.h"

#include "app/coordsys/CoordSysUi.h"
#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

CString Text(LPCTSTR format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

CString LongText(int value) {
    CString text;
    text.Format(L"%ld", static_cast<long>(value));
    return text;
}

}  // namespace

BOOL CParamViewPage::OnInitDialog() {
    if (g_pDoc) Fill(g_pDoc->m_coordParams);
    return CDialog::OnInitDialog();
}

// ---- Projection ----

CParamViewProjPage::CParamViewProjPage() : CParamViewPage(IDD_PARAM_VIEW_PROJ_PAGE) {}

void CParamViewProjPage::Fill(const CoordSysParams& p) {
    m_strEllipsoid = coordsys::EllipsoidName(p.nCoord);
    m_strA = Text(L"%.6f", p.szdDa);
    m_strInvF = Text(L"%.10f", p.szdDf);
    m_strCenter = Text(L"%.6f", coordsys::DegreesToPacked(p.szdCenter));
    m_strTx = LongText(p.szlTx);
    m_strTy = LongText(p.szlTy);
    m_strTk = Text(L"%.8f", p.szdTk);
    m_strTHigh = Text(L"%.4f", p.szdTHigh);
    m_strTlon = Text(L"%.6f", coordsys::DegreesToPacked(p.szdTlon));
}

void CParamViewProjPage::DoDataExchange(CDataExchange* pDX) {
    CParamViewPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VIEW_ELLIPSOID, m_strEllipsoid);
    DDX_Text(pDX, IDC_VIEW_A, m_strA);
    DDX_Text(pDX, IDC_VIEW_INV_F, m_strInvF);
    DDX_Text(pDX, IDC_VIEW_CENTER, m_strCenter);
    DDX_Text(pDX, IDC_VIEW_X_CONST, m_strTx);
    DDX_Text(pDX, IDC_VIEW_Y_CONST, m_strTy);
    DDX_Text(pDX, IDC_VIEW_SCALE, m_strTk);
    DDX_Text(pDX, IDC_VIEW_HEIGHT, m_strTHigh);
    DDX_Text(pDX, IDC_VIEW_BASE_LAT, m_strTlon);
}

// ---- Corrections and four parameters ----

CParamViewFourPage::CParamViewFourPage() : CParamViewPage(IDD_PARAM_VIEW_FOUR_PAGE) {}

void CParamViewFourPage::Fill(const CoordSysParams& p) {
    m_strCorrectionX = Text(L"%.4f", p.szdCorrectionX);
    m_strCorrectionY = Text(L"%.4f", p.szdCorrectionY);
    m_strCorrectionH = Text(L"%.4f", p.szdCorrectionH);
    m_strInUse = p.nDifang ? L"使用四参" : L"未使用四参";
    m_strCx = Text(L"%.10f", p.szdCx1);
    m_strCy = Text(L"%.10f", p.szdCy1);
    m_strCa = Text(L"%.10f", coordsys::RadiansToPacked(p.szdCa1));
    m_strCk = Text(L"%.10f", p.szdCk1);
}

void CParamViewFourPage::DoDataExchange(CDataExchange* pDX) {
    CParamViewPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VIEW_CORRECTION_X, m_strCorrectionX);
    DDX_Text(pDX, IDC_VIEW_CORRECTION_Y, m_strCorrectionY);
    DDX_Text(pDX, IDC_VIEW_CORRECTION_H, m_strCorrectionH);
    DDX_Text(pDX, IDC_VIEW_FOUR_IN_USE, m_strInUse);
    DDX_Text(pDX, IDC_VIEW_FOUR_DX, m_strCx);
    DDX_Text(pDX, IDC_VIEW_FOUR_DY, m_strCy);
    DDX_Text(pDX, IDC_VIEW_FOUR_ROTATION, m_strCa);
    DDX_Text(pDX, IDC_VIEW_FOUR_SCALE, m_strCk);
}

// ---- Height fit ----

CParamViewFitPage::CParamViewFitPage() : CParamViewPage(IDD_PARAM_VIEW_FIT_PAGE) {}

void CParamViewFitPage::Fill(const CoordSysParams& p) {
    m_strInUse = p.nNiheMode ? L"使用拟合参数" : L"未使用拟合参数";
    const double a[6] = {p.szdNiheA0, p.szdNiheA1, p.szdNiheA2,
                         p.szdNiheA3, p.szdNiheA4, p.szdNiheA5};
    for (int i = 0; i < 6; ++i) m_strA[i] = Text(L"%.10f", a[i]);
}

void CParamViewFitPage::DoDataExchange(CDataExchange* pDX) {
    CParamViewPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VIEW_FIT_IN_USE, m_strInUse);
    for (int i = 0; i < 6; ++i) DDX_Text(pDX, IDC_VIEW_FIT_A0 + i, m_strA[i]);
}

// ---- Seven parameters ----

CParamViewSevenPage::CParamViewSevenPage() : CParamViewPage(IDD_PARAM_VIEW_SEVEN_PAGE) {}

void CParamViewSevenPage::Fill(const CoordSysParams& p) {
    m_strInUse = p.nSevenPar ? L"使用七参数" : L"未使用七参数";
    m_strDx = Text(L"%f", p.szddx);
    m_strDy = Text(L"%f", p.szddy);
    m_strDz = Text(L"%f", p.szddz);
    m_strWx = Text(L"%f", p.szdWx * coordsys::kRadToArcSec);
    m_strWy = Text(L"%f", p.szdWy * coordsys::kRadToArcSec);
    m_strWz = Text(L"%f", p.szdWz * coordsys::kRadToArcSec);
    m_strK = Text(L"%f", p.szddK * coordsys::kPpmPerRatio);
}

void CParamViewSevenPage::DoDataExchange(CDataExchange* pDX) {
    CParamViewPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VIEW_SEVEN_IN_USE, m_strInUse);
    DDX_Text(pDX, IDC_VIEW_SEVEN_DX, m_strDx);
    DDX_Text(pDX, IDC_VIEW_SEVEN_DY, m_strDy);
    DDX_Text(pDX, IDC_VIEW_SEVEN_DZ, m_strDz);
    DDX_Text(pDX, IDC_VIEW_SEVEN_WX, m_strWx);
    DDX_Text(pDX, IDC_VIEW_SEVEN_WY, m_strWy);
    DDX_Text(pDX, IDC_VIEW_SEVEN_WZ, m_strWz);
    DDX_Text(pDX, IDC_VIEW_SEVEN_K, m_strK);
}
