#include "app/stakeout/LineStakeoutDlg.h"

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
#include "app/stakeout/StakeoutScreen.h"
#include "platform/base/Clock.h"
#include "res/resource.h"

using namespace stakeout;

namespace {

constexpr int kReadoutIds[10] = {IDC_SO_LINE_NAME,    IDC_SO_STATUS,          IDC_SO_HRMS,
                                 IDC_SO_VRMS,         IDC_SO_LINE_CHAINAGE,   IDC_SO_LINE_OFFSET,
                                 IDC_SO_DX,           IDC_SO_LINE_START_DIST, IDC_SO_DY,
                                 IDC_SO_LINE_END_DIST};
constexpr int kButtonIds[10] = {IDOK,
                                IDC_SO_SPARE,
                                IDC_SO_RECORD,
                                IDC_SO_SETTINGS,
                                IDC_SO_HELP,
                                IDC_SO_ZOOM_WINDOW,
                                IDC_SO_ZOOM_OUT,
                                IDC_SO_ZOOM_IN,
                                IDC_SO_ZOOM_ALL,
                                IDC_SO_LINE_LIB};
constexpr int kButtonIcons[10] = {IDI_EXIT,     IDI_SPARE,       IDI_STORE,    IDI_STORE_TYPE,
                                  IDI_HELP,     IDI_ZOOM_WINDOW, IDI_ZOOM_OUT, IDI_ZOOM_IN,
                                  IDI_ZOOM_ALL, IDI_LINE_LIBRARY};

CString Text(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CLineStakeoutDlg, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_DRAWITEM()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_GPS_POSITION, OnPositionUpdate)
ON_BN_CLICKED(IDC_SO_ZOOM_IN, OnZoomIn)
ON_BN_CLICKED(IDC_SO_ZOOM_OUT, OnZoomOut)
ON_BN_CLICKED(IDC_SO_ZOOM_WINDOW, OnZoomWindow)
ON_BN_CLICKED(IDC_SO_ZOOM_ALL, OnZoomAll)
ON_BN_CLICKED(IDC_SO_LINE_LIB, OnChooseLine)
ON_BN_CLICKED(IDC_SO_HELP, OnInfo)
ON_BN_CLICKED(IDC_SO_SETTINGS, OnSettings)
ON_BN_CLICKED(IDC_SO_RECORD, StorePoint)
ON_BN_CLICKED(IDC_SO_SPARE, OnPointLibrary)
END_MESSAGE_MAP()

CLineStakeoutDlg::CLineStakeoutDlg(CWnd* pParent) : CDialog(IDD_LINE_STAKEOUT, pParent) {
    m_fix.nHour = 8;
    m_fix.nMinute = 0;
    m_fix.dSecond = 0.0;
    m_fix.nSatsUsed = 0;
}

CVendropDoc* CLineStakeoutDlg::Doc() const {
    return g_pDoc;
}

void CLineStakeoutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SO_PLAN, m_plan);
    for (int i = 0; i < 10; ++i) DDX_Control(pDX, kButtonIds[i], m_buttons[i]);
}

BOOL CLineStakeoutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_plan.SetBkColor(RGB(255, 255, 255));
    ShowWindow(SW_MAXIMIZE);
    StyleScreenButtons(m_buttons, kButtonIcons, 10, GetFont());
    m_strLineText = Text(IDS_STRING61556);
    m_strStatusText = Text(IDS_STRING61481);
    if (CMainFrame* frame = GetMainFrame()) {
        m_hPrevView = frame->GetViewWnd();
        frame->SetViewWnd(m_hWnd);
        m_bRegistered = TRUE;
    }
    FitPlanView(m_plan, m_view, m_frame);
    if (CVendropDoc* doc = Doc()) LoadLineSettings(LineSettingsPath(doc->m_strJobDir), m_settings);
    m_settings.curLayoutFileName.Trim();
    if (!m_settings.curLayoutFileName.IsEmpty()) {
        if (DeviceFileExists(m_settings.curLayoutFileName)) {
            LoadLineFile(m_settings.curLayoutFileName);
            m_nLineIndex = -1;
            LoadRecordFile(m_settings.curLayoutFileName);
        }
        ZoomToExtent();
    }
    return TRUE;
}

void CLineStakeoutDlg::LoadLineFile(const CString& path) {
    m_starts.clear();
    m_ends.clear();
    for (const StakeLine& l : ReadLineLibrary(path)) {
        m_starts.push_back(l.start);
        m_ends.push_back(l.end);
    }
}

void CLineStakeoutDlg::LoadRecordFile(const CString& libraryPath) {
    m_recorded = ReadRecordFile(RecordPathFor(libraryPath, L"lnr"));
}

