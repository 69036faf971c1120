#include "platform/files/Registry.h"

#include <stdio.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "platform/files/DevicePath.h"
#include "platform/files/HostFs.h"
#include "platform/files/RegistryTree.h"

using quorvel::files::RegKey;
using quorvel::files::RegValue;

namespace {

using KeyPtr = std::shared_ptr<RegKey>;

struct RegistryState {
    std::mutex mutex;
    bool loaded = false;
    quorvel::files::RegRoots roots;
    std::map<uintptr_t, std::weak_ptr<RegKey>> handles;
    uintptr_t nextHandle = 0x52000;  // never reused
};

// Never destroyed: a reader thread may still use the registry while the
// program exits.
RegistryState& State() {
    static RegistryState* state = new RegistryState;
    return *state;
}

// The registry file, at the top of the device root.
const char* const kFileName = ".registry";

// Keeps a damaged file for a look later; only the entry inside the root moves.
void SetAside() {
    const quorvel::files::UniqueFd root = quorvel::files::OpenRoot();
    if (!root.Valid()) return;
    const std::string bad = std::string(kFileName) + ".bad";
    ::renameat(root.Get(), kFileName, root.Get(), bad.c_str());
}

LONG EnsureLoaded(RegistryState& s) {
    if (s.loaded) return ERROR_SUCCESS;
    if (quorvel::GetDeviceRoot().empty()) return ERROR_PATH_NOT_FOUND;
    std::string text;
    const DWORD err = quorvel::ReadDeviceRootFile(kFileName, text);
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) {
        s.roots = quorvel::files::MakeEmptyRoots();
    } else if (err != ERROR_SUCCESS || !quorvel::files::ParseRegistry(text, s.roots)) {
        SetAside();
        s.roots = quorvel::files::MakeEmptyRoots();
    }
    s.loaded = true;
    return ERROR_SUCCESS;
}

// Saves the registry; when that fails, `undo` puts memory back as the file is.
[[nodiscard]] LONG Save(RegistryState& s, const std::function<void()>& undo) {
    const std::string text = quorvel::files::FormatRegistry(s.roots);
    const quorvel::files::UniqueFd root = quorvel::files::OpenRoot();
    const DWORD err = root.Valid() ? quorvel::files::WriteFileAtomicAt(root.Get(), kFileName,
                                                                       text.data(), text.size())
                                   : ERROR_PATH_NOT_FOUND;
    if (err != ERROR_SUCCESS) undo();
    return static_cast<LONG>(err);
}

LONG KeyOf(RegistryState& s, HKEY key, KeyPtr& out) {
    const auto value = reinterpret_cast<uintptr_t>(key);
    for (size_t i = 0; i < quorvel::files::kRootCount; ++i) {
        if (key == QUORVEL_PREDEFINED_KEY(0x80000000u + i)) {
            out = s.roots[i];
            return ERROR_SUCCESS;
        }
    }
    const auto it = s.handles.find(value);
    if (it == s.handles.end()) return ERROR_INVALID_HANDLE;
    out = it->second.lock();
    return out ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// Splits a sub-key path; empty components are skipped.
LONG SplitSubKey(LPCTSTR subKey, std::vector<std::wstring>& parts) {
    if (subKey == nullptr) return ERROR_SUCCESS;
    std::wstring part;
    for (const wchar_t* p = subKey;; ++p) {
        if (*p == 0 || *p == L'\\') {
            if (!part.empty() && !quorvel::files::IsValidKeyName(part))
                return ERROR_INVALID_PARAMETER;
            if (!part.empty()) parts.push_back(part);
            part.clear();
            if (*p == 0) return ERROR_SUCCESS;
        } else {
            part += *p;
        }
    }
}

HKEY NewHandle(RegistryState& s, const KeyPtr& key) {
    const uintptr_t value = s.nextHandle;
    s.nextHandle += 4;
    s.handles[value] = key;
    return reinterpret_cast<HKEY>(value);
}

std::wstring ValueName(LPCTSTR name) {
    return name == nullptr ? std::wstring() : name;
}

// The lock, the loaded registry and the key behind `key`, for one call.
struct Call {
    std::unique_lock<std::mutex> lock{State().mutex};
    RegistryState& s = State();
    KeyPtr key;
    LONG status = ERROR_SUCCESS;

    explicit Call(HKEY hKey) {
        status = EnsureLoaded(s);
        if (status == ERROR_SUCCESS) status = KeyOf(s, hKey, key);
    }
};

}  // namespace

