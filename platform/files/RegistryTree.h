// The registry in memory and its text form. Internal to platform/files.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace quorvel::files {

struct RegValue {
    std::wstring name;  // empty: the default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct RegKey {
    std::wstring name;
    std::vector<RegValue> values;
    std::vector<std::shared_ptr<RegKey>> children;
    size_t depth = 0;  // levels below its root key

    // A new child one level down, added last.
    RegKey& AddChild(const std::wstring& childName);

    RegKey* FindChild(const std::wstring& childName) const;
    size_t ChildIndex(const std::wstring& childName) const;  // children.size() when missing
    RegValue* FindValue(const std::wstring& valueName);
};

// Keys nest at most this deep below a root key, as in the platform's
// registry. The limit also bounds the recursion that writes and frees the
// tree, so neither a program nor a doctored file can exhaust the stack.
constexpr size_t kMaxKeyDepth = 512;

// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS.
constexpr size_t kRootCount = 4;
using RegRoots = std::array<std::shared_ptr<RegKey>, kRootCount>;
RegRoots MakeEmptyRoots();

// A key name the registry file can hold: 1 to 255 characters, no backslash,
// no control character, every character a Unicode scalar value.
bool IsValidKeyName(const std::wstring& name);

std::string FormatRegistry(const RegRoots& roots);
// False when the text is not a complete registry file.
bool ParseRegistry(const std::string& text, RegRoots& roots);

}  // namespace quorvel::files
