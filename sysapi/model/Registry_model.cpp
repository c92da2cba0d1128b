// The registry functions, answered by the in-memory registry.
#include "sysapi/SysApi.h"
#include "sysapi/model/Machine.h"

namespace sys {

namespace {

constexpr const char* kAdvapi = "advapi32.dll";

model::Machine& M() { return model::TheMachine(); }

}  // namespace

Long RegOpenCurrentUser(Dword samDesired, KeyHandle* result) {
    if (M().Enter(kAdvapi, "RegOpenCurrentUser", 0, nullptr, samDesired)) return M().failCode;
    return M().registry.OpenCurrentUser(samDesired, result);
}

Long RegOpenKeyExA(KeyHandle key, const char* subKey, Dword, Dword samDesired, KeyHandle* result) {
    if (M().Enter(kAdvapi, "RegOpenKeyExA", key, subKey, samDesired)) return M().failCode;
    return M().registry.OpenKey(key, subKey, samDesired, result);
}

Long RegCreateKeyExA(KeyHandle key, const char* subKey, Dword, char*, Dword options,
                     Dword samDesired, void*, KeyHandle* result, Dword* disposition) {
    if (M().Enter(kAdvapi, "RegCreateKeyExA", key, subKey, options)) return M().failCode;
    return M().registry.CreateKey(key, subKey, options, samDesired, result, disposition);
}

Long RegCloseKey(KeyHandle key) {
    if (M().Enter(kAdvapi, "RegCloseKey", key)) {
        M().registry.CloseKey(key);  // a failed close still lets the handle go
        return M().failCode;
    }
    return M().registry.CloseKey(key);
}

Long RegSetValueExA(KeyHandle key, const char* valueName, Dword, Dword type,
                    const std::uint8_t* data, Dword size) {
    if (M().Enter(kAdvapi, "RegSetValueExA", key, valueName, type)) return M().failCode;
    return M().registry.SetValue(key, valueName, type, data, size);
}

Long RegDeleteValueA(KeyHandle key, const char* valueName) {
    if (M().Enter(kAdvapi, "RegDeleteValueA", key, valueName)) return M().failCode;
    return M().registry.DeleteValue(key, valueName);
}

Long RegDeleteKeyA(KeyHandle key, const char* subKey) {
    if (M().Enter(kAdvapi, "RegDeleteKeyA", key, subKey)) return M().failCode;
    return M().registry.DeleteKey(key, subKey);
}

Long RegEnumKeyA(KeyHandle key, Dword index, char* name, Dword nameSize) {
    if (M().Enter(kAdvapi, "RegEnumKeyA", key, nullptr, index)) return M().failCode;
    return M().registry.EnumKey(key, index, name, nameSize);
}

Long RegEnumValueA(KeyHandle key, Dword index, char* name, Dword* nameSize, Dword*, Dword* type,
                   std::uint8_t* data, Dword* dataSize) {
    if (M().Enter(kAdvapi, "RegEnumValueA", key, nullptr, index)) return M().failCode;
    return M().registry.EnumValue(key, index, name, nameSize, type, data, dataSize);
}

Long RegQueryValueExA(KeyHandle key, const char* valueName, Dword*, Dword* type, std::uint8_t* data,
                      Dword* dataSize) {
    if (M().Enter(kAdvapi, "RegQueryValueExA", key, valueName)) return M().failCode;
    return M().registry.QueryValue(key, valueName, type, data, dataSize);
}

}  // namespace sys
