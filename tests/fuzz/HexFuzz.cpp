// HexToInt and HexToInt64 on arbitrary bytes, against a reading of the same text through the
// C library's own hexadecimal conversion.
#include <cstdint>
#include <cstring>
#include <string>

#include "policy/PolicySet.h"
#include "registry/RegistryKey.h"
#include "tests/fuzz/Check.h"

namespace {

constexpr const char* kDigits = "0123456789abcdefABCDEF";

bool IsDigit(char byte) { return byte != '\0' && std::strchr(kDigits, byte) != nullptr; }

// The digits at the start of the text; of more than eight, the last eight (bits shifted out at
// the top are lost).
std::int32_t ReferenceHexToInt(const std::string& text) {
    std::string run = text.substr(0, std::strspn(text.c_str(), kDigits));
    if (run.size() > 8) run = run.substr(run.size() - 8);
    if (run.empty()) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stoul(run, nullptr, 16)));
}

// Every digit anywhere in the text, other bytes dropped; of more than sixteen, the last sixteen.
std::int64_t ReferenceHexToInt64(const std::string& text) {
    std::string digits;
    for (char byte : text) {
        if (IsDigit(byte)) digits += byte;
    }
    if (digits.size() > 16) digits = digits.substr(digits.size() - 16);
    if (digits.empty()) return 0;
    return static_cast<std::int64_t>(std::stoull(digits, nullptr, 16));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ExactText input(data, size);
    const std::string text = input.text();
    fuzz::Require(HexToInt(input.get()) == ReferenceHexToInt(text),
                  "HexToInt reads the leading digits, keeping the last eight");
    fuzz::Require(HexToInt64(input.get()) == ReferenceHexToInt64(text),
                  "HexToInt64 reads every digit, keeping the last sixteen");
    fuzz::Require(HexToInt(nullptr) == 0 && HexToInt64(nullptr) == 0, "an absent text gives 0");
    return 0;
}
