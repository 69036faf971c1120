#include "receiver/link/ByteBuffer.h"

#include <cstring>

#include "platform/base/VirtualMem.h"

namespace {

const DWORD kBlockStep = 1024;

// n rounded up to whole KB; 0 when that does not fit in 32 bits.
DWORD RoundUpToBlock(DWORD n) {
    if (n > MAXDWORD - (kBlockStep - 1)) return 0;
    return (n + kBlockStep - 1) / kBlockStep * kBlockStep;
}

}  // namespace

CByteBuffer::~CByteBuffer() {
    if (m_pBegin != nullptr) VirtualFree(m_pBegin, 0, MEM_RELEASE);
}

DWORD CByteBuffer::GetSize() const {
    if (m_pBegin == nullptr) return 0;
    return static_cast<DWORD>(m_pEnd - m_pBegin);
}

DWORD CByteBuffer::Append(const void* pSource, DWORD n) {
    if (n == 0) return 0;
    DWORD nSize = GetSize();
    if (n > MAXDWORD - nSize) return 0;
    Reserve(nSize + n);
    if (m_nCapacity - nSize < n) return 0;  // the block could not grow: drop
    std::memcpy(m_pEnd, pSource, n);
    m_pEnd += n;
    return n;
}

DWORD CByteBuffer::Reserve(DWORD n) {
    if (n < m_nCapacity) return 0;
    return MoveTo(RoundUpToBlock(n));
}

DWORD CByteBuffer::Resize(DWORD n) {
    if (m_pBegin != nullptr && n < GetSize()) return 0;
    DWORD nBlockSize = RoundUpToBlock(n);
    if (nBlockSize < m_nCapacity) return 0;
    return MoveTo(nBlockSize);
}

void CByteBuffer::Reset() {
    m_pEnd = m_pBegin;
    Resize(kBlockStep);
}

// Allocates the new block before touching the old one, so a refusal leaves
// the buffer exactly as it was.
DWORD CByteBuffer::MoveTo(DWORD nBlockSize) {
    if (nBlockSize == 0) return 0;
    void* pBlock = VirtualAlloc(nullptr, nBlockSize, MEM_COMMIT, PAGE_READWRITE);
    if (pBlock == nullptr) return 0;
    BYTE* pNew = static_cast<BYTE*>(pBlock);
    DWORD nSize = GetSize();
    if (nSize > 0) std::memcpy(pNew, m_pBegin, nSize);
    if (m_pBegin != nullptr) VirtualFree(m_pBegin, 0, MEM_RELEASE);
    m_pBegin = pNew;
    m_pEnd = pNew + nSize;
    m_nCapacity = nBlockSize;
    return nBlockSize;
}
