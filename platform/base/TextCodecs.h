// The character codecs behind TextConv: wide text to and from GBK and UTF-8,
// writing into a sink that either fills a caller's fixed buffer (whole
// characters only, counting on past its end) or grows a string.
#pragma once

#include <cstdint>
#include <string>

namespace quorvel::detail {

template <typename Unit>
class Sink {
  public:
    // Fixed buffer of `cap` units; dst null means "count only".
    Sink(Unit* dst, int64_t cap) : m_dst(dst), m_cap(cap) {}
    explicit Sink(std::basic_string<Unit>* grow) : m_grow(grow) {}

    void Put(const Unit* units, int len) {
        if (m_grow) {
            m_grow->append(units, static_cast<size_t>(len));
        } else if (m_dst && !m_full && m_count + len <= m_cap) {
            for (int i = 0; i < len; ++i) m_dst[m_count + i] = units[i];
        } else {
            m_full = true;  // later, smaller characters must not fill the gap
        }
        m_count += len;
    }
    void Put(Unit unit) { Put(&unit, 1); }
    int64_t Count() const { return m_count; }

  private:
    Unit* m_dst = nullptr;
    int64_t m_cap = 0;
    std::basic_string<Unit>* m_grow = nullptr;
    int64_t m_count = 0;
    bool m_full = false;
};

using ByteSink = Sink<char>;
using WideSink = Sink<wchar_t>;

// The replacement for a character a conversion cannot carry.
struct DefaultChar {
    char bytes[2] = {'?', 0};
    int len = 1;
};

// Each returns false only when `strict` and an invalid character was met.
// *usedDefault (when given) becomes true when a default char was put.
bool EncodeGbk(const wchar_t* src, int64_t n, ByteSink& out, const DefaultChar& def,
               bool* usedDefault);
bool DecodeGbk(const unsigned char* src, int64_t n, WideSink& out, bool strict);
bool EncodeUtf8(const wchar_t* src, int64_t n, ByteSink& out, bool strict);
bool DecodeUtf8(const unsigned char* src, int64_t n, WideSink& out, bool strict);

}  // namespace quorvel::detail
