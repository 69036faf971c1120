// Survey recording: the measurement commands (start, pause, stop, quick
// line change) with their enabling, and the raw epoch line written for
// every GGA of a running measurement, with the rule that marks an epoch as
// a stored point and the point names.
//
// Sections: settings and file names; the commands; their enabling; the
// epoch (RecordEpoch, FormatSurveyRecord, IsAutoSaveDue, MakePointName).
#include <climits>
#include <cmath>
#include <string>

#include "app/DeviceFiles.h"
#include "app/InputRules.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "platform/base/TextConv.h"
#include "platform/files/AtomicFile.h"
#include "pointdata/AppendFile.h"
#include "res/resource.h"

namespace {

constexpr LPCTSTR kCaption = L"提示";
constexpr LPCTSTR kPointCounterFile = L"GPSPtNum";

// The counter counts on as the device's 32-bit arithmetic does, without
// overflowing.
int NextCount(int value) {
    return static_cast<int>(static_cast<unsigned>(value) + 1u);
}

// The text of "GPSPtNum" as a number: blanks and the line end around an
// optional sign and digits. Anything else, or a number beyond the int
// range, counts as 0.
int ParseCounter(const std::string& text) {
    size_t i = 0;
    auto blank = [&](size_t at) {
        return at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n');
    };
    while (blank(i)) ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const size_t digitsFrom = i;
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return 0;
        ++i;
    }
    if (i == digitsFrom) return 0;
    while (blank(i)) ++i;
    if (i != text.size()) return 0;
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return 0;
    return static_cast<int>(value);
}

// Seconds of a clock reading as whole seconds towards zero; a value no
// receiver sends (not finite, beyond any day) counts as 0.
double WholeSeconds(double seconds) {
    return std::fabs(seconds) < 1e9 ? std::trunc(seconds) : 0.0;
}

}  // namespace

// ---- Settings and file names ----

BOOL CMainFrame::WriteSettings() {
    CVendropDoc* doc = Doc();
    const SystemParams copy = doc->m_sysParams;
    if (doc->m_iniFile.WriteSystemParams(doc->m_strJobDir, doc->m_strIniName, copy)) return TRUE;
    CString text;
    text.LoadString(IDS_STRING61423);
    MessageBox(text, kCaption, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

void CMainFrame::ChooseRawFile(int nFrom, LPCTSTR extension) {
    CVendropDoc* doc = Doc();
    SystemParams& p = doc->m_sysParams;
    p.nSFStartID = nFrom;
    for (;;) {
        doc->m_strRawFile.Format(L"%s%s%d%s", doc->m_strDataDir.GetString(), p.szSFName.GetString(),
                                 p.nSFStartID, extension);
        if (!DevicePathExists(doc->m_strRawFile) || p.nSFStartID == INT_MAX) break;
        ++p.nSFStartID;
    }
}

// ---- The commands ----

void CMainFrame::OnStartMeasure() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    if (doc->m_bPaused) {
        doc->m_bPaused = 0;
        return;
    }
    const SystemParams& p = doc->m_sysParams;
    if (!doc->m_bGpsData) {
        if (MessageBox(L"未收到GPS定位数据,确定只采集水深数据吗?", kCaption, MB_YESNO) != IDYES)
            return;
        doc->m_bDepthOnly = 1;
    }
    if (doc->m_bDepthOnly && !p.SoundUse) {
        MessageBox(L"请首先在测深仪设置中选中使用测深设备", kCaption);
        return;
    }
    ChooseRawFile(p.nSFStartID, doc->m_bDepthOnly ? L".deh" : L".org");
    if (!WriteSettings()) return;
    if (!p.SoundUse) {
        if (MessageBox(L"测深仪设置为不使用,确定只测量GPS定位坐标数据吗?", kCaption,
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    } else if (!OpenSounderPort()) {
        MessageBox(L"测深仪端口打开失败,请检查", kCaption);
        return;
    }
    if (!doc->m_bDepthOnly) doc->m_bMeasuring = 1;
    doc->m_nPointCounter = 0;
    RestartRecordingNotes();
}

void CMainFrame::OnPauseMeasure() {
    if (CVendropDoc* doc = Doc()) doc->m_bPaused = 1;
}

// The port is closed whatever the settings say now: a port left open
// would keep its reader sending into a stopped run.
void CMainFrame::OnStopMeasure() {
    if (CVendropDoc* doc = Doc()) {
        doc->m_bMeasuring = 0;
        doc->m_bSounderActive = 0;
        doc->m_bPaused = 0;
        doc->m_bDepthOnly = 0;
        doc->m_bSounderOn = 0;
    }
    m_sounderPort.Close();
}

// The line left behind is never left with a torn last line: a record cut
// short by a power cut or a full store gets its line end here, before the
// next line's file takes the records.
void CMainFrame::OnQuickLineChange() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    // The next line's file takes the records.
    if (!doc->m_strRawFile.IsEmpty()) (void)CAppendFile::EndTornLineOf(doc->m_strRawFile);
    const int current = doc->m_sysParams.nSFStartID;
    ChooseRawFile(current == INT_MAX ? current : current + 1, L".org");
    if (WriteSettings()) doc->m_nPointCounter = 0;
    RestartRecordingNotes();
}

// ---- Enabling ----

void CMainFrame::OnUpdateStartMeasure(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr &&
                   !((doc->m_bMeasuring || doc->m_bDepthOnly) && !doc->m_bPaused));
}

// A depth-only run is stopped by this command too: its key obeys the same
// greying, and nothing else ends such a run (the close refuses while it
// lasts).
void CMainFrame::OnUpdateStopMeasure(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr &&
                   (doc->m_bMeasuring || doc->m_bSounderActive || doc->m_bDepthOnly));
}

