// DeleteKey's split of a full path into parent path and child name, on arbitrary bytes:
// SplitKeyPath against a reading of the path as characters, then DeleteKey itself on the
// model, which must open exactly that parent and delete exactly that child.
#include <cstdint>
#include <string>
#include <vector>

#include "registry/KeyPath.h"
#include "registry/RegistryKey.h"
#include "sysapi/Win32Constants.h"
#include "sysapi/model/Machine.h"
#include "tests/fuzz/Check.h"

namespace {

// The path cut into characters: a byte of 0x80 or above and the byte after it are one
// character, so a trail byte of 0x5C is never a separator.
std::vector<std::string> Characters(const std::string& path) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < path.size();) {
        const std::size_t length =
            static_cast<unsigned char>(path[i]) >= 0x80 && i + 1 < path.size() ? 2 : 1;
        characters.push_back(path.substr(i, length));
        i += length;
    }
    return characters;
}

KeyPathSplit ReferenceSplit(const std::string& path) {
    const std::vector<std::string> characters = Characters(path);
    std::size_t last = characters.size();  // none yet
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i] == "\\") last = i;
    }
    KeyPathSplit split;
    if (last == characters.size()) {
        split.child = path;
        return split;
    }
    for (std::size_t i = 0; i < last; ++i) split.parent += characters[i];
    for (std::size_t i = last + 1; i < characters.size(); ++i) split.child += characters[i];
    return split;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ExactText input(data, size);
    const std::string path = input.text();
    const KeyPathSplit split = SplitKeyPath(input.get());
    const KeyPathSplit expected = ReferenceSplit(path);
    fuzz::Require(split.parent == expected.parent, "the parent ends before the last separator");
    fuzz::Require(split.child == expected.child, "the child follows the last separator");

    model::Reset();
    model::Machine& machine = model::TheMachine();
    RegistryKey key;
    key.Init();
    const std::int32_t result = key.DeleteKey(HKEY_LOCAL_MACHINE, input.get());
    fuzz::Require(input.text() == path, "the caller's path is left unchanged");
    fuzz::Require(!machine.calls.empty() && machine.calls.front().function == "RegOpenKeyExA" &&
                      machine.calls.front().text == expected.parent,
                  "DeleteKey opens the parent");
    if (key.IsOpen) {
        fuzz::Require(key.CachedPath == expected.parent, "the parent stays open and cached");
        fuzz::Require(machine.calls.back().function == "RegDeleteKeyA" &&
                          machine.calls.back().text == expected.child,
                      "DeleteKey deletes the child by its name");
        // An empty child goes as no name, which the registry refuses, never as "", which
        // would name the parent itself.
        if (expected.child.empty()) fuzz::Require(result != ERROR_SUCCESS, "no empty child");
    } else {
        fuzz::Require(machine.CountOf("RegDeleteKeyA") == 0, "no delete without the parent");
    }
    key.Destroy();
    fuzz::Require(machine.registry.OpenHandleCount() == 0, "every handle is closed");
    return 0;
}
