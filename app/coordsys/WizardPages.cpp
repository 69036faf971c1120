// Sections: the ellipsoid page, the projection page, the four-, seven- and
// height-fit pages with their enable checks.
#include "app/coordsys/WizardPages.h"

#include <iterator>

#include "app/coordsys/CoordSysUi.h"
#include "res/resource.h"

namespace {

const int kFourEdits[] = {IDC_PARAM_DX, IDC_PARAM_DY, IDC_FOUR_ROTATION, IDC_PARAM_K};
const int kSevenEdits[] = {IDC_PARAM_DX, IDC_PARAM_DY, IDC_PARAM_DZ, IDC_PARAM_WX,
                           IDC_PARAM_WY, IDC_PARAM_WZ, IDC_PARAM_K};
const int kFitEdits[] = {IDC_FIT_A0, IDC_FIT_A1, IDC_FIT_A2, IDC_FIT_A3, IDC_FIT_A4, IDC_FIT_A5};

}  // namespace

// ---- Ellipsoid ----

BEGIN_MESSAGE_MAP(CWizEllipsoidPage, CWizPage)
ON_CBN_SELCHANGE(IDC_ELLIPSOID_NAME, OnSelChangeEllipsoid)
END_MESSAGE_MAP()

CWizEllipsoidPage::CWizEllipsoidPage() : CWizPage(IDD_WIZ_ELLIPSOID_PAGE) {}

void CWizEllipsoidPage::LoadFrom(const CoordSysParams& p) {
    m_nCoord = p.nCoord;
    m_dA = p.szdDa;
    m_dInvF = p.szdDf;
}

void CWizEllipsoidPage::DoDataExchange(CDataExchange* pDX) {
    CWizPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_ELLIPSOID_NAME, m_nCoord);
    DDX_Text(pDX, IDC_ELLIPSOID_A, m_dA);
    DDX_Text(pDX, IDC_ELLIPSOID_INV_F, m_dInvF);
}

BOOL CWizEllipsoidPage::OnInitDialog() {
    CWizPage::OnInitDialog();
    coordsys::EnableEllipsoidAxes(this, m_nCoord == coordsys::kUserEllipsoid);
    return TRUE;
}

// The user's own ellipsoid starts from nothing here: both values are typed.
void CWizEllipsoidPage::OnSelChangeEllipsoid() {
    UpdateData(TRUE);
    coordsys::ApplyEllipsoidChoice(this, m_nCoord, m_dA, m_dInvF, 0.0, 0.0);
    UpdateData(FALSE);
}

// ---- Projection ----

CWizProjectionPage::CWizProjectionPage() : CWizPage(IDD_WIZ_PROJECTION_PAGE) {}

void CWizProjectionPage::LoadFrom(const CoordSysParams& p) {
    m_dCenter = coordsys::DegreesToPacked(p.szdCenter);
    m_lTx = p.szlTx;
    m_lTy = p.szlTy;
    m_dTk = p.szdTk;
    m_dTHigh = p.szdTHigh;
    m_dTlon = coordsys::DegreesToPacked(p.szdTlon);
}

void CWizProjectionPage::DoDataExchange(CDataExchange* pDX) {
    CWizPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PROJ_CENTER, m_dCenter);
    DDX_Text(pDX, IDC_PROJ_X_CONST, m_lTx);
    DDX_Text(pDX, IDC_PROJ_Y_CONST, m_lTy);
    DDX_Text(pDX, IDC_PROJ_SCALE, m_dTk);
    DDX_Text(pDX, IDC_PROJ_HEIGHT, m_dTHigh);
    DDX_Text(pDX, IDC_PROJ_BASE_LAT, m_dTlon);
}

// ---- Four parameters ----

BEGIN_MESSAGE_MAP(CWizFourParamPage, CWizPage)
ON_BN_CLICKED(IDC_PARAM_ENABLE, OnClickedEnable)
END_MESSAGE_MAP()

CWizFourParamPage::CWizFourParamPage() : CWizPage(IDD_WIZ_FOUR_PARAM_PAGE) {}

