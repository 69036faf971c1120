#include "app/stakeout/StakeoutDlg.h"

#include <cmath>

#include "app/DeviceFiles.h"
#include "app/FrameMessages.h"
#include "app/link/InfoDisplayDlg.h"
#include "app/points/DocStorePoint.h"
#include "app/points/MeasurePointLibDlg.h"
#include "app/points/MeasurePointStoreDlg.h"
#include "app/points/OffsetStoreDlg.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/KeyMap.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "app/stakeout/StakeLibraryChoice.h"
#include "app/stakeout/StakeoutDialogs.h"
#include "app/stakeout/StakeoutDraw.h"
#include "app/stakeout/StakeoutReadouts.h"
#include "app/stakeout/StakeoutScreen.h"
#include "platform/base/Clock.h"
#include "res/resource.h"

using namespace stakeout;

namespace {

// The read-outs in the order of m_readouts.
constexpr int kReadoutIds[10] = {
    IDC_SO_NAME, IDC_SO_STATUS, IDC_SO_HRMS,    IDC_SO_VRMS,     IDC_SO_DX,
    IDC_SO_DY,   IDC_SO_DH,     IDC_SO_AZIMUTH, IDC_SO_DISTANCE, 0};

constexpr int kButtonIds[10] = {
    IDC_SO_ZOOM_IN,  IDC_SO_ZOOM_OUT, IDC_SO_ZOOM_WINDOW, IDC_SO_ZOOM_ALL, IDC_SO_POINT_LIB,
    IDC_SO_SETTINGS, IDC_SO_HELP,     IDC_SO_RECORD,      IDC_SO_SPARE,    IDOK};
constexpr int kButtonIcons[10] = {IDI_ZOOM_IN,      IDI_ZOOM_OUT,   IDI_ZOOM_WINDOW, IDI_ZOOM_ALL,
                                  IDI_LINE_LIBRARY, IDI_STORE_TYPE, IDI_HELP,        IDI_STORE,
                                  IDI_SPARE,        IDI_EXIT};

CString Text(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CStakeoutDlg, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_GPS_POSITION, OnPositionUpdate)
ON_BN_CLICKED(IDC_SO_ZOOM_IN, OnZoomIn)
ON_BN_CLICKED(IDC_SO_ZOOM_OUT, OnZoomOut)
ON_BN_CLICKED(IDC_SO_ZOOM_WINDOW, OnWindowZoom)
ON_BN_CLICKED(IDC_SO_ZOOM_ALL, OnZoomAll)
ON_BN_CLICKED(IDC_SO_POINT_LIB, OnPointLibrary)
ON_BN_CLICKED(IDC_SO_SETTINGS, OnSettings)
ON_BN_CLICKED(IDC_SO_HELP, OnHelp)
ON_BN_CLICKED(IDC_SO_RECORD, OnRecordPoint)
END_MESSAGE_MAP()

CStakeoutDlg::CStakeoutDlg(CWnd* pParent) : CDialog(IDD_STAKEOUT, pParent) {
    m_fix.nHour = 8;
    m_fix.nMinute = 0;
    m_fix.dSecond = 0.0;
    m_fix.nSatsUsed = 0;
}

CVendropDoc* CStakeoutDlg::Doc() const {
    return g_pDoc;
}

void CStakeoutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SO_PLAN, m_plan);
    for (int i = 0; i < 10; ++i) DDX_Control(pDX, kButtonIds[i], m_buttons[i]);
}

BOOL CStakeoutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_plan.SetBkColor(RGB(255, 255, 255));
    ShowWindow(SW_MAXIMIZE);
    StyleScreenButtons(m_buttons, kButtonIcons, 10, GetFont());
    m_strNameText = L"请选择放样点";
    m_strStatusText = L"脱机状态";
    m_nTargetIndex = -1;
    m_bTargetSet = 0;
    if (CMainFrame* frame = GetMainFrame()) {
        m_hPrevView = frame->GetViewWnd();
        frame->SetViewWnd(m_hWnd);
        m_bRegistered = TRUE;
    }
    FitPlanView(m_plan, m_view, m_frame);
    m_view.e0 = m_view.n0 = 0.0;
    LoadStakeFiles();
    return TRUE;
}

