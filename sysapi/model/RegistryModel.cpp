#include "sysapi/model/RegistryModel.h"

#include <algorithm>
#include <cstring>

#include "sysapi/Win32Constants.h"

namespace model {

namespace {

constexpr sys::Dword KEY_CREATE_LINK = 0x0020;
constexpr sys::Dword WRITE_DAC = 0x00040000;
constexpr sys::Dword WRITE_OWNER = 0x00080000;
constexpr sys::Dword GENERIC_ALL = 0x10000000;
constexpr sys::Dword GENERIC_WRITE = 0x40000000;
constexpr sys::Dword kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE |
                                    WRITE_DAC | WRITE_OWNER | GENERIC_ALL | GENERIC_WRITE;
constexpr sys::Dword kAllRights = 0xFFFFFFFF;
constexpr std::size_t kMaxKeyNameChars = 255;
constexpr std::size_t kMaxValueNameChars = 16383;

constexpr const char* kMachine = "HKEY_LOCAL_MACHINE";
constexpr const char* kUsers = "HKEY_USERS";

bool IsLead(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

std::size_t CharCount(const std::string& name) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < name.size(); ++i, ++count) {
        if (IsLead(name[i])) ++i;
    }
    return count;
}

bool IsPredefined(sys::KeyHandle key) {
    return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE ||
           key == HKEY_USERS || key == HKEY_CURRENT_CONFIG;
}

bool SameName(const std::string& a, const std::string& b) { return FoldName(a) == FoldName(b); }

// Splits a relative path at its separators; a leading one is refused as Windows does, and
// empty components (doubled or trailing separators) are dropped.
sys::Long SplitPath(const char* path, std::vector<std::string>& names) {
    const std::string text = path ? path : "";
    if (!text.empty() && text[0] == '\\') return ERROR_BAD_PATHNAME;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLead(text[i]) && i + 1 < text.size()) {
            current += text[i];
            current += text[++i];
        } else if (text[i] == '\\') {
            if (!current.empty()) names.push_back(current);
            current.clear();
        } else {
            current += text[i];
        }
    }
    if (!current.empty()) names.push_back(current);
    for (const auto& name : names) {
        if (CharCount(name) > kMaxKeyNameChars) return ERROR_INVALID_PARAMETER;
    }
    return ERROR_SUCCESS;
}

std::shared_ptr<RegKey> FindChild(const RegKey& key, const std::string& name) {
    for (const auto& child : key.subkeys) {
        if (SameName(child->name, name)) return child;
    }
    return nullptr;
}

std::shared_ptr<RegKey> AddChild(RegKey& key, const std::string& name, bool isVolatile) {
    auto child = std::make_shared<RegKey>();
    child->name = name;
    child->isVolatile = isVolatile;
    child->parent = &key;
    const auto place = std::find_if(key.subkeys.begin(), key.subkeys.end(), [&](const auto& k) {
        return FoldName(k->name) > FoldName(name);
    });
    key.subkeys.insert(place, child);
    return child;
}

std::shared_ptr<RegKey> MakePath(RegKey& top, const std::vector<std::string>& names) {
    RegKey* key = &top;
    std::shared_ptr<RegKey> made;
    for (const auto& name : names) {
        made = FindChild(*key, name);
        if (!made) made = AddChild(*key, name, false);
        key = made.get();
    }
    return made;
}

RegValue* FindValue(RegKey& key, const char* valueName) {
    const std::string name = valueName ? valueName : "";
    for (auto& value : key.values) {
        if (SameName(value.name, name)) return &value;
    }
    return nullptr;
}

void DropVolatile(RegKey& key) {
    auto& subkeys = key.subkeys;
    for (const auto& child : subkeys) {
        if (child->isVolatile) child->deleted = true;
    }
    subkeys.erase(std::remove_if(subkeys.begin(), subkeys.end(),
                                 [](const auto& child) { return child->isVolatile; }),
                  subkeys.end());
    for (const auto& child : subkeys) DropVolatile(*child);
}

}  // namespace

std::string FoldName(const std::string& name) {
    std::string folded = name;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        if (IsLead(folded[i])) {
            ++i;
        } else if (folded[i] >= 'a' && folded[i] <= 'z') {
            folded[i] = static_cast<char>(folded[i] - 'a' + 'A');
        }
    }
    return folded;
}

RegistryModel::RegistryModel() : top_(std::make_shared<RegKey>()) {
    MakePath(*top_, {kMachine, "SOFTWARE", "Classes"});
    MakePath(*top_, {kMachine, "SOFTWARE", "Microsoft", "Windows", "CurrentVersion"});
    MakePath(*top_, {kMachine, "SOFTWARE", "Wow6432Node", "Microsoft"});
    MakePath(*top_, {kMachine, "SYSTEM", "CurrentControlSet", "Hardware Profiles", "Current"});
    MakePath(*top_, {kUsers, ".DEFAULT", "Software"});
    MakePath(*top_, {kUsers, kUserSid, "Software", "Microsoft"});
}

