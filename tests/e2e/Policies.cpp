#include "tests/e2e/Policies.h"

#include <algorithm>

namespace e2e {

const PolicyKey kPolicyKeys[4] = {
    {HKEY_CURRENT_USER, L"SOFTWARE\\Policies\\Chromium"},
    {HKEY_CURRENT_USER, L"SOFTWARE\\Policies\\Chromium\\PluginsAllowedForUrls"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\Google\\Chrome"},
    {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\Google\\Chrome\\PluginsAllowedForUrls"},
};

namespace {

constexpr REGSAM kView = KEY_WOW64_64KEY;

RegistryValue Dword(const wchar_t* name, DWORD value) {
    return {name, REG_DWORD, {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)}};
}

RegistryValue Text(const wchar_t* name, const char* text) {
    std::string bytes(text);
    RegistryValue value{name, REG_SZ, std::vector<BYTE>(bytes.begin(), bytes.end())};
    value.data.push_back(0);  // one terminating zero, no more
    return value;
}

bool IsUrlList(const PolicyKey& key) {
    return std::wstring(key.path).find(L"PluginsAllowedForUrls") != std::wstring::npos;
}

bool Write(const PolicyKey& key, const RegistryValue& value) {
    // Under the current user the tool makes its keys volatile, and a volatile key takes no
    // lasting subkey.
    const DWORD options =
        key.root == HKEY_CURRENT_USER ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE;
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(key.root, key.path, 0, nullptr, options, KEY_WRITE | kView, nullptr,
                          &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    // Text values go through the ANSI call, as the tool writes them.
    const std::string name(value.name.begin(), value.name.end());
    const bool written = ::RegSetValueExA(opened, name.c_str(), 0, value.type, value.data.data(),
                                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
    ::RegCloseKey(opened);
    return written;
}

}  // namespace

std::vector<RegistryValue> PolicyValuesOf(const PolicyKey& key) {
    if (IsUrlList(key)) return {Text(L"1", "https://*"), Text(L"2", "http://*")};
    return {Dword(L"AllowOutdatedPlugins", 1), Dword(L"DefaultPluginsSetting", 1),
            Dword(L"HardwareAccelerationModeEnabled", 1), Dword(L"RunAllFlashInAllowMode", 1)};
}

std::vector<RegistryValue> ValuesOf(const PolicyKey& key) {
    std::vector<RegistryValue> values;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(key.root, key.path, 0, KEY_READ | kView, &opened) != ERROR_SUCCESS) {
        return values;
    }
    // Through the ANSI call, so text values come back as the bytes the tool stored.
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[1024];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (::RegEnumValueA(opened, index, name, &nameLength, nullptr, &type, data, &size) !=
            ERROR_SUCCESS) {
            break;
        }
        values.push_back(
            {std::wstring(name, name + nameLength), type, std::vector<BYTE>(data, data + size)});
    }
    ::RegCloseKey(opened);
    std::sort(values.begin(), values.end(),
              [](const RegistryValue& a, const RegistryValue& b) { return a.name < b.name; });
    return values;
}

bool Exists(const PolicyKey& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(key.root, key.path, 0, KEY_READ | kView, &opened) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(opened);
    return true;
}

bool IsVolatile(const PolicyKey& key) {
    const std::wstring probe = std::wstring(key.path) + L"\\ZarvellLastingProbe";
    HKEY created = nullptr;
    const LSTATUS status =
        ::RegCreateKeyExW(key.root, probe.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | kView, nullptr, &created, nullptr);
    if (status == ERROR_SUCCESS) {
        ::RegCloseKey(created);
        ::RegDeleteKeyExW(key.root, probe.c_str(), kView, 0);
    }
    return status == ERROR_CHILD_MUST_BE_VOLATILE;
}

const RegistryValue kForeignValue = Dword(L"AdministratorsOwnPolicy", 7);

bool StagePolicies() {
    bool written = true;
    for (const PolicyKey& key : kPolicyKeys) {
        for (const RegistryValue& value : PolicyValuesOf(key))
            written = Write(key, value) && written;
    }
    return written;
}

bool AddForeignValue(const PolicyKey& key) { return Write(key, kForeignValue); }

void ClearPolicies() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\Policies\\Chromium");
    HKEY google = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\Google", 0,
                        KEY_ALL_ACCESS | kView, &google) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(google, L"Chrome");
        ::RegCloseKey(google);
    }
}

std::string Describe(const std::vector<RegistryValue>& values) {
    std::string text;
    for (const RegistryValue& value : values) {
        text += std::string(value.name.begin(), value.name.end()) + " type " +
                std::to_string(value.type) + " [";
        for (BYTE b : value.data) text += " " + std::to_string(b);
        text += " ]; ";
    }
    return text.empty() ? "nothing" : text;
}

}  // namespace e2e
