// Fuzz target: arbitrary file contents through every conversion. Each
// format writes one whole line per converted line (the profile and the
// drawing aside), and nothing may crash, hang or read out of bounds.
#include <cstdlib>
#include <string>

#include "app/convert/PointFileConverter.h"
#include "app/convert/RtkConverter.h"
#include "app/settings/DefaultRecords.h"

namespace {

size_t LineEnds(const std::string& text) {
    size_t count = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++count;
    return count;
}

// A Krassovsky job with every step of the chain in use.
CoordSysParams Job() {
    CoordSysParams p;
    FillDefaultParRecord(p);
    p.szdCenter = 117.0;
    p.nSevenPar = 1;
    p.szddx = -15.4;
    p.szddy = 139.2;
    p.szddz = 51.3;
    p.szddK = 2.5e-6;
    p.nDifang = 1;
    p.szdCx1 = 12.0;
    p.szdCa1 = 1.5e-5;
    p.szdCk1 = 1.0000035;
    p.nNiheMode = 1;
    p.szdNiheA0 = -8.5;
    p.szdNiheA3 = 1e-10;
    p.szdNiheX0 = 3340000.0;
    p.szdNiheY0 = 520000.0;
    p.szdCorrectionX = 0.5;
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (int format = 1; format <= convert::kFormatCount; ++format) {
        convert::CPointFileConverter converter(format);
        std::string out;
        convert::ConvertText(bytes, converter, out);
        if (format < convert::kFormatDxf &&
            LineEnds(out) != static_cast<size_t>(converter.Counted()))
            std::abort();
    }
    static const CoordSysParams job = Job();
    for (int decimals : {3, 4}) {
        convert::CRtkToGridConverter converter(job, convert::GridShift{1.0, -2.0, 0.5}, TRUE,
                                               decimals);
        std::string out;
        convert::ConvertText(bytes, converter, out);
        if (LineEnds(out) != static_cast<size_t>(converter.Counted())) std::abort();
    }
    convert::CGridToRtkConverter back(job);
    std::string out;
    convert::ConvertText(bytes, back, out);
    if (LineEnds(out) != static_cast<size_t>(back.Counted())) std::abort();
    return 0;
}
