// Writing and deleting values and keys.
#include <cstring>
#include <limits>

#include "registry/KeyPath.h"
#include "registry/RegistryKey.h"
#include "registry/Text.h"
#include "sysapi/Win32Constants.h"

namespace {

bool TakesBytes(std::int32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_BINARY || type == REG_MULTI_SZ;
}

bool TakesInteger(std::int32_t type) {
    return type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN || type == REG_QWORD;
}

int HexDigit(unsigned char byte) {
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'A' && byte <= 'F') return byte - 'A' + 10;
    if (byte >= 'a' && byte <= 'f') return byte - 'a' + 10;
    return -1;
}

}  // namespace

std::int64_t HexToInt64(const char* text) {
    const char* bytes = Text(text);
    std::uint64_t result = 0;
    int places = 0;
    for (std::size_t i = std::strlen(bytes); i > 0 && places < 16; --i) {
        const int digit = HexDigit(static_cast<unsigned char>(bytes[i - 1]));
        if (digit < 0) continue;
        result |= static_cast<std::uint64_t>(digit) << (4 * places);
        ++places;
    }
    return static_cast<std::int64_t>(result);
}

std::int32_t RegistryKey::SetBytesValue(sys::KeyHandle root, const char* path,
                                        const char* valueName, ByteString& data, std::int32_t type,
                                        bool create) {
    if (!TakesBytes(type)) return kRefused;
    if (!Reach(root, path, create)) return LastResult;
    if (data.size() >= std::numeric_limits<sys::Dword>::max()) {
        LastResult = ERROR_INVALID_PARAMETER;  // the registry counts sizes in 32 bits
        return LastResult;
    }
    data.push_back(0);
    LastResult = sys::RegSetValueExA(KeyHandle, valueName, 0, static_cast<sys::Dword>(type),
                                     data.data(), static_cast<sys::Dword>(data.size()));
    return LastResult;
}

std::int32_t RegistryKey::SetIntegerValue(sys::KeyHandle root, const char* path,
                                          const char* valueName, std::int64_t value,
                                          std::int32_t type, bool create) {
    if (!TakesInteger(type)) return kRefused;
    if (!Reach(root, path, create)) return LastResult;
    std::uint8_t image[8];
    const auto bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) image[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    // Both 32-bit types store the low four bytes least significant first, unswapped.
    const sys::Dword size = type == REG_QWORD ? 8 : 4;
    LastResult =
        sys::RegSetValueExA(KeyHandle, valueName, 0, static_cast<sys::Dword>(type), image, size);
    return LastResult;
}

bool RegistryKey::SetQwordFromHex(sys::KeyHandle root, const char* path, const char* valueName,
                                  const char* hex) {
    if (OpenKey(root, path) == kNoKey && CreateKey(root, path) == kNoKey) return false;
    const char* digits = Text(hex);
    ByteString bytes;
    // Two characters per byte from the end; an odd first character makes a byte alone.
    for (std::size_t i = std::strlen(digits); i > 0; i -= (i >= 2 ? 2 : 1)) {
        const std::string piece = i >= 2 ? std::string(digits + i - 2, 2) : std::string(digits, 1);
        bytes.push_back(static_cast<std::uint8_t>(HexToInt64(piece.c_str())));
    }
    PadBytes(bytes, 8);
    LastResult = sys::RegSetValueExA(KeyHandle, valueName, 0, REG_QWORD, bytes.data(), 8);
    return LastResult == ERROR_SUCCESS;
}

void RegistryKey::PadBytes(ByteString& bytes, std::int32_t length) const {
    if (length <= 0 || bytes.size() >= static_cast<std::size_t>(length)) return;
    bytes.resize(static_cast<std::size_t>(length), 0);
}

std::int32_t RegistryKey::DeleteValue(sys::KeyHandle root, const char* path,
                                      const char* valueName) {
    if (!Reach(root, path, false)) return LastResult;
    LastResult = sys::RegDeleteValueA(KeyHandle, valueName);
    return LastResult;
}

std::int32_t RegistryKey::DeleteKey(sys::KeyHandle root, const char* fullPath) {
    const KeyPathSplit split = SplitKeyPath(fullPath);
    if (OpenKey(root, split.parent.c_str()) == kNoKey) return LastResult;
    // An empty name is passed as none, which the registry refuses, rather than as "",
    // which would delete the parent itself.
    LastResult = sys::RegDeleteKeyA(KeyHandle, split.child.empty() ? nullptr : split.child.c_str());
    return LastResult;
}