std::shared_ptr<RegKey> RegistryModel::Walk(const std::vector<std::string>& names) const {
    std::shared_ptr<RegKey> key = top_;
    for (const auto& name : names) {
        key = FindChild(*key, name);
        if (!key) return nullptr;
    }
    return key;
}

std::shared_ptr<RegKey> RegistryModel::Root(const char* name) const {
    return FindChild(*top_, name);
}

RegistryModel::Start RegistryModel::Resolve(sys::KeyHandle key) const {
    std::shared_ptr<RegKey> predefined;
    if (key == HKEY_LOCAL_MACHINE) predefined = Root(kMachine);
    if (key == HKEY_USERS) predefined = Root(kUsers);
    if (key == HKEY_CURRENT_USER) predefined = Walk({kUsers, kUserSid});
    if (key == HKEY_CLASSES_ROOT) predefined = Walk({kMachine, "SOFTWARE", "Classes"});
    if (key == HKEY_CURRENT_CONFIG) {
        predefined =
            Walk({kMachine, "SYSTEM", "CurrentControlSet", "Hardware Profiles", "Current"});
    }
    if (predefined) return {ERROR_SUCCESS, predefined, kAllRights};
    const auto open = handles_.find(key);
    if (open == handles_.end()) return {ERROR_INVALID_HANDLE, nullptr, 0};
    if (open->second.key->deleted) return {ERROR_KEY_DELETED, nullptr, 0};
    return {ERROR_SUCCESS, open->second.key, open->second.access};
}

std::vector<std::string> RegistryModel::NamesFromTop(const RegKey& key) const {
    std::vector<std::string> names;
    for (const RegKey* k = &key; k && k != top_.get(); k = k->parent) names.push_back(k->name);
    std::reverse(names.begin(), names.end());
    return names;
}

bool RegistryModel::WriteDenied(const RegKey& key) const {
    if (!denyMachineWrites) return false;
    const auto names = NamesFromTop(key);
    return !names.empty() && names[0] == kMachine;
}

sys::KeyHandle RegistryModel::NewHandle(std::shared_ptr<RegKey> key, sys::Dword access) {
    const sys::KeyHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = OpenHandle{std::move(key), access};
    return handle;
}

