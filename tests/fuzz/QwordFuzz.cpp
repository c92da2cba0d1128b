// SetQwordFromHex's bytes, read back from the model, against a reading of the text two
// characters at a time from its end; and PadBytes against plain padding.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "registry/RegistryKey.h"
#include "sysapi/Win32Constants.h"
#include "sysapi/model/Machine.h"
#include "tests/fuzz/Check.h"
#include "tests/support/RawRegistry.h"

namespace {

constexpr const char* kPath = "Software\\ZarvellFuzz";

int DigitValue(char c) {
    const std::string digits = "0123456789abcdef";
    const char small = (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c;
    const std::size_t at = digits.find(small);
    return at == std::string::npos || c == '\0' ? -1 : static_cast<int>(at);
}

// One byte per two characters from the end (an odd first character alone); in a piece, the
// digits it has make the byte, a non-digit adds nothing. The first eight bytes are written,
// zero bytes filling up to eight.
ByteString ReferenceQword(const std::string& hex) {
    ByteString bytes;
    std::size_t end = hex.size();
    while (end > 0 && bytes.size() < 8) {
        const std::size_t begin = end >= 2 ? end - 2 : 0;
        int value = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const int digit = DigitValue(hex[i]);
            if (digit >= 0) value = value * 16 + digit;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
        end = begin;
    }
    bytes.resize(8, 0);
    return bytes;
}

void CheckPadBytes(FuzzedDataProvider& input) {
    const auto length = input.ConsumeIntegral<std::int16_t>();  // zero and negative too
    const std::string text = input.ConsumeRandomLengthString(64);
    ByteString bytes(text.begin(), text.end());
    const ByteString before = bytes;
    RegistryKey key;
    key.LastResult = 1234;
    key.PadBytes(bytes, length);
    ByteString expected = before;
    if (length > 0 && static_cast<std::size_t>(length) > expected.size()) {
        expected.insert(expected.end(), static_cast<std::size_t>(length) - expected.size(), 0);
    }
    fuzz::Require(bytes == expected, "PadBytes appends zero bytes up to the length, never cuts");
    fuzz::Require(key.LastResult == 1234 && key.IsOpen == 0 && key.CachedPath.empty(),
                  "PadBytes neither reads nor changes the object");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CheckPadBytes(input);

    const std::string hex = input.ConsumeRemainingBytesAsString();
    const fuzz::ExactText text(reinterpret_cast<const std::uint8_t*>(hex.data()), hex.size());
    model::Reset();
    RegistryKey key;
    key.Init();
    const bool written = key.SetQwordFromHex(HKEY_CURRENT_USER, kPath, "Q", text.get());
    fuzz::Require(written, "the value is written");
    key.Destroy();
    const raw::Value value = raw::Read(HKEY_CURRENT_USER, kPath, "Q");
    fuzz::Require(value.code == ERROR_SUCCESS && value.type == REG_QWORD, "a REG_QWORD is stored");
    fuzz::Require(value.data == ReferenceQword(text.text()),
                  "the bytes come from the text's last sixteen characters, two at a time");
    fuzz::Require(model::TheMachine().registry.OpenHandleCount() == 0, "every handle is closed");
    return 0;
}