// The screen's own display settings: a failed save keeps the old ones, as
// the screen always has, without a word.
void CLineStakeoutDlg::SaveSettings() {
    if (CVendropDoc* doc = Doc())
        (void)SaveLineSettings(LineSettingsPath(doc->m_strJobDir), m_settings);
}

// Positions go back to the screen this one took them from, whichever way
// it closes.
void CLineStakeoutDlg::Restore() {
    if (!m_bRegistered) return;
    if (CMainFrame* frame = GetMainFrame()) frame->SetViewWnd(m_hPrevView);
    m_bRegistered = FALSE;
}

void CLineStakeoutDlg::OnOK() {
    Restore();
    CDialog::OnOK();
}

void CLineStakeoutDlg::OnCancel() {
    Restore();
    CDialog::OnCancel();
}

void CLineStakeoutDlg::OnDestroy() {
    Restore();
    CDialog::OnDestroy();
}

// The settings button's repaint redraws the whole screen; the screen's own
// repaint must not start another one, or it would never go idle.
void CLineStakeoutDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (nIDCtl == IDC_SO_SETTINGS && !m_bPainting) {
        m_bPainting = TRUE;
        Invalidate(TRUE);
    }
    CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

// ---- Lines ----

void CLineStakeoutDlg::OnChooseLine() {
    const LineLibraryChoice choice = RunLineLibrary(this, m_settings.curLayoutFileName);
    if (!choice.bOk || !choice.bPicked) return;
    ChooseLine(choice.lines, choice.nPickIndex, choice.strPath);
}

void CLineStakeoutDlg::ChooseLine(const std::vector<stakeout::StakeLine>& lines, int pickIndex,
                                  const CString& libraryPath) {
    if (pickIndex < 0 || pickIndex >= static_cast<int>(lines.size())) return;
    m_starts.clear();
    m_ends.clear();
    m_chainages.clear();
    for (const StakeLine& l : lines) {
        m_starts.push_back(l.start);
        m_ends.push_back(l.end);
        m_chainages.push_back(l.chainage);
    }
    m_line = lines[pickIndex];
    m_bCurrentLine = 1;
    m_prompt.nearPlayed = 0;
    if (libraryPath != m_settings.curLayoutFileName) {
        m_settings.curLayoutFileName = libraryPath;
        SaveSettings();
        LoadRecordFile(libraryPath);
    }
    m_nLineIndex = pickIndex;
    const double h = std::max(1, m_view.Height()), w = std::max(1, m_view.Width());
    const double fit = std::max(std::fabs(m_line.end.dX - m_line.start.dX) / h,
                                std::fabs(m_line.end.dY - m_line.start.dY) / w);
    if (fit < m_view.scale) m_view.SetScale(fit);
    m_view.Centre((m_line.start.dX + m_line.end.dX) / 2.0, (m_line.start.dY + m_line.end.dY) / 2.0);
    m_view.ZoomOut();
    if (m_hWnd) Invalidate(TRUE);
}

void CLineStakeoutDlg::MoveLine(int step) {
    const int count = static_cast<int>(std::min({m_starts.size(), m_ends.size()}));
    if (m_nLineIndex < 0 || count == 0) return;
    const bool atEnd = step < 0 ? m_nLineIndex <= 0 : m_nLineIndex >= count - 1;
    const int shown = atEnd ? std::clamp(m_nLineIndex, 0, count - 1) : m_nLineIndex + step;
    CLineStakeoutPromptDlg dialog(this);
    if (atEnd) {
        dialog.m_strMessage = Text(step < 0 ? IDS_STRING61571 : IDS_STRING61577);
        dialog.m_strSubTitle = Text(step < 0 ? IDS_STRING61572 : IDS_STRING61578);
    } else {
        dialog.m_strMessage = Text(step < 0 ? IDS_STRING61573 : IDS_STRING61575);
        dialog.m_strSubTitle = Text(step < 0 ? IDS_STRING61574 : IDS_STRING61576);
    }
    const double chainage = shown < static_cast<int>(m_chainages.size()) ? m_chainages[shown] : 0.0;
    dialog.SetLine(m_starts[shown], m_ends[shown], chainage);
    if (dialog.DoModal() != IDOK || atEnd) return;
    m_nLineIndex = shown;
    m_line.start = m_starts[shown];
    m_line.end = m_ends[shown];
    m_line.chainage = chainage;
    m_prompt.nearPlayed = 0;
    m_view.Centre((m_line.start.dX + m_line.end.dX) / 2.0, (m_line.start.dY + m_line.end.dY) / 2.0);
}

void CLineStakeoutDlg::OnPointLibrary() {
    CMeasurePointLibDlg dialog(this);
    dialog.DoModal();
}

