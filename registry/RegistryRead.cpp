// Reading and enumerating keys and values.
#include "registry/RegistryKey.h"
#include "registry/Text.h"
#include "sysapi/Win32Constants.h"

namespace {

// Names of subkeys and values are read into buffers of this size, terminator included.
constexpr sys::Dword kNameBufferSize = 256;
// QueryValue hands back this many data bytes, whatever the value's size.
constexpr sys::Dword kQueryDataSize = 256;

}  // namespace

std::int32_t RegistryKey::EnumSubkeys(sys::KeyHandle root, const char* path,
                                      std::vector<std::string>& names) {
    if (!Reach(root, path, false)) return LastResult;
    names.clear();
    char name[kNameBufferSize];
    sys::Dword index = 0;
    LastResult = sys::RegEnumKeyA(KeyHandle, index, name, kNameBufferSize);
    if (LastResult != ERROR_SUCCESS && LastResult != ERROR_NO_MORE_ITEMS) return LastResult;
    while (LastResult == ERROR_SUCCESS) {
        names.emplace_back(name);
        LastResult = sys::RegEnumKeyA(KeyHandle, ++index, name, kNameBufferSize);
    }
    if (LastResult == ERROR_NO_MORE_ITEMS) LastResult = ERROR_SUCCESS;
    return static_cast<std::int32_t>(names.size());
}

std::int32_t RegistryKey::EnumValues(sys::KeyHandle root, const char* path,
                                     std::vector<ValueEntry>& entries) {
    if (!Reach(root, path, false)) return LastResult;
    entries.clear();
    char name[kNameBufferSize];
    for (sys::Dword index = 0;; ++index) {
        // First learn the data's size, then read it into a buffer of exactly that size.
        sys::Dword nameSize = kNameBufferSize;
        sys::Dword type = 0;
        sys::Dword dataSize = 0;
        sys::RegEnumValueA(KeyHandle, index, name, &nameSize, nullptr, &type, nullptr, &dataSize);
        ByteString data(dataSize, 0);
        nameSize = kNameBufferSize;
        LastResult = sys::RegEnumValueA(KeyHandle, index, name, &nameSize, nullptr, &type,
                                        data.empty() ? nullptr : data.data(), &dataSize);
        if (LastResult != ERROR_SUCCESS) break;
        entries.push_back(ValueEntry{name, std::move(data), static_cast<std::int32_t>(type)});
    }
    if (LastResult == ERROR_NO_MORE_ITEMS) LastResult = ERROR_SUCCESS;
    return static_cast<std::int32_t>(entries.size());
}

std::int32_t RegistryKey::KeyExists(sys::KeyHandle root, const char* path) {
    // Opened for reading only, straight from the root, leaving the object as it was.
    const sys::Dword mask = KEY_READ | (ViewFlag ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
    sys::KeyHandle key = 0;
    if (sys::RegOpenKeyExA(root, Text(path), 0, mask, &key) != ERROR_SUCCESS) return 0;
    sys::RegCloseKey(key);
    return 1;
}

std::int32_t RegistryKey::QueryValue(sys::KeyHandle root, const char* path, const char* valueName,
                                     ValueEntry& entry) {
    if (!Reach(root, path, false)) return LastResult;
    entry.data.assign(kQueryDataSize, 0);
    entry.name = Text(valueName);
    auto type = static_cast<sys::Dword>(entry.type);
    sys::Dword size = kQueryDataSize;
    LastResult =
        sys::RegQueryValueExA(KeyHandle, valueName, nullptr, &type, entry.data.data(), &size);
    entry.type = static_cast<std::int32_t>(type);
    return LastResult;
}

const char* RegistryKey::TypeName(std::int32_t type) const {
    // clang-format off
    static const char* const kNames[] = {
        nullptr,          "REG_SZ",       "REG_EXPAND_SZ",     "REG_BINARY",
        "REG_DWORD",      "REG_DWORD_BIG_ENDIAN", "REG_LINK",  "REG_MULTI_SZ",
        "REG_RESOURCE_LIST", "NULL",      "NULL",              "REG_QWORD",
    };
    // clang-format on
    constexpr std::int32_t kCount = sizeof(kNames) / sizeof(kNames[0]);
    if (type <= 0 || type >= kCount) return "键值非法";
    return kNames[type];
}
