// The echo sounder's input: the framing of the bytes its port reader sends
// (WM_SOUNDER_CHAR, one byte per message) into telegrams, the depth taken
// out of each telegram, and the opening of the sounder's port.
//
// The main frame owns one CSounderInput and feeds it every byte from its
// WM_SOUNDER_CHAR handler with the selected type and its depth block:
//
//   if (m_sounderInput.OnSounderChar(byte, m_curSounderType, &m_depth) ==
//       kSounderDepthReady)
//       ... send WM_SOUNDER_DEPTH (&m_depth) to every depth subscriber ...
//
// A telegram is the type's start tag, the body and the terminator. Only
// the first and the last character of the tag are compared ("$GPSSS" also
// frames "$GAXXS"). The depth is the text between the first and the second
// comma read as a decimal number and divided by the type's scale. A
// telegram whose depth text starts with the type's error character is an
// error report: it sets bError and leaves the previous depth in place.
//
// What the framing cannot hold is dropped without a trace (no depth, the
// error flag untouched) and the framing goes back to looking for a tag: a
// telegram longer than the 200-byte buffer (the byte that overflows it is
// looked at again as a possible tag start), one with fewer than two commas,
// and a depth text of 20 characters or more.
//
// The state belongs to the stream, not to the port or the type: it
// survives opening and closing the port and a change of type (a tag begun
// under a longer tag is judged at its next byte by the new tag's last
// character).
#pragma once

#include "app/recording/SounderTypes.h"
#include "platform/base/CArray.h"
#include "platform/base/WinTypes.h"

class CComPort;
struct SystemParams;

// What one byte completed.
enum SounderCharResult {
    kSounderNothing = 0,      // nothing yet (or a telegram was dropped)
    kSounderDepthReady = 1,   // a depth: dDepth set, bError 0, both new-depth flags 1
    kSounderErrorReport = 2,  // an error report: bError 1, dDepth as it was
};

class CSounderInput {
  public:
    static constexpr int kTagBufSize = 12;
    static constexpr int kBodyBufSize = 200;
    // The longest depth text taken; one more and the telegram is dropped.
    static constexpr int kMaxDepthText = 19;

    // One received byte. `depth` is written only when the byte completes a
    // telegram that gives a depth or an error report.
    SounderCharResult OnSounderChar(BYTE byte, const SounderTypeRecord& type,
                                    SounderDepthBlock* depth);

  private:
    SounderCharResult ParseSounderDepth(const SounderTypeRecord& type, SounderDepthBlock* depth);
    void AppendBody(char c);
    void CollectTagChar(char c);
    void BackToIdle();

    int m_bInTag = 0;
    int m_bInBody = 0;
    int m_nTagCount = 0;
    char m_tagBuf[kTagBufSize] = {};
    int m_nBodyLen = 0;
    char m_bodyBuf[kBodyBufSize] = {};
};

// Opens the echo sounder's port "com<SoundPort>:" at SoundBandrate with its
// bytes going to `hNotify` as WM_SOUNDER_CHAR, and copies the type
// SoundType of `types` into *curType. A port that is already open is left
// as it is and gives TRUE without selecting the type again. FALSE when
// SoundType names no entry of `types` (then nothing is opened) or when the
// port cannot be opened; the caller tells the user.
BOOL OpenSounderPort(CComPort& port, HWND hNotify, const SystemParams& params,
                     const CArray<SounderTypeRecord>& types, SounderTypeRecord* curType);
