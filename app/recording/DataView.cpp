// CDataView: creation, the position and depth messages, the one-second
// timer with the depth-only lines, and the values of the panel.
#include "app/recording/DataView.h"

#include <climits>
#include <cmath>

#include "app/FrameMessages.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/Clock.h"
#include "res/resource.h"

namespace {

// The labels the value map is reset with, in their order.
constexpr LPCTSTR kValueKeys[] = {L"经度",  L"纬度", L"高程H", L"坐标x", L"坐标y",
                                  L"高程h", L"水深", L"卫星",  L"状态",  L"HDOP",
                                  L"RMS",   L"",     L"时间",  L"日期"};

CString Fixed3(double value) {
    CString text;
    text.Format(L"%.3f", value);
    return text;
}

// Local hours from UTC and the zone, brought into 1..24 from either side
// (local midnight is 24).
int LocalHour(int utcHour, int zone) {
    const long long hour = static_cast<long long>(utcHour) + zone;
    return static_cast<int>(((hour - 1) % 24 + 24) % 24 + 1);
}

// A depth-only line for every `dDeepInterTime` new depths, at least every
// depth (an interval below 1 would never come round).
int DepthsPerLine(double interval) {
    if (!(interval >= 2.0)) return 1;
    return interval >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(interval);
}

}  // namespace

IMPLEMENT_DYNCREATE(CDataView, CScrollView)

BEGIN_MESSAGE_MAP(CDataView, CScrollView)
ON_MESSAGE(WM_GPS_POSITION, OnNewRecord)
ON_MESSAGE(WM_SOUNDER_DEPTH, OnSounderDepth)
ON_WM_TIMER()
END_MESSAGE_MAP()

CDataView::CDataView() : m_values(10) {
    m_values.InitHashTable(17);
}

CVendropDoc* CDataView::Doc() {
    return g_pDoc;
}

void CDataView::OnInitialUpdate() {
    CScrollView::OnInitialUpdate();
    SetScrollSizes(MM_TEXT, CSize(100, 100));
    GetClientRect(&m_rcClient);
    if (auto* frame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame())) {
        frame->m_hDataView = m_hWnd;
        frame->AddNotifyWnd(m_hWnd);
    }
    BuildPanelRows();
    // Rows that do not fit the pane are reached by scrolling.
    SetScrollSizes(MM_TEXT, PanelSize(m_rcClient.Width()));
    GetClientRect(&m_rcClient);
    ResetValues();
    SetTimer(kTimerId, 1000, nullptr);
    m_nKeyMinute = -1;
    m_nKeySecond = 0;
}

void CDataView::BuildPanelRows() {
    m_panelRows.RemoveAll();
    const LPCTSTR rows[] = {L"TITLE:位置",
                            m_bGeodetic ? L"CONTENT:纬度" : L"CONTENT:坐标x",
                            m_bGeodetic ? L"CONTENT:经度" : L"CONTENT:坐标y",
                            m_bGeodetic ? L"CONTENT:高程H" : L"CONTENT:高程h",
                            L"CONTENT:水深",
                            L"TITLE:测量",
                            L"CONTENT:测线",
                            L"CONTENT:点名",
                            L"CONTENT:航速",
                            L"TITLE:解算",
                            L"CONTENT:卫星",
                            L"CONTENT:状态",
                            L"CONTENT:RMS",
                            L"CONTENT:"};
    for (LPCTSTR row : rows) m_panelRows.Add(row);
}

void CDataView::ResetValues() {
    m_values.RemoveAll();
    for (LPCTSTR key : kValueKeys) m_values.SetAt(key, L"");
}

CString CDataView::ValueOf(LPCTSTR label) const {
    CString value;
    m_values.Lookup(label, value);
    return value;
}

CString CDataView::LineName() const {
    const SystemParams& p = Doc()->m_sysParams;
    CString text;
    text.Format(L"%s%d", p.szSFName.GetString(), p.nSFStartID);
    return text;
}

CString CDataView::FormatDegMinSec(double angle) {
    const double a = std::fabs(angle);
    if (!(a < 1e9)) return CString();  // no receiver reports such an angle
    int degrees = static_cast<int>(a);
    const double minutesAll = (a - degrees) * 60.0;
    int minutes = static_cast<int>(minutesAll);
    double seconds = (minutesAll - minutes) * 60.0;
    if (std::fabs(seconds - 60.0) < 0.0001) {
        seconds = 0.0;
        ++minutes;
    }
    if (minutes == 60) {
        minutes = 0;
        ++degrees;
    }
    CString text;
    text.Format(L"%3d:%02d:%06.4f", degrees, minutes, seconds);
    return text;
}

