// The browser policy keys, read, staged and cleared with the test's own registry calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct PolicyKey {
    HKEY root;
    const wchar_t* path;
};
// Each browser's policy key and its URL list below it.
extern const PolicyKey kPolicyKeys[4];

struct RegistryValue {
    std::wstring name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RegistryValue& other) const {
        return name == other.name && type == other.type && data == other.data;
    }
};

// The values the key holds, sorted by name; empty when the key is missing.
std::vector<RegistryValue> ValuesOf(const PolicyKey& key);
bool Exists(const PolicyKey& key);
// Whether the key would refuse a lasting subkey, as a volatile key does.
bool IsVolatile(const PolicyKey& key);
// The values the enable action writes into the key, sorted by name.
std::vector<RegistryValue> PolicyValuesOf(const PolicyKey& key);
// Writes the whole set as the enable action would; false if a write failed.
bool StagePolicies();
// A value of an administrator's own in the key, which removing the set must leave alone.
extern const RegistryValue kForeignValue;
bool AddForeignValue(const PolicyKey& key);
void ClearPolicies();

std::string Describe(const std::vector<RegistryValue>& values);

}  // namespace e2e
