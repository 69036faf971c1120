// The receiver dispatcher: every line and reply frame the receiver link
// reads arrives here as one WM_GPS_SENTENCE, sent by the reader thread,
// which waits meanwhile. The handler recognises reply frames, hands text
// lines to the parser of their type and then does what the rest of the
// program expects after a sentence: keep the device awake, feed the
// watchdog, drive the LEDs from the correction age, translate the status,
// and for a GGA the parser took compute speed and heading, record the
// epoch, broadcast the position and relay it (MainFrameRelay.cpp).
#include <cmath>
#include <cstring>
#include <memory>

#include "app/FrameMessages.h"
#include "app/shell/AppGlobals.h"
#include "app/shell/MainFrame.h"
#include "app/shell/VendropDoc.h"
#include "platform/win/WinApi.h"
#include "platform/win/WinKeys.h"
#include "receiver/DiffAgeWatch.h"
#include "receiver/ReceivedLine.h"
#include "receiver/SentenceType.h"
#include "receiver/link/ByteBuffer.h"
#include "receiver/link/PortMessages.h"
#include "receiver/link/ReceiverFrames.h"

namespace {

// One key event every 62 messages keeps the handheld from suspending.
constexpr int kKeepAwakeCount = 60;

// Reply frame ids the program answers.
constexpr BYTE kReplyReset = 40;
constexpr BYTE kReplyPortParams = 80;
constexpr BYTE kReplyShutdown = 81;

uint32_t LittleEndian32(const BYTE* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The text without its CR and LF characters.
CString WithoutLineEnds(const CString& text) {
    CString out = text;
    out.Remove(L'\r');
    out.Remove(L'\n');
    return out;
}

}  // namespace

BYTE CMainFrame::CalcXorChecksum(const BYTE* bytes, int n) {
    BYTE x = 0;
    for (int i = 0; i < n; ++i) x ^= bytes[i];
    return x;
}

LRESULT CMainFrame::OnReceiverMessage(WPARAM wParam, LPARAM) {
    if (m_nMsgCount > kKeepAwakeCount) {
        keybd_event(1, 0, KEYEVENTF_KEYUP, 0);
        m_nMsgCount = 0;
    } else {
        ++m_nMsgCount;
    }
    m_nNoDataTicks = 0;
    const auto* buffer = reinterpret_cast<const CByteBuffer*>(wParam);
    if (buffer == nullptr || buffer->GetSize() == 0 || Doc() == nullptr) return 0;
    const BYTE* bytes = buffer->GetAt(0);
    const DWORD n = buffer->GetSize();
    if (HandleReplyFrame(bytes, n)) return 0;

    // Text: one zero-terminated string and nothing but zeros after it.
    const void* zero = std::memchr(bytes, 0, n);
    if (zero == nullptr) return 0;
    const DWORD length = static_cast<DWORD>(static_cast<const BYTE*>(zero) - bytes);
    for (DWORD i = length; i < n; ++i) {
        if (bytes[i] != 0) return 0;
    }
    HandleText(ReceivedLineText(reinterpret_cast<const char*>(bytes), length));
    return 0;
}

// A reply frame anywhere in the buffer: '$', id, 255 - id, a 32-bit length
// L, L payload bytes and the XOR of everything before it. A length that
// runs past the buffer is no frame (the bytes are text).
BOOL CMainFrame::HandleReplyFrame(const BYTE* bytes, DWORD n) {
    constexpr DWORD kHeader = ReceiverReplyFrame::kHeaderSize;
    for (DWORD i = 0; i < n; ++i) {
        const DWORD left = n - i;
        if (bytes[i] != '$' || left < kHeader + 1 || bytes[i + 1] + bytes[i + 2] != 255) continue;
        const uint64_t payload = LittleEndian32(bytes + i + 3);
        if (payload + kHeader + 1 > left) continue;
        const int covered = static_cast<int>(payload + kHeader);
        if (CalcXorChecksum(bytes + i, covered) != bytes[i + covered]) continue;
        const BYTE id = bytes[i + 1];
        if (id == kReplyReset) {
            MessageBox(L"复位成功!");
        } else if (id == kReplyPortParams) {
            const SystemParams& params = Doc()->m_sysParams;
            g_gpsComm.SetPortParams(params.nComMode, params.Port, 57600, 'N', 8, 1);
        } else if (id == kReplyShutdown && payload > 0 && bytes[i + kHeader] == 0) {
            MessageBox(L"关机成功!");
        }
        return TRUE;
    }
    return FALSE;
}

void CMainFrame::HandleText(const CString& line) {
    CVendropDoc* doc = Doc();
    const CString bare = WithoutLineEnds(line);
    if (bare == L"FINDRADIO" || bare == L"FIND") ClearForRadioSearch(bare);

    const int type = GpsSentenceType(line);
    BOOL taken = FALSE;
    if (type != kSentenceVersion && type != kSentenceCrmss) {
        // The parser changes nothing of the fix when it refuses a line.
        CString copy = line;
        taken = m_parser.Parse(type, copy, &m_fix);
    }
    // A GGA the parser refused (its checksum) is no position: the last one
    // is neither recorded again, nor shown, nor relayed.
    const bool newPosition = type == kSentenceGga && taken;
    if (newPosition) m_strCurGga = CReceiverParser::CutAtDollar(line).SpanExcluding(L"\r");
    // A screen that stops the feed sees nothing more of this sentence.
    if (!doc->m_bPositionFeed) return;

    if (m_fix.dDop > 100.0) m_fix.dDop = 99.9;
    if (std::fabs(m_fix.dLat) < 1e-6 && std::fabs(m_fix.dLon) < 1e-6) {
        m_fix.dX = 0.0;
        m_fix.dY = 0.0;
        m_fix.dGridH = 0.0;
    }
    doc->m_bGpsData = 1;
    if (type == kSentenceBestPos) {
        CDiffAgeWatch watch;
        watch.m_bLedBlink = m_bLedBlink;
        watch.m_nNoDiffCount = m_nNoDiffCount;
        watch.OnCorrectionAge(m_fix.nAux, m_receiverHost);
        m_bLedBlink = watch.m_bLedBlink;
        m_nNoDiffCount = watch.m_nNoDiffCount;
    }
    doc->m_nRadioChannel = g_gpsComm.m_nCurChannel;
    if (doc->m_bStatusInChinese) TranslateStatus();
    if (newPosition) OnNewPosition();
}

// The receiver searches for its radio: a status-only notice with the fix
// emptied.
void CMainFrame::ClearForRadioSearch(const CString& status) {
    SurveyRecord& f = m_fix;
    f.dDop = 0.0;
    f.nSatsInView = 0;
    f.nSatsUsed = 0;
    f.dLon = f.dLat = f.dHeight = 0.0;
    f.dSpeed = f.dHeading = 0.0;
    f.nYear = f.nMonth = f.nDay = 0;
    f.dBaseLat = f.dBaseLon = f.dBaseH = 0.0;
    f.strStatus = status;
    f.nHour = 8;
    f.nMinute = 0;
    f.dSecond = 0.0;
    const WPARAM fix = reinterpret_cast<WPARAM>(&m_fix);
    if (m_hViewWnd) ::SendMessage(m_hViewWnd, WM_GPS_POSITION, fix, kGpsPositionStatus);
    ::SendMessage(m_hDataView, WM_GPS_POSITION, fix, kGpsPositionStatus);
}

void CMainFrame::TranslateStatus() {
    CString& status = m_fix.strStatus;
    if (status.Find(L"NONE") >= 0 || status.Find(L"NFIX") >= 0)
        status = L"无效解";
    else if (status.Find(L"DGPS") >= 0)
        status = L"差分解";
    else if (status.Find(L"SINGLE") >= 0)
        status = L"单点解";
    else if (status.Find(L"FLOAT") >= 0)
        status = L"浮点解";
    else if (status.Find(L"FIXED") >= 0)
        status = status.Find(L"FIXEDPOS") >= 0 ? L"基站状态" : L"固定解";
}

void CMainFrame::OnNewPosition() {
    CVendropDoc* doc = Doc();
    CalcSpeedHeading(&m_fix.dSpeed, &m_fix.dHeading);
    if (doc->m_bMeasuring && !doc->m_bPaused) RecordEpoch();
    const WPARAM fix = reinterpret_cast<WPARAM>(&m_fix);
    ::SendMessage(m_hDataView, WM_GPS_POSITION, fix, kGpsPositionNew);
    ::SendMessage(m_hGraphView, WM_GPS_POSITION, fix, kGpsPositionNew);
    PostPositionToScreen();
    doc->m_curFix = m_fix;
    if (doc->m_bLinkFlagM || doc->m_bLinkFlagR) RelayGga();
}

// The reader sends the next sentences, which are handled before anything
// posted: the screen gets a copy of its own, kept by the frame until the
// frame's own message behind it comes round. Both messages go through the
// one queue of the frame's thread, in order, so the copy outlives the
// screen's handling; a screen destroyed meanwhile takes its message with it
// and the copy is freed all the same.
void CMainFrame::PostPositionToScreen() {
    if (!m_hViewWnd) return;
    auto copy = std::make_unique<SurveyRecord>(m_fix);
    if (!::PostMessage(m_hViewWnd, WM_GPS_POSITION, reinterpret_cast<WPARAM>(copy.get()),
                       kGpsPositionNew))
        return;
    m_postedFixes.push_back(std::move(copy));
    // Should this post fail (the frame going away), the copy stays until a
    // later release or the frame's end; releases only ever take the oldest.
    ::PostMessage(m_hWnd, WM_GPS_POSITION_DONE, 0, 0);
}

LRESULT CMainFrame::OnPostedPositionDone(WPARAM, LPARAM) {
    if (!m_postedFixes.empty()) m_postedFixes.pop_front();
    return 0;
}
