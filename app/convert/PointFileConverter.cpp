#include "app/convert/PointFileConverter.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "app/convert/ConvertText.h"

namespace convert {

namespace {

enum Field { kName, kX, kY, kH, kCode, kFieldCount };

void Join(std::string& out, char separator, std::initializer_list<std::wstring_view> fields) {
    bool first = true;
    for (std::wstring_view field : fields) {
        if (!first) out += separator;
        first = false;
        AppendGbk(out, field);
    }
    AppendLineEnd(out);
}

// A double through single precision as the device's float does it: past
// the largest float (rounded to nearest) it is infinite.
double SinglePrecision(double value) {
    constexpr double kOverflow = 0x1.ffffffp+127;
    if (std::fabs(value) >= kOverflow)
        return std::copysign(std::numeric_limits<double>::infinity(), value);
    return static_cast<double>(static_cast<float>(value));
}

bool HasChainage(std::wstring_view code) {
    return code.substr(0, 2) == L"DK";
}

double Chainage(std::wstring_view code, bool singleMetres) {
    const std::wstring_view rest = code.substr(2);
    const size_t plus = rest.find(L'+');
    const long km = TextInteger(rest.substr(0, plus));
    double metres = plus == std::wstring_view::npos ? 0.0 : TextNumber(rest.substr(plus));
    if (singleMetres) metres = SinglePrecision(metres);
    return static_cast<double>(km) * 1000.0 + metres;
}

void GroupValue(std::string& out, const char* code, double value) {
    out += code;
    AppendFixed(out, value, 4);
    AppendLineEnd(out);
}

const char kDrawingStart[] = " 0\r\nSECTION\r\n 2\r\nENTITIES\r\n";
const char kDrawingEnd[] = " 0\r\nENDSEC\r\n 0\r\nEOF\r\n";

}  // namespace

void CPointFileConverter::ConvertLine(const std::wstring& line, std::string& out) {
    std::wstring_view f[kFieldCount];
    CutFields(line, f, kFieldCount);
    ++m_nLines;
    switch (m_nFormat) {
        case 1:
            return Join(out, ',', {f[kName], f[kCode], f[kY], f[kX], f[kH]});
        case 2:
            return Join(out, ' ', {f[kName], f[kCode], f[kY], f[kX], f[kH]});
        case 3:
            return Join(out, ',', {f[kName], f[kCode], f[kX], f[kY], f[kH]});
        case 4:
            return Join(out, ' ', {f[kName], f[kCode], f[kX], f[kY], f[kH]});
        case 5:
            return Join(out, ',', {f[kName], f[kX], f[kY], f[kH], f[kCode]});
        case 6:
            return Join(out, ' ', {f[kName], f[kX], f[kY], f[kH], f[kCode]});
        case 7:
            return Join(out, ',', {f[kName], f[kY], f[kX], f[kH], f[kH], f[kH], f[kH]});
        case kFormatZdm:
            return ProfileLine(f[kCode], f[kH], out);
        case kFormatDxf:
            return DrawingEntities(f, out);
        default:
            return;
    }
}

void CPointFileConverter::ProfileLine(std::wstring_view code, std::wstring_view height,
                                      std::string& out) {
    const double h = FieldNumber(height);
    if (m_nLines == 1) {
        m_dStartChainage = HasChainage(code) ? Chainage(code, true) : 0.0;
        m_dStartHeight = h;
        out += "0 0\r\n";
        return;
    }
    if (HasChainage(code)) m_dLastChainage = Chainage(code, false);
    AppendFixed(out, m_dLastChainage - m_dStartChainage, 4);
    out += "   ";
    AppendFixed(out, h - m_dStartHeight, 4);
    AppendLineEnd(out);
}

void CPointFileConverter::DrawingEntities(const std::wstring_view* f, std::string& out) {
    if (!m_bDrawingOpen) out += kDrawingStart;
    m_bDrawingOpen = true;
    const double x = FieldNumber(f[kX]);
    const double y = FieldNumber(f[kY]);
    const double h = FieldNumber(f[kH]);
    out += " 0\r\nPOINT\r\n  8\r\n0\r\n 62\r\n4\r\n";
    GroupValue(out, " 10\r\n", y);
    GroupValue(out, " 20\r\n", x);
    GroupValue(out, " 30\r\n", h);
    out += "  0\r\nTEXT\r\n  8\r\n0\r\n";
    GroupValue(out, " 10\r\n", y);
    GroupValue(out, " 20\r\n", x);
    out += " 30\r\n0.0\r\n 40\r\n0.001\r\n1\r\n";
    AppendGbk(out, f[kName]);
    AppendLineEnd(out);
}

void CPointFileConverter::Finish(std::string& out) {
    if (m_nFormat != kFormatDxf) return;
    if (!m_bDrawingOpen) out += kDrawingStart;
    m_bDrawingOpen = true;
    out += kDrawingEnd;
}

}  // namespace convert
