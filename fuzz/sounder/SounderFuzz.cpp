// Fuzz target: the echo-sounder framing on arbitrary byte streams. Each
// input is framed by each of the four sounder types, and once more with the
// type changing at every line feed, as a reopened port may change it in the
// middle of a telegram. Beyond what the sanitizers catch, every byte must
// keep the depth block's rules: a byte that completes nothing leaves the
// block alone, a depth comes with both new-depth flags and the error flag
// clear, an error report sets the flag and keeps the depth. Inputs are
// framed in their first 16 KB, so a mutated capture costs no more than a
// short one.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/recording/SounderInput.h"

namespace {

CArray<SounderTypeRecord> MakeTypes() {
    struct Row {
        LPCTSTR tag;
        float scale;
        int errorChar;
    };
    const Row rows[] = {
        {L"DT", 100.0f, 'E'}, {L"ET", 100.0f, 'E'}, {L"DA", 100.0f, 1}, {L"$GPSSS", 1.0f, 1}};
    CArray<SounderTypeRecord> types;
    for (const Row& row : rows) {
        SounderTypeRecord t;
        t.strStartTag = row.tag;
        t.nTerminator = 13;
        t.fScale = row.scale;
        t.nErrorChar = row.errorChar;
        types.Add(t);
    }
    return types;
}

const CArray<SounderTypeRecord>& Types() {
    static const CArray<SounderTypeRecord> types = MakeTypes();
    return types;
}

bool Same(const SounderDepthBlock& a, const SounderDepthBlock& b) {
    // Bitwise for the depth: a NaN never comes from the parser, but an
    // unchanged block must compare equal whatever it holds.
    return std::memcmp(&a.dDepth, &b.dDepth, sizeof a.dDepth) == 0 && a.bError == b.bError &&
           a.bNewDepth[0] == b.bNewDepth[0] && a.bNewDepth[1] == b.bNewDepth[1];
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void FeedByte(CSounderInput& input, BYTE byte, int type, SounderDepthBlock& block) {
    const SounderDepthBlock before = block;
    switch (input.OnSounderChar(byte, Types()[type], &block)) {
        case kSounderNothing:
            Check(Same(before, block));
            break;
        case kSounderDepthReady:
            Check(block.bError == 0 && block.bNewDepth[0] == 1 && block.bNewDepth[1] == 1);
            block.bNewDepth[0] = block.bNewDepth[1] = 0;
            break;
        case kSounderErrorReport:
            Check(block.bError == 1);
            Check(std::memcmp(&before.dDepth, &block.dDepth, sizeof block.dDepth) == 0);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The framing remembers at most one telegram (200 bytes); a longer
    // input only repeats what its first part covers.
    size = std::min<size_t>(size, 16 * 1024);
    for (int type = 0; type < 4; ++type) {
        CSounderInput input;
        SounderDepthBlock block;
        for (size_t i = 0; i < size; ++i) FeedByte(input, data[i], type, block);
    }
    CSounderInput input;
    SounderDepthBlock block;
    int type = size > 0 ? data[0] % 4 : 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') type = (type + 1) % 4;
        FeedByte(input, data[i], type, block);
    }
    return 0;
}