LONG RegCreateKeyEx(HKEY key, LPCTSTR subKey, DWORD, LPTSTR, DWORD, REGSAM, LPVOID, PHKEY result,
                    LPDWORD disposition) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    Call call(key);
    std::vector<std::wstring> parts;
    if (call.status == ERROR_SUCCESS) call.status = SplitSubKey(subKey, parts);
    if (call.status != ERROR_SUCCESS) return call.status;
    if (call.key->depth + parts.size() > quorvel::files::kMaxKeyDepth) {
        return ERROR_INVALID_PARAMETER;
    }
    KeyPtr current = call.key;
    KeyPtr firstParent;  // where the first new key was added, for undo
    for (const std::wstring& part : parts) {
        const size_t index = current->ChildIndex(part);
        if (index < current->children.size()) {
            current = current->children[index];
            continue;
        }
        if (!firstParent) firstParent = current;
        current->AddChild(part);
        current = current->children.back();
    }
    if (firstParent) {
        const LONG err = Save(call.s, [&] { firstParent->children.pop_back(); });
        if (err != ERROR_SUCCESS) return err;
    }
    *result = NewHandle(call.s, current);
    if (disposition != nullptr) {
        *disposition = firstParent ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    }
    return ERROR_SUCCESS;
}

LONG RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    Call call(key);
    std::vector<std::wstring> parts;
    if (call.status == ERROR_SUCCESS) call.status = SplitSubKey(subKey, parts);
    if (call.status != ERROR_SUCCESS) return call.status;
    KeyPtr current = call.key;
    for (const std::wstring& part : parts) {
        const size_t index = current->ChildIndex(part);
        if (index >= current->children.size()) return ERROR_FILE_NOT_FOUND;
        current = current->children[index];
    }
    *result = NewHandle(call.s, current);
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, LPCTSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (data != nullptr && size == nullptr) return ERROR_INVALID_PARAMETER;
    Call call(key);
    if (call.status != ERROR_SUCCESS) return call.status;
    const RegValue* value = call.key->FindValue(ValueName(name));
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    if (type != nullptr) *type = value->type;
    const auto needed = static_cast<DWORD>(value->data.size());
    if (data == nullptr) {
        if (size != nullptr) *size = needed;
        return ERROR_SUCCESS;
    }
    const DWORD room = *size;
    *size = needed;
    if (room < needed) return ERROR_MORE_DATA;
    if (needed > 0) std::memcpy(data, value->data.data(), needed);
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, LPCTSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (data == nullptr && size > 0) return ERROR_INVALID_PARAMETER;
    Call call(key);
    if (call.status != ERROR_SUCCESS) return call.status;
    RegValue value{ValueName(name), type, std::vector<BYTE>(data, data + size)};
    const KeyPtr target = call.key;
    if (RegValue* existing = target->FindValue(value.name)) {
        value.name = existing->name;  // the first spelling stays
        std::swap(*existing, value);
        const std::wstring valueName = existing->name;
        return Save(call.s, [&] { *target->FindValue(valueName) = value; });
    }
    target->values.push_back(std::move(value));
    return Save(call.s, [&] { target->values.pop_back(); });
}

LONG RegDeleteValue(HKEY key, LPCTSTR name) {
    Call call(key);
    if (call.status != ERROR_SUCCESS) return call.status;
    auto& values = call.key->values;
    const RegValue* value = call.key->FindValue(ValueName(name));
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    const auto index = value - values.data();
    RegValue removed = std::move(values[index]);
    values.erase(values.begin() + index);
    return Save(call.s, [&] { values.insert(values.begin() + index, std::move(removed)); });
}

LONG RegDeleteKey(HKEY key, LPCTSTR subKey) {
    Call call(key);
    std::vector<std::wstring> parts;
    if (call.status == ERROR_SUCCESS) call.status = SplitSubKey(subKey, parts);
    if (call.status != ERROR_SUCCESS) return call.status;
    if (parts.empty()) return ERROR_INVALID_PARAMETER;
    KeyPtr parent = call.key;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const size_t index = parent->ChildIndex(parts[i]);
        if (index >= parent->children.size()) return ERROR_FILE_NOT_FOUND;
        parent = parent->children[index];
    }
    auto& children = parent->children;
    const size_t index = parent->ChildIndex(parts.back());
    if (index >= children.size()) return ERROR_FILE_NOT_FOUND;
    KeyPtr removed = children[index];
    children.erase(children.begin() + static_cast<std::ptrdiff_t>(index));
    return Save(call.s, [&] {
        children.insert(children.begin() + static_cast<std::ptrdiff_t>(index), removed);
    });
}

LONG RegCloseKey(HKEY key) {
    for (uint32_t i = 0; i < quorvel::files::kRootCount; ++i) {
        if (key == QUORVEL_PREDEFINED_KEY(0x80000000u + i)) return ERROR_SUCCESS;
    }
    RegistryState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.handles.erase(reinterpret_cast<uintptr_t>(key)) == 1 ? ERROR_SUCCESS
                                                                  : ERROR_INVALID_HANDLE;
}

namespace quorvel {

void ResetRegistryForTests() {
    files::ForgetRegistry();
}

namespace files {

void ForgetRegistry() {
    RegistryState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.loaded = false;
    s.roots = RegRoots{};
    s.handles.clear();
}

}  // namespace files
}  // namespace quorvel
