// Construction, the choice of view, the cache, and opening, creating and closing keys.
#include "registry/RegistryKey.h"

#include "registry/Text.h"
#include "sysapi/Win32Constants.h"

namespace {

// HKEY_CURRENT_CONFIG is reached through this key of the local machine.
constexpr const char* kHardwareProfile = "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current";

}  // namespace

sys::Bool ChooseView64(bool processIs64Bit) {
    if (processIs64Bit) return 1;
    sys::Bool wow64 = 0;
    if (!sys::IsWow64Process(sys::GetCurrentProcess(), &wow64)) return 0;
    return wow64 ? 1 : 0;
}

RegistryKey::~RegistryKey() {
    // An owner that forgot Destroy must still not leak the key.
    if (IsOpen) sys::RegCloseKey(KeyHandle);
}

void RegistryKey::Init() {
    CachedPath.clear();
    ViewFlag = ChooseView64(sizeof(void*) == 8);
}

void RegistryKey::Destroy() {
    Close();
    std::string().swap(CachedPath);
}

std::unique_ptr<RegistryKey> RegistryKey::Copy() const {
    auto copy = std::make_unique<RegistryKey>();
    copy->ViewFlag = ViewFlag;
    copy->LastResult = LastResult;
    copy->CachedRoot = -1;
    return copy;
}

void RegistryKey::UseView64() {
    ViewFlag = 1;
    InvalidateCache();
}

void RegistryKey::UseView32() {
    ViewFlag = 0;
    InvalidateCache();
}

std::int32_t RegistryKey::Close() {
    if (!IsOpen) return -1;
    LastResult = sys::RegCloseKey(KeyHandle);
    IsOpen = 0;
    InvalidateCache();
    return LastResult;
}

sys::KeyHandle RegistryKey::OpenKey(sys::KeyHandle root, const char* path) {
    if (CacheNames(root, path)) return KeyHandle;
    return OpenOrCreate(root, path, false);
}

sys::KeyHandle RegistryKey::CreateKey(sys::KeyHandle root, const char* path) {
    if (CacheNames(root, path)) return KeyHandle;
    return OpenOrCreate(root, path, true);
}

std::int32_t RegistryKey::LastError() const { return LastResult; }

bool RegistryKey::CacheNames(sys::KeyHandle root, const char* path) const {
    // An empty cache (root 0 when new, -1 once invalidated) names no key, even for a caller
    // that passes 0 or -1, the result of a failed OpenKey, as its root.
    if (!IsOpen || CachedRoot == kNoKey) return false;
    return root == CachedRoot && CachedPath == Text(path);
}

void RegistryKey::InvalidateCache() {
    CachedRoot = -1;
    CachedPath.clear();
}

sys::Dword RegistryKey::AccessMask(sys::Dword rights) const {
    return rights | (ViewFlag ? KEY_WOW64_64KEY : KEY_WOW64_32KEY);
}

sys::KeyHandle RegistryKey::OpenOrCreate(sys::KeyHandle root, const char* path, bool create) {
    Close();
    const sys::Dword mask = AccessMask(KEY_ALL_ACCESS);

    // The current user's key and the hardware profile are opened on the way, then closed.
    sys::KeyHandle parent = root;
    sys::KeyHandle intermediate = 0;
    bool hasIntermediate = false;
    if (root == HKEY_CURRENT_USER) {
        LastResult = sys::RegOpenCurrentUser(mask, &intermediate);
        hasIntermediate = LastResult == ERROR_SUCCESS;
    } else if (root == HKEY_CURRENT_CONFIG) {
        LastResult =
            sys::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kHardwareProfile, 0, mask, &intermediate);
        hasIntermediate = LastResult == ERROR_SUCCESS;
    } else {
        LastResult = ERROR_SUCCESS;
    }
    if (LastResult != ERROR_SUCCESS) return kNoKey;
    if (hasIntermediate) parent = intermediate;

    if (create) {
        // Keys made below the current user live only until the user's hive is unloaded.
        const sys::Dword options =
            root == HKEY_CURRENT_USER ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE;
        sys::Dword disposition = 0;
        LastResult = sys::RegCreateKeyExA(parent, Text(path), 0, nullptr, options, mask, nullptr,
                                          &KeyHandle, &disposition);
    } else {
        LastResult = sys::RegOpenKeyExA(parent, Text(path), 0, mask, &KeyHandle);
    }
    if (hasIntermediate) sys::RegCloseKey(intermediate);
    if (LastResult != ERROR_SUCCESS) return kNoKey;

    IsOpen = 1;
    CachedRoot = root;
    CachedPath = Text(path);
    return KeyHandle;
}

bool RegistryKey::Reach(sys::KeyHandle root, const char* path, bool create) {
    // A create always goes to the registry, so a key deleted meanwhile is made again.
    if (create) InvalidateCache();
    if (CacheNames(root, path)) return true;
    const sys::KeyHandle key = create ? CreateKey(root, path) : OpenKey(root, path);
    return key != kNoKey;
}