void CMainFrame::OnUpdatePauseMeasure(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr && (doc->m_bMeasuring || doc->m_bDepthOnly) && !doc->m_bPaused);
}

void CMainFrame::OnUpdateQuickLineChange(CCmdUI* pCmdUI) {
    const CVendropDoc* doc = Doc();
    pCmdUI->Enable(doc != nullptr && doc->m_bMeasuring && !doc->m_bPaused);
}

// ---- The epoch ----

// The name, the counter, "GPSPtNum" and the last stored epoch move on only
// once the line is in the file: an epoch the store did not take is not a
// point, and the screen keeps showing the last line that was written.
void CMainFrame::RecordEpoch() {
    CVendropDoc* doc = Doc();
    if (doc == nullptr) return;
    const SurveyRecord fix = m_fix;
    const CString keptName = m_record[0];
    FormatSurveyRecord(fix);
    BOOL due = FALSE;
    if (doc->m_sysParams.nCollectMode == 2) {
        due = m_bManualRecord;
        m_bManualRecord = 0;
    } else {
        due = IsAutoSaveDue(fix);
    }
    CString name;
    if (due) {
        m_record[25] = L"1";
        MakePointName(name, doc->m_sysParams.nSFNameMode);
        m_record[0] = name;
    } else {
        m_record[25] = L"0";
    }
    const BOOL written = doc->m_fileWriter.AppendFieldRecord(doc->m_strRawFile, m_record);
    if (written) {
        if (due) {
            CountPointStored();
            m_strLastPointName = name;
            m_lastStored =
                EpochMark{fix.dX, fix.dY, fix.dGridH, fix.nHour, fix.nMinute, fix.dSecond, 1};
        }
        doc->m_lastRecord = m_record;
    } else {
        m_record[0] = keptName;
    }
    // A failure's box waits in the frame's queue until this line's handling
    // has returned, so the receiver's reader is never held up by it.
    NoteSurveyWrite(kWriteEpoch, written);
}

// A store that cannot take the lines is told once a source, and again only
// after a line of that source has gone out in between or its run started
// anew. The box is posted: the line being handled came from the receiver's
// reader, which waits until its handling returns, and the lines that arrive
// while the box is up must be handled and recorded, not held in a port
// buffer that overflows.
void CMainFrame::NoteSurveyWrite(SurveyWriteSource source, BOOL written) {
    if (static_cast<unsigned>(source) >= kWriteSourceCount) return;
    if (written) {
        m_bWriteFailureTold[source] = 0;
        return;
    }
    if (m_bWriteFailureTold[source]) return;
    m_bWriteFailureTold[source] = 1;
    ::PostMessage(m_hWnd, WM_SURVEY_WRITE_NOTE, static_cast<WPARAM>(source), 0);
}

void CMainFrame::RestartWriteNote(SurveyWriteSource source) {
    if (static_cast<unsigned>(source) < kWriteSourceCount) m_bWriteFailureTold[source] = 0;
}

void CMainFrame::RestartRecordingNotes() {
    RestartWriteNote(kWriteEpoch);
    RestartWriteNote(kWriteDepthLine);
    RestartWriteNote(kWriteBaseLine);
}

// Never a box over another that says the same: on a full store the epochs,
// the points and the base lines fail together, and the box that is up
// tells them all; at 10 Hz the failures that arrive under it are told by it.
LRESULT CMainFrame::OnSurveyWriteNote(WPARAM wParam, LPARAM) {
    if (wParam >= static_cast<WPARAM>(kWriteSourceCount)) return 0;
    const bool par = wParam == kWriteBaseParams;
    BOOL& up = par ? m_bParFailureBoxUp : m_bWriteFailureBoxUp;
    if (up) return 0;
    up = 1;
    MessageBox(par ? L"创建par文件错误,请检查错误!" : L"文件保存失败,请检查!", kCaption,
               MB_OK | MB_ICONINFORMATION);
    up = 0;
    return 0;
}

