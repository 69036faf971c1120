#include "app/tools/CoordConvertDlg.h"

#include <cmath>
#include <cwchar>

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/CoordLibDlg.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "app/tools/ToolSupport.h"
#include "geodesy/CoordTransform.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CCoordConvertDlg, CDialog)
ON_BN_CLICKED(IDC_CONVERT_PLANE, OnChoosePlane)
ON_BN_CLICKED(IDC_CONVERT_GEODETIC, OnChooseGeodetic)
ON_BN_CLICKED(IDC_TOOL_PICK, OnPick)
ON_BN_CLICKED(IDC_CONVERT_RUN, OnConvert)
ON_BN_CLICKED(IDC_TOOL_SAVE, OnSave)
END_MESSAGE_MAP()

CCoordConvertDlg::CCoordConvertDlg(CWnd* pParent) : CDialog(IDD_COORD_CONVERT, pParent) {}

void CCoordConvertDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_CONVERT_PLANE, m_nCoordSys);
    tools::DDX_Number(pDX, IDC_CONVERT_IN1, m_dIn1);
    tools::DDX_Number(pDX, IDC_CONVERT_IN2, m_dIn2);
    tools::DDX_Number(pDX, IDC_CONVERT_IN3, m_dIn3);
    tools::DDX_Number(pDX, IDC_CONVERT_OUT1, m_dOut1);
    tools::DDX_Number(pDX, IDC_CONVERT_OUT2, m_dOut2);
    tools::DDX_Number(pDX, IDC_CONVERT_OUT3, m_dOut3);
    DDX_Text(pDX, IDC_TOOL_POINT_NAME, m_strName);
    DDX_Text(pDX, IDC_TOOL_POINT_CODE, m_strCode);
}

BOOL CCoordConvertDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pick.SubclassDlgItem(IDC_TOOL_PICK, this);
    coordsys::SetUpPickButton(m_pick, this, IDI_PICK_LIBRARY);
    UpdateLabels(m_nCoordSys);
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    return TRUE;
}

void CCoordConvertDlg::UpdateLabels(int nCoordSys) {
    const UINT grid[2] = {IDS_STRING61323, IDS_STRING61324};
    const UINT geodetic[2] = {IDS_STRING61325, IDS_STRING61326};
    const UINT* in = nCoordSys == 0 ? grid : geodetic;
    const UINT* out = nCoordSys == 0 ? geodetic : grid;
    const int inIds[2] = {IDC_CONVERT_IN_LABEL1, IDC_CONVERT_IN_LABEL2};
    const int outIds[2] = {IDC_CONVERT_OUT_LABEL1, IDC_CONVERT_OUT_LABEL2};
    CString text;
    for (int i = 0; i < 2; ++i) {
        text.LoadString(in[i]);
        SetDlgItemText(inIds[i], text);
        text.LoadString(out[i]);
        SetDlgItemText(outIds[i], text);
    }
}

void CCoordConvertDlg::OnChoosePlane() {
    UpdateLabels(0);
}

void CCoordConvertDlg::OnChooseGeodetic() {
    UpdateLabels(1);
}

// Height, name and attribute stay as typed.
void CCoordConvertDlg::OnPick() {
    if (!UpdateData(TRUE)) return;
    if (m_nCoordSys == 1) {
        CLatLonCoordLibDlg dlg;
        if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
        m_dIn1 = std::wcstod(dlg.m_strPickLat.GetString(), nullptr);
        m_dIn2 = std::wcstod(dlg.m_strPickLon.GetString(), nullptr);
    } else {
        CCoordLibDlg dlg;
        if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
        m_dIn1 = std::wcstod(dlg.m_strPickNorth.GetString(), nullptr);
        m_dIn2 = std::wcstod(dlg.m_strPickEast.GetString(), nullptr);
    }
    UpdateData(FALSE);
}

void CCoordConvertDlg::OnConvert() {
    if (!UpdateData(TRUE) || !g_pDoc) return;
    CCoordTransform& engine = g_pDoc->m_coordTransform;
    double a = 0.0, b = 0.0, c = 0.0;
    if (m_nCoordSys == 0) {
        engine.GridToWgs84(m_dIn1, m_dIn2, m_dIn3, g_pDoc->m_coordParams, a, b, c);
        a = CCoordTransform::ConvertDmsRadian(a, 0);
        b = CCoordTransform::ConvertDmsRadian(b, 0);
    } else {
        const double lat = CCoordTransform::ConvertDmsRadian(m_dIn1, 1) * 57.29577951308402;
        const double lon = CCoordTransform::ConvertDmsRadian(m_dIn2, 1) * 57.29577951308402;
        engine.Wgs84ToGrid(lat, lon, m_dIn3, g_pDoc->m_coordParams, a, b, c);
    }
    if (!tools::AllFinite({a, b, c})) {
        m_nConvertedSys = -1;
        tools::ShowText(this, IDS_STRING61396);
        return;
    }
    m_dOut1 = a;
    m_dOut2 = b;
    m_dOut3 = c;
    m_nConvertedSys = m_nCoordSys;
    UpdateData(FALSE);
}

// The library line first, then the result folder's; the height column is
// always the literal 0.0.
void CCoordConvertDlg::OnSave() {
    if (!UpdateData(TRUE)) return;
    if (m_nConvertedSys != m_nCoordSys) {
        tools::ShowText(this, IDS_STRING61397);
        return;
    }
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strCode})) return;
    const wchar_t* name = m_strName.GetString();
    const wchar_t* code = m_strCode.GetString();
    CString libLine, calcLine;
    if (m_nCoordSys == 0) {
        libLine.Format(L"%s,%.10f,%.10f,0.0,%s", name, m_dOut1, m_dOut2, code);
        calcLine = libLine;
        // A failure has had its box.
        (void)tools::AppendLines(this, {{tools::JobFilePath(L"WGS"), libLine},
                                        {tools::ResultFilePath(L"calcoord.RTK"), calcLine}});
    } else {
        libLine.Format(L"0,%s,%.3f,%.3f,0.0,%s", name, m_dOut1, m_dOut2, code);
        calcLine.Format(L"%s,%.3f,%.3f,0.0,%s", name, m_dOut1, m_dOut2, code);
        // A failure has had its box.
        (void)tools::AppendLines(this, {{tools::JobFilePath(L"lib"), libLine},
                                        {tools::ResultFilePath(L"calcoord.dat"), calcLine}});
    }
}
