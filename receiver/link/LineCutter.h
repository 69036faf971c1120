// CLineCutter: cuts the receiver's byte stream into lines at CR, as the
// reader hands them to the main frame.
//
// A line holds every byte after the previous CR up to and with its own CR,
// then a 0 byte; with a receiver that ends its lines with CR LF it begins
// with the previous line's LF. Beside it the cutter keeps the search
// vector: the same bytes without the first one (and without the 0), in
// which a type-1 "$BIN" block is looked for.
//
// A line that reaches kMaxLine bytes without a CR is dropped and cutting
// starts afresh, so a stream that never sends a CR (LF-only text, binary
// data, a wrong baud rate) cannot grow memory without bound.
#pragma once

#include <vector>

#include "platform/base/WinTypes.h"
#include "receiver/link/ByteBuffer.h"

class CLineCutter {
  public:
    static constexpr DWORD kMaxLine = 64 * 1024;
    // From the '$' of a type-1 block: its length at least, and where its
    // sigma (a little-endian IEEE float) sits.
    static constexpr size_t kBin1Length = 56;
    static constexpr size_t kBin1SigmaOffset = 52;
    // The sigma is reported only when strictly above this.
    static constexpr double kBin1SigmaFloor = 1e-5;

    // Takes one received byte; TRUE when it was the CR that ends a line,
    // which Line() then holds with its 0 byte until the next Add.
    BOOL Add(BYTE byte);
    CByteBuffer& Line() { return m_line; }
    const std::vector<BYTE>& SearchVector() const { return m_search; }
    // The sigma of the first "$BIN" block of the search vector when it is
    // of type 1, long enough, and above the floor.
    BOOL FindBin1Sigma(float& sigma) const;
    // Lines dropped for want of a CR.
    DWORD DroppedLines() const { return m_nDropped; }

  private:
    void Clear();

    CByteBuffer m_line;
    std::vector<BYTE> m_search;
    BOOL m_bComplete = FALSE;
    DWORD m_nDropped = 0;
};
