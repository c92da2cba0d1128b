// An in-memory registry that answers as Windows does for what the program relies on: the
// predefined roots, separate 32-bit and 64-bit trees for HKLM\SOFTWARE, volatile keys, the
// access and result codes, and a count of open handles.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sysapi/SysApi.h"

namespace model {

struct RegValue {
    std::string name;
    sys::Dword type = 0;
    std::vector<std::uint8_t> data;
};

struct RegKey {
    std::string name;
    bool isVolatile = false;
    bool deleted = false;
    RegKey* parent = nullptr;
    std::vector<RegValue> values;                  // in creation order
    std::vector<std::shared_ptr<RegKey>> subkeys;  // sorted as Windows lists them
};

class RegistryModel {
public:
    // The user whose hive HKEY_CURRENT_USER maps to, below HKEY_USERS.
    static constexpr const char* kUserSid = "S-1-5-21-1000";

    RegistryModel();

    sys::Long OpenCurrentUser(sys::Dword samDesired, sys::KeyHandle* result);
    sys::Long OpenKey(sys::KeyHandle key, const char* subKey, sys::Dword samDesired,
                      sys::KeyHandle* result);
    sys::Long CreateKey(sys::KeyHandle key, const char* subKey, sys::Dword options,
                        sys::Dword samDesired, sys::KeyHandle* result, sys::Dword* disposition);
    sys::Long CloseKey(sys::KeyHandle key);
    sys::Long SetValue(sys::KeyHandle key, const char* valueName, sys::Dword type,
                       const std::uint8_t* data, sys::Dword size);
    sys::Long DeleteValue(sys::KeyHandle key, const char* valueName);
    sys::Long DeleteKey(sys::KeyHandle key, const char* subKey);
    sys::Long EnumKey(sys::KeyHandle key, sys::Dword index, char* name, sys::Dword nameSize);
    sys::Long EnumValue(sys::KeyHandle key, sys::Dword index, char* name, sys::Dword* nameSize,
                        sys::Dword* type, std::uint8_t* data, sys::Dword* dataSize);
    sys::Long QueryValue(sys::KeyHandle key, const char* valueName, sys::Dword* type,
                         std::uint8_t* data, sys::Dword* dataSize);

    // As for a process without administrator rights: every write below HKLM is refused.
    bool denyMachineWrites = false;

    std::size_t OpenHandleCount() const { return handles_.size(); }
    // The user logs off and on again: every handle goes, and so does every volatile key.
    void Restart();
    // A key by its full name, such as "HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\X"; null when
    // there is none.
    const RegKey* Find(const std::string& fullName) const;

private:
    struct OpenHandle {
        std::shared_ptr<RegKey> key;
        sys::Dword access = 0;
    };
    struct Start {
        sys::Long code = 0;
        std::shared_ptr<RegKey> key;
        sys::Dword access = 0;
    };

    Start Resolve(sys::KeyHandle key) const;
    std::shared_ptr<RegKey> Root(const char* name) const;
    std::shared_ptr<RegKey> Walk(const std::vector<std::string>& names) const;
    std::vector<std::string> NamesFromTop(const RegKey& key) const;
    bool WriteDenied(const RegKey& key) const;
    sys::KeyHandle NewHandle(std::shared_ptr<RegKey> key, sys::Dword access);
    // The full name of subKey below start in the view that samDesired selects.
    sys::Long Target(const RegKey& start, const char* subKey, sys::Dword samDesired,
                     std::vector<std::string>& names) const;

    std::shared_ptr<RegKey> top_;
    std::map<sys::KeyHandle, OpenHandle> handles_;
    // Above 4 GiB where handles are 64-bit, so a handle cut to 32 bits names no key.
    sys::KeyHandle nextHandle_ = sizeof(sys::KeyHandle) > 4
                                     ? static_cast<sys::KeyHandle>(0x100000040LL)
                                     : 0x40;
};

// Name comparisons ignore the case of ASCII letters, never touching a double-byte character.
std::string FoldName(const std::string& name);

}  // namespace model
