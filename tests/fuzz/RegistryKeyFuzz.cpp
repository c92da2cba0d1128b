// A random run of RegistryKey operations on random roots and paths against the model, with
// failures injected here and there. After each step: the cache names a key only while one is
// open; the model holds open exactly the handles the object holds; a step that opened nothing
// used the key its cache named. After Destroy, nothing is left open.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "registry/KeyPath.h"
#include "registry/RegistryKey.h"
#include "registry/Text.h"
#include "sysapi/Win32Constants.h"
#include "sysapi/model/Machine.h"
#include "tests/fuzz/Check.h"

namespace {

model::Machine& M() { return model::TheMachine(); }

// Path components worth meeting: case variants, the 32-bit view's own subkey, double-byte
// characters (one with a backslash as its second byte), a name longer than the registry takes.
const std::array<std::string, 14> kComponents = {
    "SOFTWARE", "Software", "software", "Wow6432Node", "Classes", "Policies", "A",
    "a",        "B",        "\x81\x5C", "\xD7\xD6",    "",        "Volatile", std::string(300, 'x'),
};

sys::KeyHandle Root(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 9)) {
    case 0: return HKEY_CLASSES_ROOT;
    case 1: return HKEY_CURRENT_USER;
    case 2: return HKEY_LOCAL_MACHINE;
    case 3: return HKEY_USERS;
    case 4: return HKEY_CURRENT_CONFIG;
    case 5: return 0;
    case 6: return -1;  // the value an invalidated cache holds
    default: return input.ConsumeIntegral<std::int32_t>();
    }
}

std::string Path(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return input.ConsumeRandomLengthString(24);
    std::string path;
    const int count = input.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count; ++i) {
        if (i > 0 || input.ConsumeBool()) path += '\\';
        path += kComponents[input.ConsumeIntegralInRange<std::size_t>(0, kComponents.size() - 1)];
    }
    return path;
}

struct Before {
    sys::Bool isOpen;
    sys::KeyHandle handle;
    sys::KeyHandle cachedRoot;
    std::string cachedPath;
    std::size_t calls;
};

bool OpensAKey(const std::string& function) {
    return function == "RegOpenKeyExA" || function == "RegCreateKeyExA" ||
           function == "RegOpenCurrentUser";
}

bool UsesTheHeldKey(const std::string& function) {
    return function == "RegSetValueExA" || function == "RegDeleteValueA" ||
           function == "RegDeleteKeyA" || function == "RegEnumKeyA" ||
           function == "RegEnumValueA" || function == "RegQueryValueExA";
}

void CheckStep(const RegistryKey& key, const Before& before, sys::KeyHandle root,
               const std::string& path) {
    const bool cacheNamesNothing = key.CachedRoot == -1 && key.CachedPath.empty();
    const bool fresh = key.CachedRoot == 0 && key.CachedPath.empty();
    fuzz::Require(key.IsOpen || cacheNamesNothing || fresh, "a cache only with a key open");
    fuzz::Require(M().registry.OpenHandleCount() == (key.IsOpen ? 1u : 0u),
                  "the model holds open exactly the key the object holds");

    bool opened = false;
    bool used = false;
    for (std::size_t i = before.calls; i < M().calls.size(); ++i) {
        const model::Call& call = M().calls[i];
        opened = opened || OpensAKey(call.function);
        if (!UsesTheHeldKey(call.function)) continue;
        used = true;
        fuzz::Require(key.IsOpen && call.key == key.KeyHandle,
                      "the registry is only handed the key the object holds open");
    }
    if (used && !opened) {
        // Served from the cache: it must have named this very root and path, and a key.
        fuzz::Require(before.isOpen && before.handle == key.KeyHandle,
                      "a cache hit uses the open key");
        fuzz::Require(
            before.cachedRoot == root && before.cachedPath == path && before.cachedRoot != -1,
            "a cache hit names the same root and path, never the invalidated cache");
    }
}

