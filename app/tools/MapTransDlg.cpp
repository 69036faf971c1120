#include "app/tools/MapTransDlg.h"

#include <cmath>

#include "app/coordsys/CoordSysUi.h"
#include "app/settings/KeyValueFile.h"
#include "app/shell/VendropDoc.h"
#include "app/tools/ToolSupport.h"
#include "res/resource.h"

namespace {
const wchar_t kScaleError[] = L"参数设置错误，请检查后重新设置！";
// The six remembered values: key and edit, in the file's order.
struct Kept {
    const wchar_t* key;
    int nId;
};
const Kept kKept[6] = {{L"strBSetMM", IDC_MAP_B_MM},   {L"strBSetS", IDC_MAP_B_S},
                       {L"strLSetMM", IDC_MAP_L_MM},   {L"strLSetS", IDC_MAP_L_S},
                       {L"strInputBDM", IDC_MAP_B_DM}, {L"strInputLDM", IDC_MAP_L_DM}};
}  // namespace

BEGIN_MESSAGE_MAP(CMapTransDlg, CDialog)
ON_BN_CLICKED(IDC_MAP_RUN, OnConvert)
ON_BN_CLICKED(IDC_TOOL_SAVE, OnStore)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMapTransDlg::CMapTransDlg(CWnd* pParent) : CDialog(IDD_MAP_TRANS, pParent) {}

void CMapTransDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MAP_B_MM, m_strBSetMM);
    DDX_Text(pDX, IDC_MAP_B_S, m_strBSetS);
    DDX_Text(pDX, IDC_MAP_L_MM, m_strLSetMM);
    DDX_Text(pDX, IDC_MAP_L_S, m_strLSetS);
    DDX_Text(pDX, IDC_MAP_B_DM, m_strInputBDM);
    DDX_Text(pDX, IDC_MAP_B_OFFSET, m_strBOffset);
    DDX_Text(pDX, IDC_MAP_L_DM, m_strInputLDM);
    DDX_Text(pDX, IDC_MAP_L_OFFSET, m_strLOffset);
    DDX_Text(pDX, IDC_MAP_X, m_strX);
    DDX_Text(pDX, IDC_MAP_Y, m_strY);
    DDX_Text(pDX, IDC_TOOL_POINT_NAME, m_strName);
    DDX_Text(pDX, IDC_TOOL_POINT_CODE, m_strCode);
}

CString CMapTransDlg::SettingsPath() const {
    CString dir = g_pDoc ? g_pDoc->m_strJobDir : CString();
    if (dir.IsEmpty() || dir[dir.GetLength() - 1] != L'\\') dir += L"\\";
    return dir + L"maptrans";
}

BOOL CMapTransDlg::OnInitDialog() {
    CKeyValueFile file;
    if (file.Load(SettingsPath(), CFile::modeRead)) {
        CString* values[6] = {&m_strBSetMM, &m_strBSetS,    &m_strLSetMM,
                              &m_strLSetS,  &m_strInputBDM, &m_strInputLDM};
        for (int i = 0; i < 6; ++i) file.ReadString(kKept[i].key, values[i]);
    }
    CDialog::OnInitDialog();
    ShowWindow(SW_MAXIMIZE);
    return TRUE;
}

// Written anew from the edits as they stand, whatever was converted; the
// dialog is going, so a failed save only keeps the last values.
void CMapTransDlg::OnDestroy() {
    CKeyValueFile file;
    if (file.Open(SettingsPath(), CFile::modeCreate | CFile::modeWrite)) {
        CString value;
        for (const Kept& kept : kKept) {
            GetDlgItemText(kept.nId, value);
            file.WriteString(kept.key, value);
        }
        (void)file.Close();
    }
    CDialog::OnDestroy();
}

BOOL CMapTransDlg::SheetDegrees(double dm, double scaleMm, double scaleSeconds, double offsetMm,
                                double& degrees) {
    if (scaleMm < 1e-6) return FALSE;
    const double whole = std::trunc(dm);
    degrees = whole + (dm - whole) * 1.6666666666666667 +
              (scaleSeconds / scaleMm) * offsetMm * 0.0002777777777777778;
    return TRUE;
}

void CMapTransDlg::OnConvert() {
    if (!UpdateData(TRUE) || !g_pDoc) return;
    const CString* texts[8] = {&m_strBSetMM,   &m_strBSetS,   &m_strLSetMM,   &m_strLSetS,
                               &m_strInputBDM, &m_strBOffset, &m_strInputLDM, &m_strLOffset};
    double v[8] = {};
    for (int i = 0; i < 8; ++i) {
        if (!tools::ReadTextNumber(*texts[i], v[i])) return;
    }
    double b = 0.0, l = 0.0;
    if (!SheetDegrees(v[4], v[0], v[1], v[5], b) || !SheetDegrees(v[6], v[2], v[3], v[7], l)) {
        tools::ShowText(this, kScaleError);
        return;
    }
    double x = 0.0, y = 0.0, h = 0.0;
    g_pDoc->m_coordTransform.Wgs84ToGrid(b, l, 0.0, g_pDoc->m_coordParams, x, y, h);
    if (!tools::AllFinite({x, y})) {
        tools::ShowText(this, IDS_STRING61396);
        return;
    }
    m_strX.Format(L"%.3f", x);
    m_strY.Format(L"%.3f", y);
    UpdateData(FALSE);
}

// x and y are stored as shown (a value typed over the computed one as
// typed), but only when both read as numbers.
void CMapTransDlg::OnStore() {
    if (!UpdateData(TRUE)) return;
    CString x = m_strX, y = m_strY;
    x.Trim();
    y.Trim();
    double value = 0.0;
    if (x.IsEmpty() || y.IsEmpty() || !tools::ReadTextNumber(x, value) ||
        !tools::ReadTextNumber(y, value)) {
        tools::ShowText(this, IDS_STRING61397);
        return;
    }
    if (coordsys::RefuseSeparators(this, {&m_strName, &m_strCode})) return;
    CString libLine, calcLine;
    libLine.Format(L"0,%s,%s,%s,0.0,%s", m_strName.GetString(), m_strX.GetString(),
                   m_strY.GetString(), m_strCode.GetString());
    calcLine.Format(L"%s,%s,%s,0.0,%s", m_strName.GetString(), m_strX.GetString(),
                    m_strY.GetString(), m_strCode.GetString());
    // A failure has had its box.
    (void)tools::AppendLines(this, {{tools::JobFilePath(L"lib"), libLine},
                                    {tools::ResultFilePath(L"calcoord.dat"), calcLine}});
}
