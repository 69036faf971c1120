// The echo-sounder types written out by hand from the sounder makers'
// telegram descriptions, and a recorder of what a byte stream gives.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recording/SounderInput.h"
#include "platform/base/CArray.h"

namespace soundertest {

inline SounderTypeRecord MakeType(LPCTSTR name, LPCTSTR tag, int fieldStart, int fieldLen,
                                  float scale, int errorChar, int decimals) {
    SounderTypeRecord t;
    t.strName = name;
    t.strStartTag = tag;
    t.nTerminator = 13;
    t.nFieldStart = fieldStart;
    t.nFieldLen = fieldLen;
    t.fScale = scale;
    t.nErrorChar = errorChar;
    t.nDecimals = decimals;
    return t;
}

// Index = the settings' "SoundType".
inline CArray<SounderTypeRecord> KnownTypes() {
    CArray<SounderTypeRecord> types;
    types.Add(MakeType(L"无锡SDH-13D", L"DT", 4, 6, 100.0f, 'E', 3));
    types.Add(MakeType(L"ODEM-DSF", L"ET", 5, 5, 100.0f, 'E', 3));
    types.Add(MakeType(L"DESO-25", L"DA", 3, 4, 100.0f, 1, 1));
    types.Add(MakeType(L"KOVAT测深仪", L"$GPSSS", 8, 6, 1.0f, 1, 3));
    return types;
}

inline std::string TagOf(const SounderTypeRecord& type) {
    std::string tag;
    for (int i = 0; i < type.strStartTag.GetLength(); ++i)
        tag += static_cast<char>(type.strStartTag.GetAt(i));
    return tag;
}

// What a completed telegram left in the depth block.
struct SounderEvent {
    SounderCharResult kind = kSounderNothing;
    double depth = 0.0;
    BOOL error = 0;
};

inline bool operator==(const SounderEvent& a, const SounderEvent& b) {
    return a.kind == b.kind && a.depth == b.depth && a.error == b.error;
}

inline void PrintTo(const SounderEvent& e, std::ostream* os) {
    *os << (e.kind == kSounderDepthReady    ? "depth "
            : e.kind == kSounderErrorReport ? "error "
                                            : "nothing ")
        << e.depth << (e.error ? " (error flag)" : "");
}

inline SounderEvent Depth(double d) {
    return {kSounderDepthReady, d, 0};
}
inline SounderEvent Error(double previous) {
    return {kSounderErrorReport, previous, 1};
}

// Feeds bytes and records every telegram they complete. The depth block is
// the receiver's: what a byte that completes nothing does to it is checked
// too (it must stay as it was).
class SounderFeed {
  public:
    void Bytes(const std::string& bytes, const SounderTypeRecord& type) {
        for (char c : bytes) Byte(static_cast<BYTE>(c), type);
    }
    void Byte(BYTE byte, const SounderTypeRecord& type) {
        const SounderDepthBlock before = block;
        const SounderCharResult r = input.OnSounderChar(byte, type, &block);
        if (r == kSounderNothing) {
            if (before.dDepth != block.dDepth || before.bError != block.bError ||
                before.bNewDepth[0] != block.bNewDepth[0] ||
                before.bNewDepth[1] != block.bNewDepth[1])
                ++changedWithoutEvent;
            return;
        }
        if (r == kSounderDepthReady && (!block.bNewDepth[0] || !block.bNewDepth[1]))
            ++depthWithoutNewFlags;
        if (r == kSounderErrorReport && block.dDepth != before.dDepth) ++errorChangedDepth;
        // The receivers clear their copies' flags; the frame's stay set.
        block.bNewDepth[0] = block.bNewDepth[1] = 0;
        events.push_back({r, block.dDepth, block.bError});
    }
    int Depths() const {
        int n = 0;
        for (const SounderEvent& e : events) n += e.kind == kSounderDepthReady;
        return n;
    }
    int Errors() const { return static_cast<int>(events.size()) - Depths(); }

    CSounderInput input;
    SounderDepthBlock block;
    std::vector<SounderEvent> events;
    int changedWithoutEvent = 0;
    int depthWithoutNewFlags = 0;
    int errorChangedDepth = 0;
};

}  // namespace soundertest