void CStakeoutDlg::LoadStakeFiles() {
    CVendropDoc* doc = Doc();
    if (doc != nullptr) {
        const CString ini = doc->m_strIniName;
        m_settings.curLayoutFileName =
            doc->m_strJobDir + (ini.GetLength() >= 3 ? ini.Left(ini.GetLength() - 3) : ini) +
            L"ptb";
        LoadPointSettings(PointSettingsPath(doc->m_strJobDir), m_settings);
    }
    m_settings.curLayoutFileName.Trim();
    if (m_settings.curLayoutFileName.IsEmpty()) return;
    m_stakePoints = ReadPointLibrary(m_settings.curLayoutFileName);
    m_nTargetIndex = -1;
    m_recorded = ReadRecordFile(RecordPathFor(m_settings.curLayoutFileName, L"ptr"));
    ZoomAll();
}

// The screen's own display settings: a failed save keeps the old ones, as
// the screen always has, without a word.
void CStakeoutDlg::SaveSettings() {
    if (CVendropDoc* doc = Doc())
        (void)SavePointSettings(PointSettingsPath(doc->m_strJobDir), m_settings);
}

// Positions go back to the screen this one took them from, whichever way
// it closes.
void CStakeoutDlg::Restore() {
    if (m_bRegistered) {
        if (CMainFrame* frame = GetMainFrame()) frame->SetViewWnd(m_hPrevView);
        m_bRegistered = FALSE;
    }
    if (CVendropDoc* doc = Doc()) doc->m_nStakeMode = 0;
}

void CStakeoutDlg::OnOK() {
    Restore();
    CDialog::OnOK();
}

void CStakeoutDlg::OnCancel() {
    Restore();
    CDialog::OnCancel();
}

void CStakeoutDlg::OnDestroy() {
    Restore();
    CDialog::OnDestroy();
}

// ---- Positions ----

LRESULT CStakeoutDlg::OnPositionUpdate(WPARAM wParam, LPARAM lParam) {
    if (wParam == 0) return 0;
    m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    CDC* dc = m_plan.GetSafeHwnd() ? m_plan.GetDC() : nullptr;
    if (dc == nullptr) return 0;
    if (m_fix.strStatus == CString(L"NODATA")) {
        m_strStatusText = L"脱机状态";
        Readout(IDC_SO_STATUS, m_strStatusText);
        m_bPositionValid = 0;
        DrawLink(dc, m_frame, m_fix.nAux, false, Doc());
        m_plan.ReleaseDC(dc);
        return 0;
    }
    if (lParam == kGpsPositionStatus) {
        // A status-only notice ("FIND", "FINDRADIO"): no position with it.
        m_strStatusText = m_fix.strStatus;
        Readout(IDC_SO_STATUS, m_strStatusText);
        m_plan.ReleaseDC(dc);
        return 0;
    }
    m_bPositionValid = 1;
    screens::DrawScaleBar(*dc, m_frame, m_view.scale, nullptr);
    MoveMarker(dc, m_fix.dX, m_fix.dY);
    screens::DrawNorthArrow(*dc, m_frame, NorthFont());
    if (m_bTargetSet) {
        DrawTarget(dc);
        const double dN = m_target.dX - m_fix.dX, dE = m_target.dY - m_fix.dY;
        const PointPromptStep step =
            StepPointPrompt(std::sqrt(dN * dN + dE * dE), m_settings.maxLayoutPrompt,
                            m_settings.soundPrompt, m_nSounded);
        if (step.drawRings) DrawPromptRings(dc);
        if (step.sound) PlayAlarm();
    }
    m_bBlink = !m_bBlink;
    DrawLink(dc, m_frame, m_fix.nAux, m_bBlink != 0, Doc());
    screens::DrawFixTime(*dc, m_frame, m_fix, nullptr);
    m_plan.ReleaseDC(dc);
    UpdateReadouts();
    if (m_bRepaintPending) {
        if (++m_nRepaintCount > m_nRepaintLimit) {
            m_bRepaintPending = m_nRepaintCount = m_nRepaintLimit = 0;
            Invalidate();
        }
    }
    return 0;
}

