// A general-purpose registry key object: holds at most one open key at a time, chooses the
// registry view, and opens, creates, reads, enumerates, writes and deletes keys and values.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sysapi/SysApi.h"

// A counted run of bytes; empty and absent are the same.
using ByteString = std::vector<std::uint8_t>;

// One registry value as handed to a caller.
struct ValueEntry {
    std::string name;
    ByteString data;
    std::int32_t type = 0;
};

// Operations return the Win32 code of their last registry call (also kept in LastResult);
// -1 stands for a key that cannot be opened or created, a refused value type, or a Close
// with nothing open. Texts may be null, which reads as the empty text.
class RegistryKey {
public:
    static constexpr sys::KeyHandle kNoKey = -1;
    static constexpr std::int32_t kRefused = -1;

    RegistryKey() = default;
    virtual ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Chooses the registry view; run once after construction.
    void Init();

    virtual void Destroy();
    // The copy starts Closed, so the one open handle is only ever closed by its owner.
    virtual std::unique_ptr<RegistryKey> Copy() const;
    virtual void UseView64();
    virtual void UseView32();
    virtual std::int32_t Close();
    virtual sys::KeyHandle OpenKey(sys::KeyHandle root, const char* path);
    virtual sys::KeyHandle CreateKey(sys::KeyHandle root, const char* path);
    virtual std::int32_t EnumSubkeys(sys::KeyHandle root, const char* path,
                                     std::vector<std::string>& names);
    virtual std::int32_t LastError() const;
    virtual std::int32_t EnumValues(sys::KeyHandle root, const char* path,
                                    std::vector<ValueEntry>& entries);
    virtual std::int32_t KeyExists(sys::KeyHandle root, const char* path);
    virtual std::int32_t QueryValue(sys::KeyHandle root, const char* path, const char* valueName,
                                    ValueEntry& entry);
    virtual std::int32_t SetBytesValue(sys::KeyHandle root, const char* path, const char* valueName,
                                       ByteString& data, std::int32_t type, bool create);
    virtual std::int32_t SetIntegerValue(sys::KeyHandle root, const char* path,
                                         const char* valueName, std::int64_t value,
                                         std::int32_t type, bool create);
    virtual bool SetQwordFromHex(sys::KeyHandle root, const char* path, const char* valueName,
                                 const char* hex);
    virtual void PadBytes(ByteString& bytes, std::int32_t length) const;
    virtual std::int32_t DeleteValue(sys::KeyHandle root, const char* path, const char* valueName);
    virtual std::int32_t DeleteKey(sys::KeyHandle root, const char* fullPath);
    virtual const char* TypeName(std::int32_t type) const;

    // Nonzero: the 64-bit registry view; zero: the 32-bit one.
    sys::Bool ViewFlag = 0;
    std::int32_t LastResult = 0;
    // Meaningful only while IsOpen is set.
    sys::KeyHandle KeyHandle = 0;
    sys::Bool IsOpen = 0;
    // The cache: where the open key was opened; -1 and empty when it names nothing.
    sys::KeyHandle CachedRoot = 0;
    std::string CachedPath;

private:
    bool CacheNames(sys::KeyHandle root, const char* path) const;
    void InvalidateCache();
    sys::Dword AccessMask(sys::Dword rights) const;
    sys::KeyHandle OpenOrCreate(sys::KeyHandle root, const char* path, bool create);
    // Makes the key of (root, path) the open one, through the cache; false when it cannot.
    bool Reach(sys::KeyHandle root, const char* path, bool create);
};

// Nonzero for the 64-bit view. A 64-bit process sits on a 64-bit Windows; a 32-bit one asks
// whether it runs under WOW64, and a system without that question is a 32-bit one.
sys::Bool ChooseView64(bool processIs64Bit);

// The 64-bit number spelled by the last 16 hexadecimal digits of text; other bytes are skipped.
std::int64_t HexToInt64(const char* text);