sys::Long RegistryModel::Target(const RegKey& start, const char* subKey, sys::Dword samDesired,
                                std::vector<std::string>& names) const {
    if ((samDesired & KEY_WOW64_32KEY) && (samDesired & KEY_WOW64_64KEY)) {
        return ERROR_INVALID_PARAMETER;
    }
    names = NamesFromTop(start);
    const sys::Long code = SplitPath(subKey, names);
    if (code != ERROR_SUCCESS) return code;
    // 32-bit programs see HKLM\SOFTWARE through its Wow6432Node subkey.
    const bool view32 = (samDesired & KEY_WOW64_32KEY) != 0;
    if (view32 && names.size() >= 2 && names[0] == kMachine && SameName(names[1], "SOFTWARE") &&
        (names.size() == 2 ||
         (!SameName(names[2], "Wow6432Node") && !SameName(names[2], "Classes")))) {
        names.insert(names.begin() + 2, "Wow6432Node");
    }
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::OpenCurrentUser(sys::Dword samDesired, sys::KeyHandle* result) {
    return OpenKey(HKEY_CURRENT_USER, "", samDesired, result);
}

sys::Long RegistryModel::OpenKey(sys::KeyHandle key, const char* subKey, sys::Dword samDesired,
                                 sys::KeyHandle* result) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    std::vector<std::string> names;
    const sys::Long code = Target(*start.key, subKey, samDesired, names);
    if (code != ERROR_SUCCESS) return code;
    auto target = Walk(names);
    if (!target) return ERROR_FILE_NOT_FOUND;
    if ((samDesired & kWriteRights) && WriteDenied(*target)) return ERROR_ACCESS_DENIED;
    *result = NewHandle(std::move(target), samDesired);
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::CreateKey(sys::KeyHandle key, const char* subKey, sys::Dword options,
                                   sys::Dword samDesired, sys::KeyHandle* result,
                                   sys::Dword* disposition) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!subKey) return ERROR_INVALID_PARAMETER;
    std::vector<std::string> names;
    const sys::Long code = Target(*start.key, subKey, samDesired, names);
    if (code != ERROR_SUCCESS) return code;

    const bool makeVolatile = (options & REG_OPTION_VOLATILE) != 0;
    std::shared_ptr<RegKey> current = top_;
    bool created = false;
    for (const auto& name : names) {
        auto next = FindChild(*current, name);
        if (!next) {
            // Each missing level is made in turn, as Windows does; a refusal keeps those before.
            if (!(start.access & KEY_CREATE_SUB_KEY) || WriteDenied(*current)) {
                return ERROR_ACCESS_DENIED;
            }
            if (!makeVolatile && current->isVolatile) return ERROR_CHILD_MUST_BE_VOLATILE;
            next = AddChild(*current, name, makeVolatile);
            created = true;
        }
        current = next;
    }
    if ((samDesired & kWriteRights) && WriteDenied(*current)) return ERROR_ACCESS_DENIED;
    *result = NewHandle(current, samDesired);
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::CloseKey(sys::KeyHandle key) {
    if (IsPredefined(key)) return ERROR_SUCCESS;
    return handles_.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

sys::Long RegistryModel::SetValue(sys::KeyHandle key, const char* valueName, sys::Dword type,
                                  const std::uint8_t* data, sys::Dword size) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!(start.access & KEY_SET_VALUE) || WriteDenied(*start.key)) return ERROR_ACCESS_DENIED;
    const std::string name = valueName ? valueName : "";
    if (CharCount(name) > kMaxValueNameChars || (!data && size > 0)) {
        return ERROR_INVALID_PARAMETER;
    }
    std::vector<std::uint8_t> bytes(data, data + (data ? size : 0));
    if (RegValue* value = FindValue(*start.key, valueName)) {
        value->type = type;
        value->data = std::move(bytes);
    } else {
        start.key->values.push_back(RegValue{name, type, std::move(bytes)});
    }
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::DeleteValue(sys::KeyHandle key, const char* valueName) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!(start.access & KEY_SET_VALUE) || WriteDenied(*start.key)) return ERROR_ACCESS_DENIED;
    RegValue* value = FindValue(*start.key, valueName);
    if (!value) return ERROR_FILE_NOT_FOUND;
    auto& values = start.key->values;
    values.erase(values.begin() + (value - values.data()));
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::DeleteKey(sys::KeyHandle key, const char* subKey) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!subKey) return ERROR_INVALID_PARAMETER;
    std::vector<std::string> names;
    const sys::Long code = Target(*start.key, subKey, 0, names);
    if (code != ERROR_SUCCESS) return code;
    const auto target = Walk(names);
    if (!target) return ERROR_FILE_NOT_FOUND;
    // Roots and hives stay; a key with subkeys is refused, as is any write the user may not make.
    if (names.size() <= 2 || !target->subkeys.empty() || WriteDenied(*target)) {
        return ERROR_ACCESS_DENIED;
    }
    auto& siblings = target->parent->subkeys;
    siblings.erase(std::find(siblings.begin(), siblings.end(), target));
    target->deleted = true;
    target->values.clear();
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::EnumKey(sys::KeyHandle key, sys::Dword index, char* name,
                                 sys::Dword nameSize) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!(start.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    if (index >= start.key->subkeys.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& found = start.key->subkeys[index]->name;
    if (!name || found.size() + 1 > nameSize) return ERROR_MORE_DATA;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::EnumValue(sys::KeyHandle key, sys::Dword index, char* name,
                                   sys::Dword* nameSize, sys::Dword* type, std::uint8_t* data,
                                   sys::Dword* dataSize) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!(start.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    if (!name || !nameSize || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
    if (index >= start.key->values.size()) return ERROR_NO_MORE_ITEMS;
    const RegValue& value = start.key->values[index];
    const auto size = static_cast<sys::Dword>(value.data.size());
    if (type) *type = value.type;
    if (value.name.size() + 1 > *nameSize) {
        if (dataSize) *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (data && *dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameSize = static_cast<sys::Dword>(value.name.size());
    if (data && size > 0) std::memcpy(data, value.data.data(), size);
    if (dataSize) *dataSize = size;
    return ERROR_SUCCESS;
}

sys::Long RegistryModel::QueryValue(sys::KeyHandle key, const char* valueName, sys::Dword* type,
                                    std::uint8_t* data, sys::Dword* dataSize) {
    const Start start = Resolve(key);
    if (start.code != ERROR_SUCCESS) return start.code;
    if (!(start.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    const RegValue* value = FindValue(*start.key, valueName);
    if (!value) {
        if (type) *type = REG_NONE;
        return ERROR_FILE_NOT_FOUND;
    }
    const auto size = static_cast<sys::Dword>(value->data.size());
    if (type) *type = value->type;
    if (data && *dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (data && size > 0) std::memcpy(data, value->data.data(), size);
    if (dataSize) *dataSize = size;
    return ERROR_SUCCESS;
}

void RegistryModel::Restart() {
    handles_.clear();
    DropVolatile(*top_);
}

const RegKey* RegistryModel::Find(const std::string& fullName) const {
    std::vector<std::string> names;
    std::string current;
    for (char c : fullName + "\\") {
        if (c == '\\') {
            if (!current.empty()) names.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return Walk(names).get();
}

}  // namespace model
