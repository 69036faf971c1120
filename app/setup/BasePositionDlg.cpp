#include "app/setup/BasePositionDlg.h"

#include <cwchar>

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

CString FormatNumber(LPCTSTR format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

double Number(const CString& text) {
    return std::wcstod(text, nullptr);
}

}  // namespace

BEGIN_MESSAGE_MAP(CBasePositionDlg, CDialog)
ON_BN_CLICKED(IDC_BASE_GEODETIC, OnGeodetic)
ON_BN_CLICKED(IDC_BASE_PLANE, OnPlane)
ON_BN_CLICKED(IDC_BASE_SINGLE, OnSinglePoint)
END_MESSAGE_MAP()

CBasePositionDlg::CBasePositionDlg(UINT nIDTemplate, int nAntHeightId, CWnd* pParent)
    : CDialog(nIDTemplate, pParent),
      m_strB(L"00.0000000000"),
      m_strL(L"0.00"),
      m_strH(L"00.0000000000"),
      m_nAntHeightId(nAntHeightId) {}

BOOL CBasePositionDlg::OnInitDialog() {
    FillFromFix();
    m_nInterval = 1;
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

void CBasePositionDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    const int ids[3] = {IDC_BASE_B, IDC_BASE_L, IDC_BASE_H};
    CString* texts[3] = {&m_strB, &m_strL, &m_strH};
    for (int i = 0; i < 3; ++i) {
        if (pDX->m_bSaveAndValidate && m_bCheckNumbers) {
            double number = 0.0;
            DDX_Text(pDX, ids[i], number);
        }
        DDX_Text(pDX, ids[i], *texts[i]);
    }
    DDX_Text(pDX, IDC_BASE_INTERVAL, m_nInterval);
    DDX_Radio(pDX, IDC_BASE_GEODETIC, m_nCoordKind);
    ExchangeParameters(pDX);
    DDX_Text(pDX, m_nAntHeightId, m_dAntHeight);
}

void CBasePositionDlg::ExchangeParameters(CDataExchange*) {}

BOOL CBasePositionDlg::ConfirmOk() {
    return TRUE;
}

void CBasePositionDlg::OnOK() {
    m_bCheckNumbers = TRUE;
    const BOOL exchanged = UpdateData(TRUE);
    m_bCheckNumbers = FALSE;
    if (exchanged && ConfirmOk()) EndDialog(IDOK);
}

void CBasePositionDlg::FillFromFix() {
    if (!g_pDoc) return;
    const SurveyRecord& fix = g_pDoc->m_curFix;
    m_strB = FormatNumber(L"%.10f",
                          CCoordTransform::ConvertDmsRadian(fix.dLat * CCoordTransform::kDeg, 0));
    m_strL = FormatNumber(L"%.10f",
                          CCoordTransform::ConvertDmsRadian(fix.dLon * CCoordTransform::kDeg, 0));
    m_strH = FormatNumber(L"%.4f", fix.dHeight);
}

void CBasePositionDlg::SetLabels(LPCTSTR b, LPCTSTR l, LPCTSTR h) {
    SetDlgItemText(IDC_BASE_B_LABEL, b);
    SetDlgItemText(IDC_BASE_L_LABEL, l);
    SetDlgItemText(IDC_BASE_H_LABEL, h);
}

// Plane texts back to geodetic ones.
void CBasePositionDlg::OnGeodetic() {
    if (m_nCoordKind != 1 || !g_pDoc) return;
    if (!UpdateData(TRUE)) return;
    SetLabels(L"B:", L"L:", L"H:");
    const CoordSysParams params = g_pDoc->m_coordParams;
    double lat = 0.0;
    double lon = 0.0;
    double height = 0.0;
    g_pDoc->m_coordTransform.GridToWgs84(Number(m_strB), Number(m_strL), Number(m_strH), params,
                                         lat, lon, height);
    m_strB = FormatNumber(L"%.10f", CCoordTransform::ConvertDmsRadian(lat, 0));
    m_strL = FormatNumber(L"%.10f", CCoordTransform::ConvertDmsRadian(lon, 0));
    m_strH = FormatNumber(L"%.4f", height);
    UpdateData(FALSE);
}

// Geodetic texts to plane ones.
void CBasePositionDlg::OnPlane() {
    if (m_nCoordKind == 1 || !g_pDoc) return;
    if (!UpdateData(TRUE)) return;
    SetLabels(L"X:", L"Y:", L"h:");
    const CoordSysParams params = g_pDoc->m_coordParams;
    const double lat = CCoordTransform::ConvertDmsRadian(Number(m_strB), 1) * CCoordTransform::kRho;
    const double lon = CCoordTransform::ConvertDmsRadian(Number(m_strL), 1) * CCoordTransform::kRho;
    double x = 0.0;
    double y = 0.0;
    double h = 0.0;
    g_pDoc->m_coordTransform.Wgs84ToGrid(lat, lon, Number(m_strH), params, x, y, h);
    m_strB = FormatNumber(L"%.4f", x);
    m_strL = FormatNumber(L"%.4f", y);
    m_strH = FormatNumber(L"%.4f", h);
    UpdateData(FALSE);
}

// The latest fix again; with plane coordinates chosen nothing happens.
void CBasePositionDlg::OnSinglePoint() {
    if (m_nCoordKind != 0) return;
    FillFromFix();
    UpdateData(FALSE);
}

// ---- CBaseManualSetDlg ----

BEGIN_MESSAGE_MAP(CBaseManualSetDlg, CBasePositionDlg)
ON_BN_CLICKED(IDC_BASE_REPEAT, OnRepeat)
END_MESSAGE_MAP()

CBaseManualSetDlg::CBaseManualSetDlg(CWnd* pParent)
    : CBasePositionDlg(IDD_BASE_MANUAL_SET, IDC_BASE_ANT_HEIGHT, pParent) {}

BOOL CBaseManualSetDlg::OnInitDialog() {
    if (g_pDoc) m_nFormat = g_pDoc->m_sysParams.nRadioFormat;
    return CBasePositionDlg::OnInitDialog();
}

void CBaseManualSetDlg::ExchangeParameters(CDataExchange* pDX) {
    DDX_CBIndex(pDX, IDC_BASE_FORMAT, m_nFormat);
    DDX_Text(pDX, IDC_BASE_PDOP, m_dPdop);
    DDX_Text(pDX, IDC_BASE_CUTOFF, m_nCutoff);
    DDX_Check(pDX, IDC_BASE_REPEAT, m_bRepeat);
}

BOOL CBaseManualSetDlg::ConfirmOk() {
    return MessageBox(L"请确定在基准站自动发射后再使用手簿设置基准站,确定基站已经自动发射了吗?",
                      L"提示", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CBaseManualSetDlg::OnRepeat() {
    UpdateData(TRUE);
    if (m_bRepeat) {
        CString question;
        CString caption;
        question.LoadString(IDS_STRING61331);
        caption.LoadString(IDS_STRING61314);
        if (MessageBox(question, caption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) m_bRepeat = 0;
    }
    UpdateData(FALSE);
}

// ---- CBaseSettingDlg ----

CBaseSettingDlg::CBaseSettingDlg(CWnd* pParent)
    : CBasePositionDlg(IDD_BASE_SETTING, IDC_BASE_SET_ANT_HEIGHT, pParent) {}
