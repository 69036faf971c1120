// The registry file, one line each:
//   Quorvel registry 1                       first line
//   [HKEY_LOCAL_MACHINE\Drivers\Slot]        a key; its values follow
//   @=sz:"\"Quorvel.exe\""                   the default value, a REG_SZ
//   "FFUART"=dword:00000001                  a REG_DWORD of 4 bytes
//   "Blob"=hex(3):0a,ff                      any other type or size
//   end                                      last line: a cut file is refused
// Quoted text is UTF-8 with \\ \" \n \r \t and \u{hex} escapes. A REG_SZ or
// REG_EXPAND_SZ is written as text only when it is exactly one terminated
// string; anything else keeps its bytes in hex, so every value round-trips.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "platform/files/HostText.h"
#include "platform/files/Registry.h"
#include "platform/files/RegistryTree.h"

namespace quorvel::files {

namespace {

const char* const kHeader = "Quorvel registry 1";
const wchar_t* const kRootNames[kRootCount] = {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER",
                                               L"HKEY_LOCAL_MACHINE", L"HKEY_USERS"};

bool IsScalar(wchar_t c) {
    const auto v = static_cast<uint32_t>(c);
    return v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF);
}

std::string Quote(const std::wstring& text) {
    std::string out = "\"";
    for (wchar_t c : text) {
        std::string utf8;
        if (c == L'\\' || c == L'"') {
            out += '\\', out += static_cast<char>(c);
        } else if (c == L'\n' || c == L'\r' || c == L'\t') {
            out += c == L'\n' ? "\\n" : c == L'\r' ? "\\r" : "\\t";
        } else if (c < 0x20 || c == 0x7F || !IsScalar(c) || !WideToUtf8(&c, 1, utf8)) {
            char escape[24];
            std::snprintf(escape, sizeof escape, "\\u{%x}", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += utf8;
        }
    }
    return out + "\"";
}

// Reads a quoted string at `pos`; advances past the closing quote.
bool Unquote(const std::string& line, size_t& pos, std::wstring& out) {
    if (pos >= line.size() || line[pos] != '"') return false;
    std::string plain;
    out.clear();
    auto flush = [&]() {
        std::wstring part;
        if (!Utf8ToWideStrict(plain, part)) return false;
        out += part;
        plain.clear();
        return true;
    };
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') return flush() && (++pos, true);
        if (c != '\\') {
            plain += c;
            continue;
        }
        if (++pos >= line.size() || !flush()) return false;
        const char e = line[pos];
        if (e == '\\' || e == '"') {
            out += static_cast<wchar_t>(e);
        } else if (e == 'n' || e == 'r' || e == 't') {
            out += e == 'n' ? L'\n' : e == 'r' ? L'\r' : L'\t';
        } else if (e == 'u' && pos + 1 < line.size() && line[pos + 1] == '{') {
            const size_t close = line.find('}', pos);
            if (close == std::string::npos || close - pos < 3 || close - pos > 10) return false;
            const std::string hex = line.substr(pos + 2, close - pos - 2);
            if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
            out += static_cast<wchar_t>(std::stoul(hex, nullptr, 16));
            pos = close;
        } else {
            return false;
        }
    }
    return false;
}

bool IsPlainString(const RegValue& value, std::wstring& text) {
    if (value.type != REG_SZ && value.type != REG_EXPAND_SZ) return false;
    const size_t n = value.data.size() / sizeof(wchar_t);
    if (n == 0 || value.data.size() % sizeof(wchar_t) != 0) return false;
    text.assign(n, L'\0');
    std::memcpy(text.data(), value.data.data(), value.data.size());
    if (text.back() != 0) return false;
    text.pop_back();
    return text.find(L'\0') == std::wstring::npos;
}

std::string FormatData(const RegValue& value) {
    std::wstring text;
    if (IsPlainString(value, text)) {
        return (value.type == REG_SZ ? "sz:" : "expand_sz:") + Quote(text);
    }
    char buffer[32];
    if (value.type == REG_DWORD && value.data.size() == 4) {
        uint32_t v = 0;
        std::memcpy(&v, value.data.data(), 4);
        std::snprintf(buffer, sizeof buffer, "dword:%08x", v);
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "hex(%u):", static_cast<unsigned>(value.type));
    std::string out = buffer;
    for (size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ",%02x", value.data[i]);
        out += buffer;
    }
    return out;
}

void FormatKey(const RegKey& key, const std::string& path, std::string& out) {
    out += "[" + path + "]\n";
    for (const RegValue& value : key.values) {
        out += (value.name.empty() ? std::string("@") : Quote(value.name)) + "=" +
               FormatData(value) + "\n";
    }
    for (const auto& child : key.children) {
        std::string name;
        WideToUtf8(child->name, name);
        FormatKey(*child, path + "\\" + name, out);
    }
}

bool ParseHex(const std::string& text, std::vector<BYTE>& out) {
    out.clear();
    for (size_t pos = 0; pos < text.size(); pos += 3) {
        if (pos + 2 > text.size() || !std::isxdigit(static_cast<unsigned char>(text[pos])) ||
            !std::isxdigit(static_cast<unsigned char>(text[pos + 1]))) {
            return false;
        }
        if (pos + 2 < text.size() && text[pos + 2] != ',') return false;
        if (pos + 2 == text.size() - 1) return false;  // a trailing comma
        out.push_back(static_cast<BYTE>(std::stoul(text.substr(pos, 2), nullptr, 16)));
    }
    return true;
}