void CLineStakeoutDlg::OnSettings() {
    CLineStakeoutSetDlg dialog(this);
    dialog.m_dMinPrompt = m_settings.minPrompt;
    dialog.m_dMaxPrompt = m_settings.maxPrompt;
    dialog.m_nSoundPrompt = m_settings.soundPrompt;
    dialog.m_nShowRecordLayoutPoint = m_settings.showRecordLayoutPoint;
    dialog.m_nShowPlumb = m_settings.showPlumb;
    dialog.m_nShowAllLayoutLine = m_settings.showAllLayoutLine;
    dialog.m_strCount = CountText(m_settings.showSurveyPoint);
    dialog.m_dIntMileage = m_settings.intMileage;
    dialog.m_nIntMilPrompt = m_settings.intMilPrompt;
    if (dialog.DoModal() != IDOK) return;
    m_settings.minPrompt = dialog.m_dMinPrompt;
    m_settings.maxPrompt = dialog.m_dMaxPrompt;
    m_settings.soundPrompt = dialog.m_nSoundPrompt;
    m_settings.showRecordLayoutPoint = dialog.m_nShowRecordLayoutPoint;
    m_settings.showPlumb = dialog.m_nShowPlumb;
    m_settings.showAllLayoutLine = dialog.m_nShowAllLayoutLine;
    m_settings.showSurveyPoint = CountFromText(dialog.m_strCount);
    m_settings.intMileage = dialog.m_dIntMileage;
    m_settings.intMilPrompt = dialog.m_nIntMilPrompt;
    m_prompt.nearPlayed = 0;
    SaveSettings();
}

void CLineStakeoutDlg::OnInfo() {
    CString text = Text(IDS_STRING61557);
    const PointRecord* ends[2] = {&m_line.start, &m_line.end};
    const UINT titles[2] = {IDS_STRING61558, IDS_STRING61559};
    for (int i = 0; i < 2; ++i) {
        CString part;
        part.Format(L"\n%s:%s\n%s:%.4f %s:%.4f\n%s:%.4f  %s:%s", Text(titles[i]).GetString(),
                    ends[i]->strName.GetString(), Text(IDS_STRING61560).GetString(), ends[i]->dX,
                    Text(IDS_STRING61561).GetString(), ends[i]->dY,
                    Text(IDS_STRING61562).GetString(), ends[i]->dH,
                    Text(IDS_STRING61563).GetString(), ends[i]->strCode.GetString());
        text += part;
    }
    CString chainage;
    chainage.Format(L"\n%s:%.4f", Text(IDS_STRING61567).GetString(), m_line.chainage);
    text +=
        chainage + L"\n" + Text(IDS_STRING61564) + Text(IDS_STRING61565) + Text(IDS_STRING61566);
    CInfoDisplayDlg dialog(this);
    dialog.m_strOtherText = text;
    dialog.DoModal();
}

// ---- Positions ----

