// CByteBuffer: the growable store in which received serial bytes collect
// before they are cut into frames and sentences.
//
// The block comes straight from virtual memory in whole KB steps (1024-byte
// multiples), never from the heap. When the system refuses a block the
// buffer keeps its previous block and content untouched: Reserve and Resize
// return 0, and Append drops the incoming bytes and returns 0, so a reader
// under memory pressure loses data but never writes through a null block.
//
// Not synchronised: each buffer belongs to the one thread that fills it.
#pragma once

#include "platform/base/WinTypes.h"

class CByteBuffer {
  public:
    CByteBuffer() = default;
    virtual ~CByteBuffer();

    CByteBuffer(const CByteBuffer&) = delete;
    CByteBuffer& operator=(const CByteBuffer&) = delete;

    // Bytes in use (0 while nothing is allocated).
    DWORD GetSize() const;
    // Byte n of the content; no bounds check, callers stay below GetSize().
    BYTE* GetAt(DWORD n) const { return m_pBegin + n; }
    // Size of the block in bytes, a multiple of 1024 (0 while none).
    DWORD GetCapacity() const { return m_nCapacity; }

    // Copies n bytes after the content; n, or 0 when they were dropped.
    DWORD Append(const void* pSource, DWORD n);
    // Grows to hold n bytes unless n is below the capacity; the new block
    // size, or 0 when nothing changed.
    DWORD Reserve(DWORD n);
    // Moves the content into a block of n rounded up to whole KB, unless
    // the content would not fit or the block would shrink; the new block
    // size, or 0 when nothing changed.
    DWORD Resize(DWORD n);
    // Empties the content and comes back to a 1 KB block where the block
    // was no larger than that.
    void Reset();

  private:
    DWORD MoveTo(DWORD nBlockSize);

    BYTE* m_pBegin = nullptr;
    BYTE* m_pEnd = nullptr;
    DWORD m_nCapacity = 0;
};
