// The registry functions, bound at their first call.
#include <windows.h>

#include "sysapi/SysApi.h"
#include "sysapi/win32/Binding.h"

namespace sys {

namespace {

constexpr const char* kAdvapi = "advapi32.dll";

HKEY ToHkey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }
KeyHandle FromHkey(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

}  // namespace

Long RegOpenCurrentUser(Dword samDesired, KeyHandle* result) {
    SYS_BIND(kAdvapi, RegOpenCurrentUser);
    HKEY opened = nullptr;
    const LONG code = bound(samDesired, &opened);
    *result = FromHkey(opened);
    return code;
}

Long RegOpenKeyExA(KeyHandle key, const char* subKey, Dword options, Dword samDesired,
                   KeyHandle* result) {
    SYS_BIND(kAdvapi, RegOpenKeyExA);
    HKEY opened = nullptr;
    const LONG code = bound(ToHkey(key), subKey, options, samDesired, &opened);
    *result = FromHkey(opened);
    return code;
}

Long RegCreateKeyExA(KeyHandle key, const char* subKey, Dword reserved, char* keyClass,
                     Dword options, Dword samDesired, void* security, KeyHandle* result,
                     Dword* disposition) {
    SYS_BIND(kAdvapi, RegCreateKeyExA);
    HKEY created = nullptr;
    DWORD how = 0;
    const LONG code = bound(ToHkey(key), subKey, reserved, keyClass, options, samDesired,
                            static_cast<LPSECURITY_ATTRIBUTES>(security), &created, &how);
    *result = FromHkey(created);
    if (disposition) *disposition = how;
    return code;
}

Long RegCloseKey(KeyHandle key) {
    SYS_BIND(kAdvapi, RegCloseKey);
    return bound(ToHkey(key));
}

Long RegSetValueExA(KeyHandle key, const char* valueName, Dword reserved, Dword type,
                    const std::uint8_t* data, Dword size) {
    SYS_BIND(kAdvapi, RegSetValueExA);
    return bound(ToHkey(key), valueName, reserved, type, data, size);
}

Long RegDeleteValueA(KeyHandle key, const char* valueName) {
    SYS_BIND(kAdvapi, RegDeleteValueA);
    return bound(ToHkey(key), valueName);
}

Long RegDeleteKeyA(KeyHandle key, const char* subKey) {
    SYS_BIND(kAdvapi, RegDeleteKeyA);
    return bound(ToHkey(key), subKey);
}

Long RegEnumKeyA(KeyHandle key, Dword index, char* name, Dword nameSize) {
    SYS_BIND(kAdvapi, RegEnumKeyA);
    return bound(ToHkey(key), index, name, nameSize);
}

Long RegEnumValueA(KeyHandle key, Dword index, char* name, Dword* nameSize, Dword* reserved,
                   Dword* type, std::uint8_t* data, Dword* dataSize) {
    SYS_BIND(kAdvapi, RegEnumValueA);
    DWORD nameLength = nameSize ? *nameSize : 0;
    DWORD valueType = type ? *type : 0;
    DWORD dataLength = dataSize ? *dataSize : 0;
    const LONG code = bound(ToHkey(key), index, name, nameSize ? &nameLength : nullptr,
                            reinterpret_cast<LPDWORD>(reserved), type ? &valueType : nullptr, data,
                            dataSize ? &dataLength : nullptr);
    if (nameSize) *nameSize = nameLength;
    if (type) *type = valueType;
    if (dataSize) *dataSize = dataLength;
    return code;
}

Long RegQueryValueExA(KeyHandle key, const char* valueName, Dword* reserved, Dword* type,
                      std::uint8_t* data, Dword* dataSize) {
    SYS_BIND(kAdvapi, RegQueryValueExA);
    DWORD valueType = type ? *type : 0;
    DWORD dataLength = dataSize ? *dataSize : 0;
    const LONG code = bound(ToHkey(key), valueName, reinterpret_cast<LPDWORD>(reserved),
                            type ? &valueType : nullptr, data, dataSize ? &dataLength : nullptr);
    if (type) *type = valueType;
    if (dataSize) *dataSize = dataLength;
    return code;
}

}  // namespace sys
