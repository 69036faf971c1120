#include "platform/base/GbkTable.h"

#include <iconv.h>

#include <cstdio>
#include <memory>

namespace quorvel::detail {
namespace {

// Converts one unit with a fresh converter state; returns the bytes produced
// or -1 when iconv refuses the input.
long ConvertOne(iconv_t cd, const char* in, size_t inLen, char* out, size_t outCap) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* ip = const_cast<char*>(in);
    char* op = out;
    size_t il = inLen;
    size_t ol = outCap;
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) return -1;
    return static_cast<long>(outCap - ol);
}

void FillDecode(GbkTable& t, iconv_t toWide) {
    wchar_t euro[2] = {0, 0};
    t.byte80 = 0;
    if (ConvertOne(toWide, "\x80", 1, reinterpret_cast<char*>(euro), sizeof(euro)) ==
            static_cast<long>(sizeof(wchar_t)) &&
        euro[0] > 0 && euro[0] <= 0xFFFF)
        t.byte80 = static_cast<uint16_t>(euro[0]);
    for (int lead = GbkTable::kLeadFirst; lead <= GbkTable::kLeadLast; ++lead) {
        for (int trail = GbkTable::kTrailFirst; trail <= GbkTable::kTrailLast; ++trail) {
            uint16_t& slot = t.decode[(lead - GbkTable::kLeadFirst) * GbkTable::kTrailCount +
                                      (trail - GbkTable::kTrailFirst)];
            slot = 0;
            if (!GbkTable::IsTrail(static_cast<unsigned char>(trail))) continue;
            const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            wchar_t out[2] = {0, 0};
            long n = ConvertOne(toWide, in, 2, reinterpret_cast<char*>(out), sizeof(out));
            if (n == static_cast<long>(sizeof(wchar_t)) && out[0] > 0 && out[0] <= 0xFFFF)
                slot = static_cast<uint16_t>(out[0]);
        }
    }
}

void FillEncode(GbkTable& t, iconv_t fromWide) {
    for (uint32_t u = 0; u < 0x10000; ++u) {
        t.encode[u] = GbkTable::kNone;
        if (u < 0x80) {
            t.encode[u] = static_cast<uint16_t>(u);
            continue;
        }
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        const wchar_t in = static_cast<wchar_t>(u);
        unsigned char out[4];
        long n = ConvertOne(fromWide, reinterpret_cast<const char*>(&in), sizeof(in),
                            reinterpret_cast<char*>(out), sizeof(out));
        if (n == 1 && out[0] >= 0x80)
            t.encode[u] = out[0];
        else if (n == 2 && GbkTable::IsLead(out[0]) && GbkTable::IsTrail(out[1]))
            t.encode[u] = static_cast<uint16_t>(out[0] << 8 | out[1]);
    }
}

std::unique_ptr<GbkTable> Build() {
    auto t = std::make_unique<GbkTable>();
    iconv_t toWide = iconv_open("WCHAR_T", "GBK");
    iconv_t fromWide = iconv_open("GBK", "WCHAR_T");
    if (toWide == reinterpret_cast<iconv_t>(-1) || fromWide == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "quorvel: no GBK converter on this host; only ASCII converts\n");
        t->byte80 = 0;
        for (auto& d : t->decode) d = 0;
        for (uint32_t u = 0; u < 0x10000; ++u)
            t->encode[u] = u < 0x80 ? static_cast<uint16_t>(u) : GbkTable::kNone;
    } else {
        FillDecode(*t, toWide);
        FillEncode(*t, fromWide);
    }
    if (toWide != reinterpret_cast<iconv_t>(-1)) iconv_close(toWide);
    if (fromWide != reinterpret_cast<iconv_t>(-1)) iconv_close(fromWide);
    return t;
}

}  // namespace

const GbkTable& Gbk() {
    static const std::unique_ptr<GbkTable> table = Build();
    return *table;
}

}  // namespace quorvel::detail
