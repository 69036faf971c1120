#include "app/recording/SounderInput.h"

#include <cstring>

#include "app/settings/SystemParams.h"
#include "platform/base/Parse.h"
#include "receiver/link/ComPort.h"
#include "receiver/link/PortMessages.h"

namespace {

// The sounder compares single bytes: the low byte of a number or of a
// character of the tag.
char LowByte(int value) {
    return static_cast<char>(value & 0xFF);
}

char TagChar(const CString& tag, int index) {
    return LowByte(static_cast<int>(tag.GetAt(index)));
}

}  // namespace

SounderCharResult CSounderInput::OnSounderChar(BYTE byte, const SounderTypeRecord& type,
                                               SounderDepthBlock* depth) {
    const char c = static_cast<char>(byte);
    // A tag longer than the buffer could never be collected; it frames
    // nothing (no known type has one).
    const CString& tag = type.strStartTag;
    const int n = tag.GetLength();
    if (n == 0 || n > kTagBufSize) return kSounderNothing;
    SounderCharResult result = kSounderNothing;
    if (m_bInBody) {
        if (m_nBodyLen >= kBodyBufSize) {
            BackToIdle();
        } else {
            AppendBody(c);
            if (c == LowByte(type.nTerminator)) result = ParseSounderDepth(type, depth);
        }
    }
    if (m_bInTag && !m_bInBody) CollectTagChar(c);
    if (c == TagChar(tag, 0) && !m_bInTag && !m_bInBody && m_nTagCount < n) {
        CollectTagChar(c);
        m_bInTag = 1;
    }
    // At least n: a tag begun under a longer tag is judged at once.
    if (m_nTagCount >= n) {
        const char last = m_tagBuf[m_nTagCount - 1];
        m_bInTag = 0;
        m_nTagCount = 0;
        m_bInBody = 1;
        if (last != TagChar(tag, n - 1)) BackToIdle();
    }
    return result;
}

SounderCharResult CSounderInput::ParseSounderDepth(const SounderTypeRecord& type,
                                                   SounderDepthBlock* depth) {
    const char* end = m_bodyBuf + m_nBodyLen;
    const char* first = static_cast<const char*>(std::memchr(m_bodyBuf, ',', m_nBodyLen));
    const char* second = first == nullptr
                             ? nullptr
                             : static_cast<const char*>(std::memchr(
                                   first + 1, ',', static_cast<size_t>(end - first - 1)));
    SounderCharResult result = kSounderNothing;
    if (second != nullptr && second - first - 1 <= kMaxDepthText) {
        if (first[1] == LowByte(type.nErrorChar)) {
            depth->bError = 1;
            result = kSounderErrorReport;
        } else {
            char text[kMaxDepthText + 1] = {};
            std::memcpy(text, first + 1, static_cast<size_t>(second - first - 1));
            depth->bError = 0;
            depth->dDepth = atof_c(text) / static_cast<double>(type.fScale);
            depth->bNewDepth[0] = 1;
            depth->bNewDepth[1] = 1;
            result = kSounderDepthReady;
        }
    }
    BackToIdle();
    return result;
}

void CSounderInput::AppendBody(char c) {
    if (m_nBodyLen < kBodyBufSize) m_bodyBuf[m_nBodyLen++] = c;
}

void CSounderInput::CollectTagChar(char c) {
    if (m_nTagCount < kTagBufSize) m_tagBuf[m_nTagCount++] = c;
    AppendBody(c);
}

void CSounderInput::BackToIdle() {
    m_bInBody = 0;
    m_nBodyLen = 0;
}

BOOL OpenSounderPort(CComPort& port, HWND hNotify, const SystemParams& params,
                     const CArray<SounderTypeRecord>& types, SounderTypeRecord* curType) {
    if (port.IsOpen()) return TRUE;
    // A type the table does not have would frame with nothing: refused
    // before the port is touched.
    if (params.SoundType < 0 || params.SoundType >= types.GetSize()) return FALSE;
    port.SetNotify(hNotify, WM_SOUNDER_CHAR);
    if (!port.Open(params.SoundPort, params.SoundBandrate)) return FALSE;
    *curType = types[params.SoundType];
    return TRUE;
}
