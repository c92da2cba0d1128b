// Straight system calls for staging and reading back the registry in tests, independent of
// the key object under test.
#pragma once

#include <string>
#include <vector>

#include "registry/RegistryKey.h"
#include "sysapi/Win32Constants.h"

namespace raw {

struct Value {
    sys::Long code = ERROR_FILE_NOT_FOUND;
    sys::Dword type = REG_NONE;
    ByteString data;
};

constexpr sys::Dword kView64 = KEY_WOW64_64KEY;
constexpr sys::Dword kView32 = KEY_WOW64_32KEY;

Value Read(sys::KeyHandle root, const std::string& path, const char* name,
           sys::Dword view = kView64);
bool Exists(sys::KeyHandle root, const std::string& path, sys::Dword view = kView64);
sys::Long Create(sys::KeyHandle root, const std::string& path,
                 sys::Dword options = REG_OPTION_NON_VOLATILE, sys::Dword view = kView64);
sys::Long Write(sys::KeyHandle root, const std::string& path, const char* name, sys::Dword type,
                const ByteString& data, sys::Dword view = kView64);
std::vector<std::string> Subkeys(sys::KeyHandle root, const std::string& path,
                                 sys::Dword view = kView64);
// Deletes the key with everything below it; a missing key is fine.
void DeleteTree(sys::KeyHandle root, const std::string& path, sys::Dword view = kView64);

ByteString Bytes(const std::string& text);
ByteString Dword(std::uint32_t value);

}  // namespace raw
