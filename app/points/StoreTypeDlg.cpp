#include "app/points/StoreTypeDlg.h"

#include <cwchar>

#include "app/shell/VendropDoc.h"
#include "res/resource.h"

namespace {

CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CStoreTypeDlg, CDialog)
ON_BN_CLICKED(IDC_STORETYPE_GENERAL, OnGeneral)
ON_BN_CLICKED(IDC_STORETYPE_OFFSET, OnOffset)
ON_BN_CLICKED(IDC_STORETYPE_SMOOTH, OnSmooth)
ON_BN_CLICKED(IDC_STORETYPE_AUTO, OnAuto)
ON_BN_CLICKED(IDC_STORETYPE_BY_TIME, OnByTime)
ON_BN_CLICKED(IDC_STORETYPE_BY_DISTANCE, OnByDistance)
ON_CBN_EDITCHANGE(IDC_STORETYPE_POINT_COUNT, OnPointCountEdit)
END_MESSAGE_MAP()

CStoreTypeDlg::CStoreTypeDlg(CWnd* pParent) : CDialog(IDD_STORE_TYPE, pParent) {}

void CStoreTypeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_STORETYPE_GENERAL, m_nStoreRadio);
    DDX_Radio(pDX, IDC_STORETYPE_BY_TIME, m_nAutoRadio);
    DDX_Text(pDX, IDC_STORETYPE_TIME, m_nTime);
    DDX_Text(pDX, IDC_STORETYPE_DISTANCE, m_dDistance);
    DDX_CBIndex(pDX, IDC_STORETYPE_CONDITION, m_nCondition);
    DDX_Text(pDX, IDC_STORETYPE_SMOOTH_COUNT, m_nSmoothCount);
    DDX_CBString(pDX, IDC_STORETYPE_POINT_COUNT, m_strPointCount);
    DDX_Radio(pDX, IDC_STORETYPE_SHOW_NAME, m_nDisplay);
    DDX_Radio(pDX, IDC_STORETYPE_CODE_KEPT, m_nCodeMode);
}

BOOL CStoreTypeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterWindow();
    CVendropDoc& doc = *g_pDoc;
    const int type = doc.m_nStoreType;
    if (type >= 0 && type <= 2) m_nStoreRadio = type;
    if (type == 2) m_nSmoothCount = doc.m_nSmoothEpochs;
    if (type == 3 || type == 4) {
        m_nStoreRadio = 3;
        m_nAutoRadio = type - 3;
    }
    if (type == 3) m_nTime = doc.m_nAutoTime;
    if (type == 4) m_dDistance = doc.m_dAutoDistance;
    EnableForKind(type >= 3 ? 4 : type + 1);
    doc.m_bAutoCollect = 0;
    const int shown = doc.m_sysParams.nShowSurveyPoint;
    if (shown == -1)
        m_strPointCount = LoadText(IDS_STRING61422);
    else
        m_strPointCount.Format(L"%d", shown);
    m_nCondition = doc.m_sysParams.nAsCondition;
    m_nDisplay = doc.m_sysParams.nDisplayType;
    m_nCodeMode = doc.m_sysParams.CodeSaveType;
    UpdateData(FALSE);
    return TRUE;
}

void CStoreTypeDlg::EnableForKind(int nKind) {
    const BOOL autoOn = nKind == 4;
    for (int id : {IDC_STORETYPE_BY_TIME, IDC_STORETYPE_BY_DISTANCE, IDC_STORETYPE_TIME,
                   IDC_STORETYPE_DISTANCE, IDC_STORETYPE_CONDITION})
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(autoOn);
    if (CWnd* count = GetDlgItem(IDC_STORETYPE_SMOOTH_COUNT)) count->EnableWindow(nKind == 3);
}

void CStoreTypeDlg::ChooseKind(int nKind) {
    EnableForKind(nKind);
    g_pDoc->m_nStoreKind = nKind;
}

void CStoreTypeDlg::OnGeneral() {
    ChooseKind(1);
}

void CStoreTypeDlg::OnOffset() {
    ChooseKind(2);
}

void CStoreTypeDlg::OnSmooth() {
    ChooseKind(3);
}

void CStoreTypeDlg::OnAuto() {
    ChooseKind(4);
}

void CStoreTypeDlg::OnByTime() {
    g_pDoc->m_nAutoKind = 1;
}

void CStoreTypeDlg::OnByDistance() {
    g_pDoc->m_nAutoKind = 2;
}

// Read as the C library reads a decimal: a non-number is 0.
void CStoreTypeDlg::TakePointCount() {
    CVendropDoc& doc = *g_pDoc;
    if (m_strPointCount == LoadText(IDS_STRING61422))
        doc.m_sysParams.nShowSurveyPoint = -1;
    else
        doc.m_sysParams.nShowSurveyPoint =
            static_cast<int>(std::wcstol(m_strPointCount.GetString(), nullptr, 10));
}

void CStoreTypeDlg::OnPointCountEdit() {
    GetDlgItemText(IDC_STORETYPE_POINT_COUNT, m_strPointCount);
    TakePointCount();
}

void CStoreTypeDlg::OnOK() {
    if (!UpdateData(TRUE)) return;
    if (m_nStoreRadio == 2 && m_nSmoothCount < 1) {
        MessageBox(L"平滑次数必须大于0,请重新输入!", L"提示", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CVendropDoc& doc = *g_pDoc;
    doc.m_bSmoothStore = 0;
    switch (m_nStoreRadio) {
        case 0:
            doc.m_nStoreType = 0;
            break;
        case 1:
            doc.m_nStoreType = 1;
            doc.m_nStoreKind = 2;
            break;
        case 2:
            doc.m_nStoreType = 2;
            doc.m_bSmoothStore = 1;
            doc.m_nSmoothEpochs = doc.m_nSmoothCount = m_nSmoothCount;
            break;
        case 3:
            if (m_nAutoRadio == 0) {
                doc.m_nStoreType = 3;
                doc.m_nAutoKind = 1;
                doc.m_nAutoTime = doc.m_nAutoCollectInterval = doc.m_nAutoInterval = m_nTime;
            } else {
                doc.m_nStoreType = 4;
                doc.m_nAutoKind = 2;
                doc.m_dAutoDistance = m_dDistance;
                doc.m_nAutoInterval = static_cast<int>(m_dDistance);
            }
            break;
        default:
            break;
    }
    TakePointCount();
    SystemParams& p = doc.m_sysParams;
    p.nSaveType = doc.m_nStoreType;
    p.nAutoSaveTime = doc.m_nAutoTime;
    p.nSmoothSecond = doc.m_nSmoothEpochs;
    p.szdAutoSaveDis = doc.m_dAutoDistance;
    p.nAsCondition = m_nCondition;
    p.nDisplayType = m_nDisplay;
    p.CodeSaveType = m_nCodeMode;
    (void)doc.SaveSystemParams();  // its own box on failure; the choice stays
    EndDialog(IDOK);
}
