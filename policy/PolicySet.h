// The browser policy values that let Flash content run by default in Google Chrome (under
// HKEY_LOCAL_MACHINE) and Chromium (under HKEY_CURRENT_USER), and the keys that hold them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "registry/RegistryKey.h"
#include "sysapi/Win32Constants.h"

struct PolicyValue {
    sys::KeyHandle root;
    const char* keyPath;
    const char* valueName;
    std::int32_t type;  // REG_DWORD: data is hexadecimal text; REG_SZ: data is the text
    const char* data;
};

struct PolicyKey {
    sys::KeyHandle root;
    const char* keyPath;
};

struct PolicySet {
    std::array<PolicyValue, 12> values;  // in the order they are written
    std::array<PolicyKey, 4> keys;       // in the order they are removed, subkeys first
};

inline constexpr const char* kChromiumKey = "SOFTWARE\\Policies\\Chromium";
inline constexpr const char* kChromiumUrls = "SOFTWARE\\Policies\\Chromium\\PluginsAllowedForUrls";
inline constexpr const char* kChromeKey = "SOFTWARE\\Policies\\Google\\Chrome";
inline constexpr const char* kChromeUrls =
    "SOFTWARE\\Policies\\Google\\Chrome\\PluginsAllowedForUrls";

inline constexpr PolicySet kPolicySet = {
    {{
        {HKEY_CURRENT_USER, kChromiumKey, "AllowOutdatedPlugins", REG_DWORD, "00000001"},
        {HKEY_CURRENT_USER, kChromiumKey, "RunAllFlashInAllowMode", REG_DWORD, "00000001"},
        {HKEY_CURRENT_USER, kChromiumKey, "DefaultPluginsSetting", REG_DWORD, "00000001"},
        {HKEY_CURRENT_USER, kChromiumKey, "HardwareAccelerationModeEnabled", REG_DWORD, "00000001"},
        {HKEY_CURRENT_USER, kChromiumUrls, "1", REG_SZ, "https://*"},
        {HKEY_CURRENT_USER, kChromiumUrls, "2", REG_SZ, "http://*"},
        {HKEY_LOCAL_MACHINE, kChromeKey, "AllowOutdatedPlugins", REG_DWORD, "00000001"},
        {HKEY_LOCAL_MACHINE, kChromeKey, "RunAllFlashInAllowMode", REG_DWORD, "00000001"},
        {HKEY_LOCAL_MACHINE, kChromeKey, "DefaultPluginsSetting", REG_DWORD, "00000001"},
        {HKEY_LOCAL_MACHINE, kChromeKey, "HardwareAccelerationModeEnabled", REG_DWORD, "00000001"},
        {HKEY_LOCAL_MACHINE, kChromeUrls, "1", REG_SZ, "https://*"},
        {HKEY_LOCAL_MACHINE, kChromeUrls, "2", REG_SZ, "http://*"},
    }},
    {{
        {HKEY_CURRENT_USER, kChromiumUrls},
        {HKEY_CURRENT_USER, kChromiumKey},
        {HKEY_LOCAL_MACHINE, kChromeUrls},
        {HKEY_LOCAL_MACHINE, kChromeKey},
    }},
};

// One write or delete that did not succeed.
struct PolicyFailure {
    sys::KeyHandle root;
    std::string keyPath;
    std::string valueName;  // empty where the key itself could not be removed
    std::int32_t code;      // the Win32 result code
};
using PolicyFailures = std::vector<PolicyFailure>;

// Writes every value of the set through the caller's key object, each row whatever the rows
// before it gave; answers the rows that failed.
PolicyFailures ApplyPolicySet(RegistryKey& key);

// Deletes the values the set writes, then each policy key that is left with no value and no
// subkey, so that what others keep there survives. Something already absent is no failure.
PolicyFailures RemovePolicySet(RegistryKey& key);

// The 32-bit number spelled by the hexadecimal digits at the start of text; bits shifted out
// at the top are lost.
std::int32_t HexToInt(const char* text);
