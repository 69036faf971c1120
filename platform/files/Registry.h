// The device registry: HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE and HKEY_USERS, kept in the UTF-8 text file
// "<device root>/.registry".
//
// The file is read on the first registry call after the device root is set,
// and replaced atomically after every change, so a kill at any moment leaves
// the previous or the new registry. A file that cannot be read or parsed is
// renamed to ".registry.bad" and an empty registry is used. Key and value
// names are matched ignoring ASCII case and keep the spelling they were
// created with. RegDeleteKey deletes the key with everything under it, as the
// device does; a handle to a deleted key answers ERROR_KEY_DELETED. Keys nest
// at most 512 levels below a root key: RegCreateKeyEx refuses a deeper one
// with ERROR_INVALID_PARAMETER, and a file holding one counts as damaged.
// Every function is safe to call from any thread.
//
// Results are the device's error codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND,
// ERROR_MORE_DATA, ...); a change that could not be saved returns the save's
// error and is undone, so memory and file never disagree. Before a device root
// is set every call fails with ERROR_PATH_NOT_FOUND.
#pragma once

#include "platform/base/WinTypes.h"

#define QUORVEL_PREDEFINED_KEY(v) \
    (reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(v))))
#define HKEY_CLASSES_ROOT QUORVEL_PREDEFINED_KEY(0x80000000u)
#define HKEY_CURRENT_USER QUORVEL_PREDEFINED_KEY(0x80000001u)
#define HKEY_LOCAL_MACHINE QUORVEL_PREDEFINED_KEY(0x80000002u)
#define HKEY_USERS QUORVEL_PREDEFINED_KEY(0x80000003u)

typedef DWORD REGSAM;
typedef HKEY* PHKEY;

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u
#define REG_DWORD_LITTLE_ENDIAN 4u
#define REG_DWORD_BIG_ENDIAN 5u
#define REG_LINK 6u
#define REG_MULTI_SZ 7u

#define REG_OPTION_NON_VOLATILE 0u
#define REG_OPTION_VOLATILE 1u
#define REG_CREATED_NEW_KEY 1u
#define REG_OPENED_EXISTING_KEY 2u

#define KEY_QUERY_VALUE 0x0001u
#define KEY_SET_VALUE 0x0002u
#define KEY_CREATE_SUB_KEY 0x0004u
#define KEY_ENUMERATE_SUB_KEYS 0x0008u
#define KEY_NOTIFY 0x0010u
#define KEY_READ 0x20019u
#define KEY_WRITE 0x20006u
#define KEY_ALL_ACCESS 0xF003Fu

#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif

// Opens the key, creating it and any missing key above it. `disposition`
// (optional) tells REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. Class,
// options, access and security are accepted and ignored.
[[nodiscard]] LONG RegCreateKeyEx(HKEY key, LPCTSTR subKey, DWORD reserved, LPTSTR keyClass,
                                  DWORD options, REGSAM access, LPVOID security, PHKEY result,
                                  LPDWORD disposition);
LONG RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD options, REGSAM access, PHKEY result);
// `size` is in bytes, in and out. A null `data` asks for the size; a buffer
// too small gets ERROR_MORE_DATA with the size needed written. A null or
// empty name is the key's default value.
LONG RegQueryValueEx(HKEY key, LPCTSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                     LPDWORD size);
// Stores `size` bytes as given: a REG_SZ is (length + 1) * sizeof(WCHAR)
// bytes with its terminating zero.
[[nodiscard]] LONG RegSetValueEx(HKEY key, LPCTSTR name, DWORD reserved, DWORD type,
                                 const BYTE* data, DWORD size);
[[nodiscard]] LONG RegDeleteValue(HKEY key, LPCTSTR name);
[[nodiscard]] LONG RegDeleteKey(HKEY key, LPCTSTR subKey);
LONG RegCloseKey(HKEY key);

[[nodiscard]] inline LONG RegCreateKeyExW(HKEY key, LPCTSTR subKey, DWORD reserved, LPTSTR keyClass,
                                          DWORD options, REGSAM access, LPVOID security,
                                          PHKEY result, LPDWORD disposition) {
    return RegCreateKeyEx(key, subKey, reserved, keyClass, options, access, security, result,
                          disposition);
}
inline LONG RegOpenKeyExW(HKEY key, LPCTSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return RegOpenKeyEx(key, subKey, options, access, result);
}
inline LONG RegQueryValueExW(HKEY key, LPCTSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                             LPDWORD size) {
    return RegQueryValueEx(key, name, reserved, type, data, size);
}
[[nodiscard]] inline LONG RegSetValueExW(HKEY key, LPCTSTR name, DWORD reserved, DWORD type,
                                         const BYTE* data, DWORD size) {
    return RegSetValueEx(key, name, reserved, type, data, size);
}
[[nodiscard]] inline LONG RegDeleteValueW(HKEY key, LPCTSTR name) {
    return RegDeleteValue(key, name);
}
[[nodiscard]] inline LONG RegDeleteKeyW(HKEY key, LPCTSTR subKey) {
    return RegDeleteKey(key, subKey);
}

namespace quorvel {

// Drops the registry held in memory and closes every key handle; the next
// call reads the file of the current device root again.
void ResetRegistryForTests();

}  // namespace quorvel
