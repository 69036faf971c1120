#include "app/tools/SpaceDistanceDlg.h"

#include <cmath>

#include "app/coordsys/CoordSysUi.h"
#include "app/libraries/LatLonCoordLibDlg.h"
#include "app/shell/VendropDoc.h"
#include "app/tools/ToolSupport.h"
#include "geodesy/CoordTransform.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSpaceDistanceDlg, CDialog)
ON_BN_CLICKED(IDC_TOOL_PICK, OnPickStart)
ON_BN_CLICKED(IDC_SPACE_PICK_END, OnPickEnd)
ON_BN_CLICKED(IDC_SPACE_RUN, OnCompute)
ON_BN_CLICKED(IDC_TOOL_SAVE, OnSave)
END_MESSAGE_MAP()

CSpaceDistanceDlg::CSpaceDistanceDlg(CWnd* pParent) : CDialog(IDD_SPACE_DISTANCE, pParent) {}

void CSpaceDistanceDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SPACE_START_NAME, m_strStartName);
    DDX_Text(pDX, IDC_SPACE_START_LON, m_strStartLon);
    DDX_Text(pDX, IDC_SPACE_START_LAT, m_strStartLat);
    DDX_Text(pDX, IDC_SPACE_START_H, m_strStartH);
    DDX_Text(pDX, IDC_SPACE_END_NAME, m_strEndName);
    DDX_Text(pDX, IDC_SPACE_END_LON, m_strEndLon);
    DDX_Text(pDX, IDC_SPACE_END_LAT, m_strEndLat);
    DDX_Text(pDX, IDC_SPACE_END_H, m_strEndH);
    DDX_Text(pDX, IDC_SPACE_LENGTH, m_strLength);
}

BOOL CSpaceDistanceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pickStart.SubclassDlgItem(IDC_TOOL_PICK, this);
    m_pickEnd.SubclassDlgItem(IDC_SPACE_PICK_END, this);
    coordsys::SetUpPickButton(m_pickStart, this, IDI_PICK_LIBRARY);
    coordsys::SetUpPickButton(m_pickEnd, this, IDI_PICK_LIBRARY);
    ShowWindow(SW_MAXIMIZE);
    CenterWindow();
    return TRUE;
}

void CSpaceDistanceDlg::Pick(CString& name, CString& lat, CString& lon, CString& height) {
    UpdateData(TRUE);
    CLatLonCoordLibDlg dlg;
    if (dlg.DoModal() != IDOK || !dlg.m_bPicked) return;
    name = dlg.m_strPickName;
    lat = dlg.m_strPickLat;
    lon = dlg.m_strPickLon;
    height = dlg.m_strPickHeight;
    UpdateData(FALSE);
}

void CSpaceDistanceDlg::OnPickStart() {
    Pick(m_strStartName, m_strStartLat, m_strStartLon, m_strStartH);
}

void CSpaceDistanceDlg::OnPickEnd() {
    Pick(m_strEndName, m_strEndLat, m_strEndLon, m_strEndH);
}

// The shared engine works on WGS84 for the two points and is given the
// job's ellipsoid back before anything else can use it.
void CSpaceDistanceDlg::OnCompute() {
    if (!UpdateData(TRUE) || !g_pDoc) return;
    const CString* texts[6] = {&m_strStartLat, &m_strStartLon, &m_strStartH,
                               &m_strEndLat,   &m_strEndLon,   &m_strEndH};
    double v[6] = {};
    for (int i = 0; i < 6; ++i) {
        if (!tools::ReadTextNumber(*texts[i], v[i])) return;
    }
    for (int i : {0, 1, 3, 4})
        v[i] = CCoordTransform::ConvertDmsRadian(v[i], 1) * 57.29577951308402;
    const CoordSysParams& job = g_pDoc->m_coordParams;
    CCoordTransform& engine = g_pDoc->m_coordTransform;
    engine.SetEllipsoid(CCoordTransform::kWgs84A, CCoordTransform::kWgs84InvF, job.szdTHigh);
    double x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    engine.GeodeticToGeocentric(v[0], v[1], v[2], x1, y1, z1);
    engine.GeodeticToGeocentric(v[3], v[4], v[5], x2, y2, z2);
    engine.SetEllipsoid(job.szdDa, job.szdDf, job.szdTHigh);
    const double length =
        std::sqrt((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2) + (z1 - z2) * (z1 - z2));
    if (!std::isfinite(length)) {
        m_strLength.Empty();
        UpdateData(FALSE);
        tools::ShowText(this, IDS_STRING61396);
        return;
    }
    m_strLength.Format(L"%.4f", length);
    UpdateData(FALSE);
}

// The record holds the texts as shown; a length that is not a computed
// number is not stored.
void CSpaceDistanceDlg::OnSave() {
    if (!UpdateData(TRUE)) return;
    double length = 0.0;
    CString trimmed = m_strLength;
    trimmed.Trim();
    if (trimmed.IsEmpty() || !tools::ReadTextNumber(trimmed, length)) {
        tools::ShowText(this, IDS_STRING61397);
        return;
    }
    if (coordsys::RefuseSeparators(this, {&m_strStartName, &m_strEndName})) return;
    CString record;
    record.Format(L"start: %s,%s,%s,%s\r\nEnd: %s,%s,%s,%s\r\nDistance: %s\r\n\r\n",
                  m_strStartName.GetString(), m_strStartLat.GetString(), m_strStartLon.GetString(),
                  m_strStartH.GetString(), m_strEndName.GetString(), m_strEndLat.GetString(),
                  m_strEndLon.GetString(), m_strEndH.GetString(), m_strLength.GetString());
    // A failure has had its box.
    (void)tools::AppendLines(this, {{tools::ResultFilePath(L"skydis.txt"), record}});
}
