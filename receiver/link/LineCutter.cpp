#include "receiver/link/LineCutter.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr BYTE kCr = 0x0D;
constexpr BYTE kBinTag[] = {'$', 'B', 'I', 'N'};

}  // namespace

void CLineCutter::Clear() {
    m_line.Reset();
    m_search.clear();
    m_bComplete = FALSE;
}

BOOL CLineCutter::Add(BYTE byte) {
    if (m_bComplete) Clear();
    if (m_line.GetSize() > 0) m_search.push_back(byte);
    m_line.Append(&byte, 1);
    if (byte == kCr) {
        const BYTE zero = 0;
        const DWORD size = m_line.GetSize();
        if (size == 0 || *m_line.GetAt(size - 1) != 0) m_line.Append(&zero, 1);
        m_bComplete = TRUE;
        return TRUE;
    }
    if (m_line.GetSize() >= kMaxLine) {
        ++m_nDropped;
        Clear();
    }
    return FALSE;
}

BOOL CLineCutter::FindBin1Sigma(float& sigma) const {
    const auto tag =
        std::search(m_search.begin(), m_search.end(), std::begin(kBinTag), std::end(kBinTag));
    if (tag == m_search.end()) return FALSE;
    const size_t at = static_cast<size_t>(tag - m_search.begin());
    if (m_search.size() - at < kBin1Length || m_search[at + 4] != 1) return FALSE;
    // The host is little-endian like the receiver.
    float value = 0;
    std::memcpy(&value, &m_search[at + kBin1SigmaOffset], sizeof value);
    if (!(static_cast<double>(value) > kBin1SigmaFloor)) return FALSE;
    sigma = value;
    return TRUE;
}