CString CStakeoutDlg::ReadoutText(int id) const {
    for (int i = 0; i < 9; ++i)
        if (kReadoutIds[i] == id) return m_readouts[i];
    return CString();
}

void CStakeoutDlg::Readout(int id, const CString& text) {
    for (int i = 0; i < 9; ++i)
        if (kReadoutIds[i] == id) m_readouts[i] = text;
    DrawReadout(GetDlgItem(id), text);
}

void CStakeoutDlg::UpdateReadouts() {
    m_strNameText = m_bTargetSet ? m_target.strName : CString(L"请选择放样点");
    Readout(IDC_SO_NAME, m_strNameText);
    m_strStatusText.Format(L"(%d)%s", m_fix.nSatsUsed, m_fix.strStatus.GetString());
    Readout(IDC_SO_STATUS, m_strStatusText);
    CString text;
    text.Format(L"%.3f", m_fix.dHrms);
    Readout(IDC_SO_HRMS, text);
    text.Format(L"%.3f", m_fix.dVrms);
    Readout(IDC_SO_VRMS, text);
    PointReadouts r;
    if (m_bTargetSet && m_bPositionValid) {
        const CVendropDoc* doc = Doc();
        r = ComputePointReadouts(m_target, m_fix.dX, m_fix.dY, m_fix.dGridH,
                                 doc ? doc->m_sysParams.nUseAntHgt : 0,
                                 doc ? doc->m_sysParams.szdRoverAntH : 0.0);
    }
    Readout(IDC_SO_DX, r.dx);
    Readout(IDC_SO_DY, r.dy);
    Readout(IDC_SO_DH, r.dh);
    Readout(IDC_SO_AZIMUTH, r.azimuth);
    Readout(IDC_SO_DISTANCE, r.distance);
}

// ---- Keys ----