bool ParseString(const std::string& text, std::vector<BYTE>& out) {
    size_t pos = 0;
    std::wstring value;
    if (!Unquote(text, pos, value) || pos != text.size()) return false;
    value += L'\0';
    out.resize(value.size() * sizeof(wchar_t));
    std::memcpy(out.data(), value.data(), out.size());
    return true;
}

bool ParseData(const std::string& text, RegValue& value) {
    if (text.rfind("sz:", 0) == 0) {
        value.type = REG_SZ;
        return ParseString(text.substr(3), value.data);
    }
    if (text.rfind("expand_sz:", 0) == 0) {
        value.type = REG_EXPAND_SZ;
        return ParseString(text.substr(10), value.data);
    }
    if (text.rfind("dword:", 0) == 0) {
        const std::string hex = text.substr(6);
        if (hex.size() != 8 ||
            hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            return false;
        }
        const auto v = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
        value.type = REG_DWORD;
        value.data.resize(4);
        std::memcpy(value.data.data(), &v, 4);
        return true;
    }
    const size_t close = text.find("):");
    if (text.rfind("hex(", 0) != 0 || close == std::string::npos || close < 5 || close > 14) {
        return false;
    }
    const std::string type = text.substr(4, close - 4);
    if (type.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long number = std::stoul(type);
    if (number > 0xFFFFFFFFul) return false;
    value.type = static_cast<DWORD>(number);
    return ParseHex(text.substr(close + 2), value.data);
}

bool ParseValueLine(const std::string& line, RegKey& key) {
    RegValue value;
    size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else if (!Unquote(line, pos, value.name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=' || !ParseData(line.substr(pos + 1), value)) {
        return false;
    }
    if (RegValue* existing = key.FindValue(value.name)) {
        *existing = std::move(value);
    } else {
        key.values.push_back(std::move(value));
    }
    return true;
}

RegKey* ParseKeyLine(const std::string& line, const RegRoots& roots) {
    std::wstring path;
    if (line.size() < 3 || line.back() != ']' ||
        !Utf8ToWideStrict(line.substr(1, line.size() - 2), path)) {
        return nullptr;
    }
    RegKey* key = nullptr;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring name = path.substr(start, end - start);
        if (!IsValidKeyName(name)) return nullptr;
        if (key == nullptr) {
            for (size_t i = 0; i < kRootCount; ++i) {
                if (EqualNoCase(name, kRootNames[i])) key = roots[i].get();
            }
            if (key == nullptr) return nullptr;
        } else if (RegKey* child = key->FindChild(name)) {
            key = child;
        } else if (key->depth < kMaxKeyDepth) {
            key = &key->AddChild(name);
        } else {
            return nullptr;
        }
        start = end + 1;
    }
    return key;
}

}  // namespace

RegKey& RegKey::AddChild(const std::wstring& childName) {
    children.push_back(std::make_shared<RegKey>(RegKey{childName, {}, {}, depth + 1}));
    return *children.back();
}

RegKey* RegKey::FindChild(const std::wstring& childName) const {
    const size_t index = ChildIndex(childName);
    return index < children.size() ? children[index].get() : nullptr;
}

size_t RegKey::ChildIndex(const std::wstring& childName) const {
    for (size_t i = 0; i < children.size(); ++i) {
        if (EqualNoCase(children[i]->name, childName)) return i;
    }
    return children.size();
}

RegValue* RegKey::FindValue(const std::wstring& valueName) {
    for (RegValue& value : values) {
        if (EqualNoCase(value.name, valueName)) return &value;
    }
    return nullptr;
}

RegRoots MakeEmptyRoots() {
    RegRoots roots;
    for (size_t i = 0; i < kRootCount; ++i) {
        roots[i] = std::make_shared<RegKey>(RegKey{kRootNames[i], {}, {}});
    }
    return roots;
}

bool IsValidKeyName(const std::wstring& name) {
    if (name.empty() || name.size() > 255) return false;
    for (wchar_t c : name) {
        if (c < 0x20 || c == 0x7F || c == L'\\' || !IsScalar(c)) return false;
    }
    return true;
}

std::string FormatRegistry(const RegRoots& roots) {
    std::string out = std::string(kHeader) + "\n";
    for (const auto& root : roots) {
        std::string name;
        WideToUtf8(root->name, name);
        FormatKey(*root, name, out);
    }
    return out + "end\n";
}

bool ParseRegistry(const std::string& text, RegRoots& roots) {
    roots = MakeEmptyRoots();
    const std::string ending = "\nend\n";
    if (text.rfind(std::string(kHeader) + "\n", 0) != 0 || text.size() < ending.size() ||
        text.compare(text.size() - ending.size(), ending.size(), ending) != 0) {
        return false;
    }
    std::istringstream lines(text.substr(0, text.size() - ending.size() + 1));
    std::string line;
    std::getline(lines, line);  // the header
    RegKey* key = nullptr;
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        if (line[0] == '[') {
            key = ParseKeyLine(line, roots);
            if (key == nullptr) return false;
        } else if (key == nullptr || !ParseValueLine(line, *key)) {
            return false;
        }
    }
    return true;
}

}  // namespace quorvel::files