LRESULT CDataView::OnNewRecord(WPARAM wParam, LPARAM) {
    if (wParam == 0 || Doc() == nullptr) return 0;
    m_fix = *reinterpret_cast<const SurveyRecord*>(wParam);
    if (m_fix.strStatus == L"FINDRADIO")
        ShowStatusOnly(IDS_STRING61398);
    else if (m_fix.strStatus == L"FIND")
        ShowStatusOnly(IDS_STRING61399);
    else if (m_fix.strStatus == L"NODATA")
        ShowStatusOnly(IDS_STRING61333);
    else
        FillPositionValues();
    return 0;
}

void CDataView::ShowStatusOnly(UINT nStringId) {
    m_fix.strStatus.LoadString(nStringId);
    ResetValues();
    m_values.SetAt(L"状态", m_fix.strStatus);
    Invalidate();
}

void CDataView::FillPositionValues() {
    const CVendropDoc* doc = Doc();
    const SystemParams& p = doc->m_sysParams;
    const SurveyRecord& f = m_fix;
    m_values.SetAt(L"经度", FormatDegMinSec(f.dLon));
    m_values.SetAt(L"纬度", FormatDegMinSec(f.dLat));
    m_values.SetAt(L"高程H", Fixed3(f.dHeight));
    m_values.SetAt(L"坐标x", Fixed3(f.dX));
    m_values.SetAt(L"坐标y", Fixed3(f.dY));
    m_values.SetAt(L"高程h", Fixed3(p.nUseAntHgt ? f.dGridH - p.szdSourceAntHgt : f.dGridH));
    m_values.SetAt(L"水深",
                   doc->m_bSounderActive || doc->m_bMeasuring ? Fixed3(m_depth.dDepth) : CString());
    m_values.SetAt(L"测线", LineName());
    if (!doc->m_bMeasuring)
        m_values.SetAt(L"点名", L"未测量");
    else if (doc->m_bPaused)
        m_values.SetAt(L"点名", L"测量(暂停)");
    else
        m_values.SetAt(L"点名", doc->m_lastRecord[0]);
    CString text;
    text.Format(L"%.2f", f.dSpeed);
    m_values.SetAt(L"航速", text);
    text.Format(L"%d (%.2f)", f.nSatsUsed, f.dDop);
    m_values.SetAt(L"卫星", text);
    m_values.SetAt(L"状态", f.strStatus);
    const CMainFrame* frame = GetMainFrame();
    m_values.SetAt(L"RMS", Fixed3(frame ? frame->m_fBinSigma : 0.0f));
    Invalidate(FALSE);
}

LRESULT CDataView::OnSounderDepth(WPARAM wParam, LPARAM) {
    if (wParam) m_depth = *reinterpret_cast<const SounderDepthBlock*>(wParam);
    return 0;
}

void CDataView::OnTimer(UINT_PTR nIDEvent) {
    CVendropDoc* doc = Doc();
    if (nIDEvent != kTimerId || doc == nullptr) {
        CScrollView::OnTimer(nIDEvent);
        return;
    }
    if (!doc->m_bSounderOn && !doc->m_bDepthOnly) {
        if (!doc->m_bGpsData) {
            m_values.SetAt(L"水深", L"");
            m_values.SetAt(L"测线", L"");
            m_values.SetAt(L"点名", L"");
            m_nIntervalCount = 0;
            Invalidate();
        }
        return;
    }
    if (!m_depth.bNewDepth[0]) return;
    m_values.SetAt(L"水深", Fixed3(m_depth.dDepth));
    if (doc->m_bDepthOnly && !doc->m_bPaused &&
        ++m_nIntervalCount >= DepthsPerLine(doc->m_sysParams.dDeepInterTime))
        WriteDepthLine();
    m_depth.bNewDepth[0] = 0;
    Invalidate(FALSE);
}

// The time is the clock's UTC with the job's zone added to the hour; the
// date stays the UTC date.
void CDataView::WriteDepthLine() {
    CVendropDoc* doc = Doc();
    SYSTEMTIME now;
    GetSystemTime(&now);
    DepthSample sample;
    sample.strName.Format(L"%d", doc->m_nPointCounter);
    sample.dDepth = m_depth.dDepth;
    sample.nHour = LocalHour(now.wHour, doc->m_sysParams.nTimeZone);
    sample.nMinute = now.wMinute;
    sample.dSecond = now.wSecond;
    sample.nYear = now.wYear;
    sample.nMonth = now.wMonth;
    sample.nDay = now.wDay;
    // The counter and the name on the screen move on only for a line that
    // is in the file.
    const BOOL written = doc->m_fileWriter.AppendTimedRecord(doc->m_strRawFile, sample);
    if (written) {
        doc->m_nPointCounter = static_cast<int>(static_cast<unsigned>(doc->m_nPointCounter) + 1u);
        m_values.SetAt(L"点名", sample.strName);
    }
    m_values.SetAt(L"测线", LineName());
    m_nIntervalCount = 0;
    if (CMainFrame* frame = GetMainFrame()) frame->NoteSurveyWrite(kWriteDepthLine, written);
}