BOOL CStakeoutDlg::PreTranslateMessage(MSG* pMsg) {
    switch (MapKeyToCommand(pMsg->message, pMsg->wParam)) {
        case 'A':
            if (!m_bPositionValid) {
                NeedsPosition();
                return TRUE;
            }
            if (Doc() != nullptr && !Doc()->m_bDiffAlive &&
                MessageBox(Text(IDS_STRING61755), Text(IDS_STRING61314), MB_YESNO) != IDYES)
                return TRUE;
            StoreStakedPoint(FALSE, TRUE);
            break;
        case 'D':
            if (!m_bPositionValid) {
                NeedsPosition();
                return TRUE;
            }
            StoreGeneralPoint();
            break;
        case 'B':
            OpenLibraryOnSecondB();
            break;
        case '8':
            MoveTarget(-1);
            break;
        case '2':
            MoveTarget(1);
            break;
        case '3':
            TakeSelected();
            break;
        case '9':
            FindPoint();
            break;
        case '5':
            Invalidate(TRUE);
            break;
        case '6':
            if (CVendropDoc* doc = Doc()) doc->m_nCoordDisplay = doc->m_nCoordDisplay ? 0 : 1;
            break;
        default:
            break;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CStakeoutDlg::NeedsPosition() {
    if (m_bPositionValid) return TRUE;
    MessageBox(Text(IDS_STRING61341), Text(IDS_STRING61314), MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

CString CStakeoutDlg::StoreStatus() {
    if (Doc() != nullptr && Doc()->m_storeFix.nSolution == 10) return Text(IDS_STRING61343);
    PlayAlarm();
    return Text(IDS_STRING61342);
}

void CStakeoutDlg::OnRecordPoint() {
    if (!NeedsPosition()) return;
    StoreStakedPoint(TRUE, FALSE);
}

// A staked point: the store dialog proposes the target's name and shows
// the offsets to it; after a store that wrote, its record line.
void CStakeoutDlg::StoreStakedPoint(BOOL bFromButton, BOOL bArmRepaint) {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    doc->m_storeFix = m_fix;
    const BOOL codeIsName = doc->m_sysParams.CodeSaveType == 1;
    if (doc->m_nStoreType == 1) {
        COffsetStoreDlg dialog(this);
        if (!bFromButton || codeIsName) dialog.m_strStatus = StoreStatus();
        dialog.m_bCodeIsName = codeIsName;
        dialog.DoModal();
        return;
    }
    const CString status = StoreStatus();
    if (doc->m_nStoreType != 0 && doc->m_nStoreType != 2) return;
    CMeasurePointStoreDlg dialog(this);
    dialog.m_strStatus = status;
    dialog.m_bCodeIsName = codeIsName;
    if (m_bTargetSet) {
        dialog.m_strName = m_target.strName;
        const PointReadouts r =
            ComputePointReadouts(m_target, m_fix.dX, m_fix.dY, m_fix.dGridH,
                                 doc->m_sysParams.nUseAntHgt, doc->m_sysParams.szdRoverAntH);
        dialog.m_dDiffX = r.dN;
        dialog.m_dDiffY = r.dE;
        dialog.m_dDiffH = r.dH;
    }
    if (dialog.DoModal() != IDOK) return;
    if (!points::StoreConfirmedPoint(*doc, this, dialog, FALSE)) return;
    RecordStakedPoint();
    if (bArmRepaint) {
        m_nRepaintLimit = 4;
        m_nRepaintCount = 0;
        m_bRepaintPending = 1;
    }
}

void CStakeoutDlg::RecordStakedPoint() {
    const CVendropDoc* doc = Doc();
    RecordStoredPoint(this, *doc, m_recorded, m_settings.curLayoutFileName, L"ptr");
}

void CStakeoutDlg::StoreGeneralPoint() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr || doc->m_nStoreType != 0) return;
    doc->m_storeFix = m_fix;
    CMeasurePointStoreDlg dialog(this);
    dialog.m_strStatus = StoreStatus();
    dialog.m_bCodeIsName = doc->m_sysParams.CodeSaveType == 1;
    if (dialog.DoModal() != IDOK || doc->m_bSmoothStore) return;
    doc->m_strPointName = dialog.m_strName;
    doc->m_strPointCode = dialog.m_strCode;
    doc->m_dPointAntHeight = dialog.m_dAntHeight;
    (void)points::WriteStoredPoint(*doc, this, FALSE, TRUE);  // a failure has had its box
}

void CStakeoutDlg::OpenLibraryOnSecondB() {
    OpenLibraryOnSecondPress(this, m_nKeyMinute, m_nKeySecond);
}

void CStakeoutDlg::SetTarget(const PointRecord& p, int index) {
    m_target = p;
    m_bTargetSet = 1;
    m_nTargetIndex = index;
    m_nSounded = 0;
}

void CStakeoutDlg::MoveTarget(int step) {
    const int count = static_cast<int>(m_stakePoints.size());
    if (m_nTargetIndex < 0 || count == 0) return;
    PlayAlarm();
    CStakePromptDlg dialog(this);
    const bool atEnd = step < 0 ? m_nTargetIndex <= 0 : m_nTargetIndex >= count - 1;
    if (atEnd || m_nTargetIndex >= count) {
        dialog.m_strQuestion = step < 0 ? L"已经到第一点!" : L"已经到最后一点!";
        dialog.m_strLabel = step < 0 ? L"第一点坐标为:" : L"最后一点坐标为:";
        dialog.SetPoint(m_target);
        dialog.DoModal();
        return;
    }
    const int next = m_nTargetIndex + step;
    dialog.m_strQuestion = step < 0 ? L"确定放样上一点吗?" : L"确定放样下一点吗?";
    dialog.m_strLabel = step < 0 ? L"上一点坐标为:" : L"下一点坐标为:";
    dialog.SetPoint(m_stakePoints[next]);
    if (dialog.DoModal() != IDOK) return;
    SetTarget(m_stakePoints[next], next);
    m_view.Centre(m_target.dX, m_target.dY);
    Invalidate(FALSE);
}

void CStakeoutDlg::TakeSelected() {
    if (m_nSelected < 0 || m_nSelected >= static_cast<int>(m_stakePoints.size())) return;
    PlayAlarm();
    CStakePromptDlg dialog(this);
    dialog.m_strQuestion = L"确定放该点吗?";
    dialog.m_strLabel = L"该点坐标为:";
    dialog.SetPoint(m_stakePoints[m_nSelected]);
    if (dialog.DoModal() != IDOK) return;
    SetTarget(m_stakePoints[m_nSelected], m_nSelected);
    m_view.Centre(m_target.dX, m_target.dY);
    Invalidate(FALSE);
}

void CStakeoutDlg::FindPoint() {
    CStakeFindPointDlg dialog(this);
    dialog.m_strPath = m_settings.curLayoutFileName;
    dialog.m_points = m_stakePoints;
    if (m_nTargetIndex != -1) {
        dialog.m_strName = m_target.strName;
        dialog.m_strCode = m_target.strCode;
        dialog.m_dX = m_target.dX;
        dialog.m_dY = m_target.dY;
        dialog.m_dH = m_target.dH;
    }
    if (dialog.DoModal() != IDOK) return;
    PointRecord p;
    p.strName = dialog.m_strName;
    p.strCode = dialog.m_strCode;
    p.dX = dialog.m_dX;
    p.dY = dialog.m_dY;
    p.dH = dialog.m_dH;
    SetTarget(p, dialog.m_nFound);
    ZoomAll();
}

void CStakeoutDlg::OnPointLibrary() {
    const PointLibraryChoice choice = RunPointLibrary(this, m_settings.curLayoutFileName);
    if (!choice.bOk) return;
    m_stakePoints = choice.points;
    if (choice.bPicked) {
        const CString oldPath = m_settings.curLayoutFileName;
        if (choice.strPath != oldPath) {
            m_settings.curLayoutFileName = choice.strPath;
            SaveSettings();
            m_recorded = ReadRecordFile(RecordPathFor(choice.strPath, L"ptr"));
        }
        SetTarget(choice.pick, NamedIndexOfRow(choice.strPath, choice.nPickedRow));
    }
    ZoomAll();
}

void CStakeoutDlg::TakeLibraryChoice(const std::vector<PointRecord>& points, int pickedRow,
                                     const CString& libraryPath) {
    m_stakePoints = points;
    if (libraryPath != m_settings.curLayoutFileName) {
        m_settings.curLayoutFileName = libraryPath;
        SaveSettings();
        m_recorded = ReadRecordFile(RecordPathFor(libraryPath, L"ptr"));
    }
    const int index = NamedIndexOfRow(libraryPath, pickedRow);
    if (index >= 0 && index < static_cast<int>(points.size())) SetTarget(points[index], index);
    ZoomAll();
}

void CStakeoutDlg::OnSettings() {
    CStakeoutSetDlg dialog(this);
    dialog.m_bShowAll = m_settings.showAllLayoutPoint;
    dialog.m_bShowRecorded = m_settings.showRecordLayoutPoint;
    dialog.m_bSound = m_settings.soundPrompt;
    dialog.m_dMin = m_settings.minLayoutPrompt;
    dialog.m_dMax = m_settings.maxLayoutPrompt;
    dialog.m_strCount = CountText(m_settings.showSurveyPoint);
    if (dialog.DoModal() != IDOK) return;
    m_settings.showAllLayoutPoint = dialog.m_bShowAll;
    m_settings.showRecordLayoutPoint = dialog.m_bShowRecorded;
    m_settings.soundPrompt = dialog.m_bSound;
    m_settings.minLayoutPrompt = dialog.m_dMin;
    m_settings.maxLayoutPrompt = dialog.m_dMax;
    m_settings.showSurveyPoint = CountFromText(dialog.m_strCount);
    if (m_settings.soundPrompt) m_nSounded = 0;
    SaveSettings();
}

void CStakeoutDlg::OnHelp() {
    CString detail;
    detail.Format(L"\n%s:%s\n%s:%.4f %s:%.4f\n%s:%.4f  %s:%s", L"放样点",
                  m_target.strName.GetString(), L"北", m_target.dX, L"东", m_target.dY, L"高",
                  m_target.dH, L"编码", m_target.strCode.GetString());
    CInfoDisplayDlg dialog(this);
    dialog.m_strOtherText = CString(L"当前模式:点放样") + detail + L"\n" +
                            L"\n按'A'键保存测量点\n按'B'两次查看测量点" +
                            L"\n按'8'键放上一点\n按'2'键放下一点" +
                            L"\n按'9'键查找放样点\n按'3'放样当前选择点" + L"\n按'5'键刷新屏幕\n";
    dialog.DoModal();
}
