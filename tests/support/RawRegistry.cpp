#include "tests/support/RawRegistry.h"

namespace raw {

namespace {

// One open key, closed when the scope ends.
class Open {
public:
    Open(sys::KeyHandle root, const std::string& path, sys::Dword access) {
        code = sys::RegOpenKeyExA(root, path.c_str(), 0, access, &key);
    }
    ~Open() {
        if (code == ERROR_SUCCESS) sys::RegCloseKey(key);
    }
    Open(const Open&) = delete;
    Open& operator=(const Open&) = delete;
    sys::Long code;
    sys::KeyHandle key = 0;
};

}  // namespace

Value Read(sys::KeyHandle root, const std::string& path, const char* name, sys::Dword view) {
    Value value;
    Open open(root, path, KEY_READ | view);
    if ((value.code = open.code) != ERROR_SUCCESS) return value;
    sys::Dword size = 0;
    value.code = sys::RegQueryValueExA(open.key, name, nullptr, &value.type, nullptr, &size);
    if (value.code != ERROR_SUCCESS) return value;
    value.data.resize(size);
    value.code = sys::RegQueryValueExA(open.key, name, nullptr, &value.type,
                                       value.data.empty() ? nullptr : value.data.data(), &size);
    value.data.resize(size);
    return value;
}

bool Exists(sys::KeyHandle root, const std::string& path, sys::Dword view) {
    return Open(root, path, KEY_READ | view).code == ERROR_SUCCESS;
}

sys::Long Create(sys::KeyHandle root, const std::string& path, sys::Dword options,
                 sys::Dword view) {
    sys::KeyHandle key = 0;
    const sys::Long code = sys::RegCreateKeyExA(root, path.c_str(), 0, nullptr, options,
                                                KEY_ALL_ACCESS | view, nullptr, &key, nullptr);
    if (code == ERROR_SUCCESS) sys::RegCloseKey(key);
    return code;
}

sys::Long Write(sys::KeyHandle root, const std::string& path, const char* name, sys::Dword type,
                const ByteString& data, sys::Dword view) {
    Open open(root, path, KEY_SET_VALUE | view);
    if (open.code != ERROR_SUCCESS) return open.code;
    return sys::RegSetValueExA(open.key, name, 0, type, data.empty() ? nullptr : data.data(),
                               static_cast<sys::Dword>(data.size()));
}

std::vector<std::string> Subkeys(sys::KeyHandle root, const std::string& path, sys::Dword view) {
    std::vector<std::string> names;
    Open open(root, path, KEY_READ | view);
    if (open.code != ERROR_SUCCESS) return names;
    char name[256];
    for (sys::Dword i = 0; sys::RegEnumKeyA(open.key, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        names.emplace_back(name);
    }
    return names;
}

void DeleteTree(sys::KeyHandle root, const std::string& path, sys::Dword view) {
    for (const auto& child : Subkeys(root, path, view)) {
        std::string childPath = path;
        childPath += '\\';
        childPath += child;
        DeleteTree(root, childPath, view);
    }
    const auto split = path.rfind('\\');
    const std::string parent = split == std::string::npos ? "" : path.substr(0, split);
    const std::string name = split == std::string::npos ? path : path.substr(split + 1);
    Open open(root, parent, KEY_ALL_ACCESS | view);
    if (open.code == ERROR_SUCCESS) sys::RegDeleteKeyA(open.key, name.c_str());
}

ByteString Bytes(const std::string& text) { return ByteString(text.begin(), text.end()); }

ByteString Dword(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

}  // namespace raw
