#include "app/convert/ConvertText.h"

#include "app/DeviceFiles.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "platform/base/Parse.h"
#include "platform/base/TextCodecs.h"
#include "platform/files/DevicePath.h"

namespace convert {

bool CLineReader::Next(std::wstring& line) {
    if (m_ended) return false;
    m_rest = m_next;
    const char* begin = m_bytes.data() + m_next;
    const void* lf = std::memchr(begin, '\n', m_bytes.size() - m_next);
    if (lf == nullptr) {
        m_ended = true;
        return false;
    }
    const size_t length = static_cast<const char*>(lf) - begin;
    m_next += length + 1;
    line.clear();
    quorvel::detail::WideSink sink(&line);
    quorvel::detail::DecodeGbk(reinterpret_cast<const unsigned char*>(begin),
                               static_cast<int64_t>(length), sink, false);
    // The character before the LF goes, whatever it is.
    if (line.size() <= 1) {
        m_ended = true;
        return false;
    }
    line.pop_back();
    m_rest = m_next;
    return true;
}

bool CLineReader::NextBytes(std::string_view& line) {
    if (m_ended) return false;
    m_rest = m_next;
    const char* begin = m_bytes.data() + m_next;
    const void* lf = std::memchr(begin, '\n', m_bytes.size() - m_next);
    if (lf == nullptr || static_cast<const char*>(lf) == begin ||
        static_cast<const char*>(lf)[-1] != '\r') {
        std::wstring wide;
        if (!Next(wide)) return false;
        m_scratch.clear();
        AppendGbk(m_scratch, wide);
        line = m_scratch;
        return true;
    }
    const size_t length = static_cast<const char*>(lf) - begin;
    if (length == 1) {  // a CR alone: the empty line
        m_ended = true;
        return false;
    }
    m_next += length + 1;
    m_rest = m_next;
    line = std::string_view(begin, length - 1);
    return true;
}

namespace {

template <class Char>
void CutAtCommas(std::basic_string_view<Char> all, std::basic_string_view<Char>* fields,
                 int count) {
    size_t start = 0;
    for (int i = 0; i < count; ++i) {
        if (start > all.size()) {
            fields[i] = std::basic_string_view<Char>();
            continue;
        }
        const size_t comma = all.find(Char(','), start);
        const size_t end = comma == std::basic_string_view<Char>::npos ? all.size() : comma;
        fields[i] = all.substr(start, end - start);
        start = end + 1;
    }
}

}  // namespace

void CutFields(const std::wstring& line, std::wstring_view* fields, int count) {
    CutAtCommas(std::wstring_view(line), fields, count);
}

void CutFields(std::string_view line, std::string_view* fields, int count) {
    CutAtCommas(line, fields, count);
}

double FieldNumber(std::string_view field, bool* bNumber) {
    if (bNumber != nullptr) *bNumber = false;
    if (field.empty()) return 0.0;
    // A copy ends the text where the field ends.
    char small[64];
    std::string large;
    const char* text = small;
    if (field.size() < sizeof small) {
        std::memcpy(small, field.data(), field.size());
        small[field.size()] = '\0';
    } else {
        large.assign(field);
        text = large.c_str();
    }
    char* end = nullptr;
    const double value = strtod_c(text, &end);
    if (!std::isfinite(value)) return 0.0;
    if (bNumber != nullptr) *bNumber = end != text;
    return value;
}

double FieldNumber(std::wstring_view field) {
    if (field.empty()) return 0.0;
    const double value = wcstod_c(field.data(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

double TextNumber(std::wstring_view text) {
    const std::wstring copy(text);
    const double value = wcstod_c(copy.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

long TextInteger(std::wstring_view text) {
    const std::wstring copy(text);
    return wcstol_c(copy.c_str(), nullptr, 10);
}

bool IsRemark(const std::wstring& line) {
    return line.compare(0, 4, L"Rem ") == 0;
}

void AppendGbk(std::string& out, std::wstring_view text) {
    quorvel::detail::ByteSink sink(&out);
    quorvel::detail::EncodeGbk(text.data(), static_cast<int64_t>(text.size()), sink,
                               quorvel::detail::DefaultChar(), nullptr);
}

void AppendWide(std::wstring& out, std::string_view bytes) {
    quorvel::detail::WideSink sink(&out);
    quorvel::detail::DecodeGbk(reinterpret_cast<const unsigned char*>(bytes.data()),
                               static_cast<int64_t>(bytes.size()), sink, false);
}

void AppendFixed(std::string& out, double value, int decimals) {
    // No "nan" or "inf" in a result file: such a value leaves its field empty.
    if (!std::isfinite(value)) return;
    // The longest is a 309-digit double with its sign, point and decimals.
    char text[400];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    out.append(text, result.ptr);
}

BOOL SameDeviceFile(const CString& first, const CString& second) {
    std::string a;
    std::string b;
    if (!quorvel::ResolveDevicePath(first, a, false) ||
        !quorvel::ResolveDevicePath(second, b, false))
        return FALSE;
    if (a == b) return TRUE;
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) ? TRUE : FALSE;
}

}  // namespace convert