LRESULT CLineStakeoutDlg::OnPositionUpdate(WPARAM wParam, LPARAM lParam) {
    if (wParam == 0) return 0;
    m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    CDC* dc = m_plan.GetSafeHwnd() ? m_plan.GetDC() : nullptr;
    if (dc == nullptr) return 0;
    if (m_fix.strStatus == CString(L"NODATA")) {
        m_strStatusText = Text(IDS_STRING61481);
        Readout(IDC_SO_STATUS, m_strStatusText);
        m_nData = 0;
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
    m_nData = 1;
    screens::DrawScaleBar(*dc, m_frame, m_view.scale, nullptr);
    DrawPositionMarker(dc, m_fix.dX, m_fix.dY);
    m_bBlink = !m_bBlink;
    DrawLink(dc, m_frame, m_fix.nAux, m_bBlink != 0, Doc());
    screens::DrawFixTime(*dc, m_frame, m_fix, nullptr);
    screens::DrawNorthArrow(*dc, m_frame, NorthFont());
    UpdateReadouts();
    if (m_bCurrentLine) {
        const LinePromptStep step = StepLinePrompt(
            m_line, m_fix.dX, m_fix.dY, m_dAlong, m_settings.maxPrompt, m_settings.soundPrompt,
            m_settings.intMilPrompt, m_settings.intMileage, m_prompt);
        if (step.sound) PlayAlarm();
        if (step.drawGuides) DrawGuideLines(dc);
        if (step.chainageSound) PlayAlarm();
    }
    m_plan.ReleaseDC(dc);
    return 0;
}

CString CLineStakeoutDlg::ReadoutText(int id) const {
    for (int i = 0; i < 10; ++i)
        if (kReadoutIds[i] == id) return m_readouts[i];
    return CString();
}

void CLineStakeoutDlg::Readout(int id, const CString& text) {
    for (int i = 0; i < 10; ++i)
        if (kReadoutIds[i] == id) m_readouts[i] = text;
    DrawReadout(GetDlgItem(id), text);
}

void CLineStakeoutDlg::UpdateReadouts() {
    if (m_bCurrentLine)
        m_strLineText.Format(L"%s-%s", m_line.start.strName.GetString(),
                             m_line.end.strName.GetString());
    else
        m_strLineText = Text(IDS_STRING61556);
    Readout(IDC_SO_LINE_NAME, m_strLineText);
    m_strStatusText.Format(L"(%d)%s", m_fix.nSatsUsed, m_fix.strStatus.GetString());
    Readout(IDC_SO_STATUS, m_strStatusText);
    CString text;
    text.Format(L"%.3f", m_fix.dHrms);
    Readout(IDC_SO_HRMS, text);
    text.Format(L"%.3f", m_fix.dVrms);
    Readout(IDC_SO_VRMS, text);
    LineReadouts r;
    if (m_bCurrentLine) {
        r = ComputeLineReadouts(m_line, m_fix.dX, m_fix.dY, m_settings.showPlumb);
        m_dAlong = r.along;
        if (r.valid) {
            if (CVendropDoc* doc = Doc()) doc->m_strPointCode = r.chainage;
        }
    }
    Readout(IDC_SO_LINE_START_DIST, r.startDist);
    Readout(IDC_SO_LINE_END_DIST, r.endDist);
    Readout(IDC_SO_LINE_OFFSET, r.offset);
    Readout(IDC_SO_DX, r.dx);
    Readout(IDC_SO_DY, r.dy);
    Readout(IDC_SO_LINE_CHAINAGE, r.chainage);
}

// ---- Keys and storing ----

BOOL CLineStakeoutDlg::PreTranslateMessage(MSG* pMsg) {
    switch (MapKeyToCommand(pMsg->message, pMsg->wParam)) {
        case 'A':
            if (!m_nData) {
                MessageBox(Text(IDS_STRING61341), Text(IDS_STRING61314),
                           MB_OK | MB_ICONINFORMATION);
                return FALSE;
            }
            if (Doc() != nullptr && !Doc()->m_bDiffAlive &&
                MessageBox(Text(IDS_STRING61755), Text(IDS_STRING61314), MB_YESNO) != IDYES)
                return FALSE;
            StoreFromKey(FALSE);
            break;
        case 'D':
            if (!m_nData) {
                MessageBox(Text(IDS_STRING61341), Text(IDS_STRING61314),
                           MB_OK | MB_ICONINFORMATION);
                return FALSE;
            }
            if (Doc() == nullptr || Doc()->m_nStoreType != 0) return FALSE;
            StoreFromKey(TRUE);
            break;
        case 'B':
            OpenLibraryOnSecondB();
            break;
        case '8':
            MoveLine(-1);
            Invalidate(FALSE);
            break;
        case '2':
            MoveLine(1);
            Invalidate(FALSE);
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
    UpdateWindow();
    return CDialog::PreTranslateMessage(pMsg);
}

void CLineStakeoutDlg::StorePoint() {
    if (!m_nData) {
        MessageBox(Text(IDS_STRING61341), Text(IDS_STRING61314), MB_OK | MB_ICONINFORMATION);
        return;
    }
    StoreFromKey(FALSE);
}

// bGeneral: the 'D' key's general point (storage type 0 only, no record).
void CLineStakeoutDlg::StoreFromKey(BOOL bGeneral) {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    doc->m_storeFix = m_fix;
    const int type = doc->m_nStoreType;
    if (type != 0 && type != 1 && type != 2) return;
    CString status;
    if (doc->m_storeFix.nSolution == 10) {
        status = Text(IDS_STRING61343);
    } else {
        PlayAlarm();
        status = Text(IDS_STRING61342);
    }
    if (type == 1) {
        COffsetStoreDlg dialog(this);
        dialog.m_strStatus = status;
        dialog.DoModal();
        return;
    }
    CMeasurePointStoreDlg dialog(this);
    dialog.m_strStatus = status;
    if (dialog.DoModal() != IDOK) return;
    if (bGeneral) {
        if (doc->m_bSmoothStore) return;
        doc->m_strPointName = dialog.m_strName;
        doc->m_strPointCode = dialog.m_strCode;
        doc->m_dPointAntHeight = dialog.m_dAntHeight;
        (void)points::WriteStoredPoint(*doc, this, FALSE, TRUE);  // a failure has had its box
        return;
    }
    if (!points::StoreConfirmedPoint(*doc, this, dialog)) return;
    RecordStoredPoint(this, *doc, m_recorded, m_settings.curLayoutFileName, L"lnr");
}

void CLineStakeoutDlg::OpenLibraryOnSecondB() {
    OpenLibraryOnSecondPress(this, m_nKeyMinute, m_nKeySecond);
}