void CMainFrame::FormatSurveyRecord(SurveyRecord fix) {
    const CVendropDoc* doc = Doc();
    const SystemParams& p = doc->m_sysParams;
    CStringRecord32& r = m_record;
    CCoordTransform::FormatDate(r[1], fix.nYear, fix.nMonth, fix.nDay, 0);
    CCoordTransform::FormatTimeHMS(r[2], fix.nHour, fix.nMinute, fix.dSecond);
    SetNumber(r[3], L"%.10f",
              CCoordTransform::ConvertDmsRadian(fix.dLat * CCoordTransform::kDeg, 0));
    SetNumber(r[4], L"%.10f",
              CCoordTransform::ConvertDmsRadian(fix.dLon * CCoordTransform::kDeg, 0));
    SetNumber(r[5], L"%.3f", fix.dHeight);
    SetNumber(r[6], L"%.3f", doc->m_dPointAntHeight);
    SetNumber(r[7], L"%.3f", fix.dX);
    SetNumber(r[8], L"%.3f", fix.dY);
    SetNumber(r[9], L"%.3f", fix.dGridH - p.szdSourceAntHgt);
    r[10].Format(L"%d", fix.nSolution);
    SetNumber(r[11], L"%.3f", fix.dHrms);
    SetNumber(r[12], L"%.3f", fix.dVrms);
    SetNumber(r[13], L"%.3f", fix.dDop);
    r[14].Empty();
    r[15].Empty();
    r[16].Format(L"%d", fix.nSatsUsed);
    r[17].Format(L"%d", p.nCollectStatus);
    static const LPCTSTR kModes[] = {L"TIME", L"DISTANCE", L"", L"SPACE"};
    r[18] = p.nCollectMode >= 0 && p.nCollectMode <= 3 ? kModes[p.nCollectMode] : L"";
    if (p.nCollectMode == 0)
        SetNumber(r[19], L"%.2f", p.dCollectTime);
    else if (p.nCollectMode == 1)
        SetNumber(r[19], L"%.2f", p.dCollectDis);
    else
        r[19].Empty();
    SetNumber(r[20], L"%.2f", m_depth.dDepth);
    for (int i = 21; i <= 23; ++i) r[i].Empty();
    r[24].Format(L"%d", m_depth.bError);
    for (int i = 26; i < CStringRecord32::kFieldCount; ++i) r[i].Empty();
}

BOOL CMainFrame::IsAutoSaveDue(SurveyRecord fix) {
    if (!m_lastStored.bValid) return TRUE;
    m_strLastPointName = m_record[0];
    const SystemParams& p = Doc()->m_sysParams;
    static const int kLeastSolution[] = {5, 6, 10};
    if (p.nCollectStatus >= 0 && p.nCollectStatus <= 2 &&
        fix.nSolution < kLeastSolution[p.nCollectStatus])
        return FALSE;
    if (p.nCollectMode == 0) {
        const double minutes = (static_cast<double>(fix.nHour) - m_lastStored.nHour) * 60.0 -
                               m_lastStored.nMinute + fix.nMinute;
        double elapsed = minutes * 60.0 + WholeSeconds(fix.dSecond - m_lastStored.dSeconds);
        // Midnight passed since the last stored epoch.
        if (elapsed < 0) elapsed += 86400.0;
        return elapsed >= p.dCollectTime;
    }
    if (p.nCollectMode == 1) {
        const double dx = fix.dX - m_lastStored.x;
        const double dy = fix.dY - m_lastStored.y;
        return p.dCollectDis - std::sqrt(dx * dx + dy * dy) < 0.0001;
    }
    return FALSE;
}

void CMainFrame::MakePointName(CString& name, int nMode) {
    CVendropDoc* doc = Doc();
    const CString counterPath = doc->m_strJobDir + kPointCounterFile;
    std::string counterText;
    if (nMode == 1 && doc->m_nPointCounter == 0 && ReadWholeDeviceFile(counterPath, counterText))
        doc->m_nPointCounter += ParseCounter(counterText);
    if (nMode == 2)
        name.Format(L"%s-%d", doc->m_sysParams.szSFName.GetString(), doc->m_nPointCounter);
    else
        name.Format(L"%d", doc->m_nPointCounter);
}

void CMainFrame::CountPointStored() {
    CVendropDoc* doc = Doc();
    CString text;
    text.Format(L"%d\r\n", doc->m_nPointCounter);
    const std::string bytes = quorvel::ToGbk(text.GetString());
    // The count in memory goes on.
    (void)quorvel::WriteFileAtomic(doc->m_strJobDir + kPointCounterFile, bytes.data(),
                                   bytes.size());
    doc->m_nPointCounter = NextCount(doc->m_nPointCounter);
}