// With ZARVELL_FUZZ_TRACE set, each step is printed, to read a finding's run step by step.
void Trace(int operation, sys::KeyHandle root, const char* path, const RegistryKey& key) {
    static const bool tracing = std::getenv("ZARVELL_FUZZ_TRACE") != nullptr;
    if (!tracing) return;
    std::cerr << "operation " << operation << " root " << root << " path \"" << Text(path) << '"'
              << (path ? "" : " (absent)") << " -> open " << key.IsOpen << " handle "
              << key.KeyHandle << " cache " << key.CachedRoot << " \"" << key.CachedPath << "\"\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    model::Reset();
    auto key = std::make_unique<RegistryKey>();
    key->Init();

    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        // Now and then one of the next few system calls fails.
        if (input.ConsumeIntegralInRange(0, 7) == 0) {
            M().failAt = M().failableCalls + input.ConsumeIntegralInRange(0, 3);
            M().failCode = input.ConsumeBool() ? ERROR_ACCESS_DENIED : ERROR_NOT_ENOUGH_MEMORY;
        }
        const sys::KeyHandle root = Root(input);
        const std::string path = Path(input);
        const char* pathArgument = path.empty() && input.ConsumeBool() ? nullptr : path.c_str();
        const std::string name = input.ConsumeRandomLengthString(8);
        const Before before{key->IsOpen, key->KeyHandle, key->CachedRoot, key->CachedPath,
                            M().calls.size()};
        std::vector<std::string> names;
        std::vector<ValueEntry> entries;
        ValueEntry entry;
        ByteString bytes(name.begin(), name.end());

        const int operation = input.ConsumeIntegralInRange(0, 16);
        switch (operation) {
        case 0: key->OpenKey(root, pathArgument); break;
        case 1: key->CreateKey(root, pathArgument); break;
        case 2: key->Close(); break;
        case 3: key->UseView64(); break;
        case 4: key->UseView32(); break;
        case 5:
            key->SetBytesValue(root, pathArgument, name.c_str(), bytes,
                               input.ConsumeIntegralInRange(0, 12), input.ConsumeBool());
            break;
        case 6:
            key->SetIntegerValue(root, pathArgument, name.c_str(),
                                 input.ConsumeIntegral<std::int64_t>(),
                                 input.ConsumeIntegralInRange(0, 12), input.ConsumeBool());
            break;
        case 7: key->SetQwordFromHex(root, pathArgument, name.c_str(), name.c_str()); break;
        case 8: key->DeleteValue(root, pathArgument, name.c_str()); break;
        case 9: key->DeleteKey(root, pathArgument); break;
        case 10: key->EnumSubkeys(root, pathArgument, names); break;
        case 11: key->EnumValues(root, pathArgument, entries); break;
        case 12: key->KeyExists(root, pathArgument); break;
        case 13: key->QueryValue(root, pathArgument, name.c_str(), entry); break;
        case 14: {
            // A copy starts Closed, so only the original ever closes the one handle.
            std::unique_ptr<RegistryKey> copy = key->Copy();
            fuzz::Require(!copy->IsOpen, "a copy holds no key");
            copy->Destroy();
            break;
        }
        case 15: key->PadBytes(bytes, input.ConsumeIntegralInRange(-8, 300)); break;
        default:
            fuzz::Require(key->TypeName(input.ConsumeIntegral<std::int32_t>()) != nullptr,
                          "every type has a name");
            break;
        }
        M().failAt = -1;
        Trace(operation, root, pathArgument, *key);
        // DeleteKey names its key by a full path and reaches the key's parent.
        CheckStep(*key, before, root,
                  operation == 9 ? SplitKeyPath(pathArgument).parent : Text(pathArgument));
    }

    key->Destroy();
    fuzz::Require(M().registry.OpenHandleCount() == 0, "Destroy closes every handle");
    key.reset();
    fuzz::Require(M().registry.OpenHandleCount() == 0, "and release closes none twice");
    return 0;
}