void CWizFourParamPage::DoDataExchange(CDataExchange* pDX) {
    CWizPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PARAM_ENABLE, m_nDifang);
    DDX_Text(pDX, IDC_PARAM_DX, m_dCx);
    DDX_Text(pDX, IDC_PARAM_DY, m_dCy);
    DDX_Text(pDX, IDC_FOUR_ROTATION, m_dCa);
    DDX_Text(pDX, IDC_PARAM_K, m_dCk);
}

BOOL CWizFourParamPage::OnInitDialog() {
    CWizPage::OnInitDialog();
    coordsys::ApplyEnableRule(this, m_nDifang, kFourEdits, std::size(kFourEdits));
    return TRUE;
}

void CWizFourParamPage::OnClickedEnable() {
    coordsys::ApplyEnableClick(this, IDC_PARAM_ENABLE, m_nDifang, kFourEdits,
                               std::size(kFourEdits));
}

// ---- Seven parameters ----

BEGIN_MESSAGE_MAP(CWizSevenParamPage, CWizPage)
ON_BN_CLICKED(IDC_PARAM_ENABLE, OnClickedEnable)
END_MESSAGE_MAP()

CWizSevenParamPage::CWizSevenParamPage() : CWizPage(IDD_WIZ_SEVEN_PARAM_PAGE) {}

void CWizSevenParamPage::DoDataExchange(CDataExchange* pDX) {
    CWizPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PARAM_ENABLE, m_nSevenPar);
    DDX_Text(pDX, IDC_PARAM_DX, m_dDx);
    DDX_Text(pDX, IDC_PARAM_DY, m_dDy);
    DDX_Text(pDX, IDC_PARAM_DZ, m_dDz);
    DDX_Text(pDX, IDC_PARAM_WX, m_dWx);
    DDX_Text(pDX, IDC_PARAM_WY, m_dWy);
    DDX_Text(pDX, IDC_PARAM_WZ, m_dWz);
    DDX_Text(pDX, IDC_PARAM_K, m_dK);
}

BOOL CWizSevenParamPage::OnInitDialog() {
    CWizPage::OnInitDialog();
    coordsys::ApplyEnableRule(this, m_nSevenPar, kSevenEdits, std::size(kSevenEdits));
    return TRUE;
}

void CWizSevenParamPage::OnClickedEnable() {
    coordsys::ApplyEnableClick(this, IDC_PARAM_ENABLE, m_nSevenPar, kSevenEdits,
                               std::size(kSevenEdits));
}

// ---- Height fit ----

BEGIN_MESSAGE_MAP(CWizHeightFitPage, CWizPage)
ON_BN_CLICKED(IDC_PARAM_ENABLE, OnClickedEnable)
END_MESSAGE_MAP()

CWizHeightFitPage::CWizHeightFitPage() : CWizPage(IDD_WIZ_HEIGHT_FIT_PAGE) {}

void CWizHeightFitPage::LoadFrom(const CoordSysParams& p) {
    m_nNiheMode = p.nNiheMode;
    const double a[6] = {p.szdNiheA0, p.szdNiheA1, p.szdNiheA2,
                         p.szdNiheA3, p.szdNiheA4, p.szdNiheA5};
    for (int i = 0; i < 6; ++i) m_dA[i] = a[i];
}

void CWizHeightFitPage::DoDataExchange(CDataExchange* pDX) {
    CWizPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_PARAM_ENABLE, m_nNiheMode);
    for (int i = 0; i < 6; ++i) DDX_Text(pDX, kFitEdits[i], m_dA[i]);
}

BOOL CWizHeightFitPage::OnInitDialog() {
    CWizPage::OnInitDialog();
    coordsys::ApplyEnableRule(this, m_nNiheMode, kFitEdits, std::size(kFitEdits));
    return TRUE;
}

void CWizHeightFitPage::OnClickedEnable() {
    coordsys::ApplyEnableClick(this, IDC_PARAM_ENABLE, m_nNiheMode, kFitEdits,
                               std::size(kFitEdits));
}
