// Fuzz target: the receiver decoders on an arbitrary byte stream. The
// stream is cut into lines at each CR as the link cuts it (a line runs from
// the byte after the previous CR up to and with its CR, LF included), each
// line is converted from the device code page, recognised and decoded, and
// also handed to one parser chosen by the first byte whatever its type, so
// that every parser meets every kind of line. A job and document stand
// behind the parsers; the base-station log writes into a temporary device
// root.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzRoot.h"
#include "platform/base/TextConv.h"
#include "receiver/DiffAgeWatch.h"
#include "receiver/ReceiverParser.h"
#include "receiver/SentenceType.h"
#include "tests/receiver/FakeReceiverHost.h"

namespace {

const int kParserTypes[] = {1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12, 13, 14};

void Decode(const std::string& bytes, int chosen) {
    static const quorvel::fuzz::CFuzzRoot root(
        "receiver", {"Flash Disk/Jobs/ruvo/result", "Flash Disk/Jobs/ruvo/data"});
    receiver_test::CFakeReceiverHost host;
    host.m_fixLevel = chosen % 3;
    host.m_params.nSevenPar = chosen & 1;
    host.m_params.nNiheMode = 1;
    CReceiverParser parser(&host);
    CDiffAgeWatch watch;
    SurveyRecord rec;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t cr = bytes.find('\r', start);
        const size_t end = cr == std::string::npos ? bytes.size() : cr + 1;
        CString line = quorvel::FromGbk(bytes.data() + start, end - start);
        start = end;
        const int type = GpsSentenceType(line);
        CString copy = line;
        parser.Parse(type, copy, &rec);
        if (type == kSentenceBestPos) watch.OnCorrectionAge(rec.nAux, host);
        parser.Parse(kParserTypes[chosen % std::size(kParserTypes)], line, &rec);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int chosen = size > 0 ? data[0] : 0;
    Decode(std::string(reinterpret_cast<const char*>(data), size), chosen);
    return 0;
}
