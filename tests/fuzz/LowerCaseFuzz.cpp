// LowerCaseAscii on arbitrary bytes, against a character-by-character reading of the
// double-byte rule: the caller's text stays as it was, and nothing past its zero is read.
#include <cstdint>
#include <string>

#include "policy/BrowserGuard.h"
#include "tests/fuzz/Check.h"

namespace {

// Walks the text as characters: a byte of 0x80 or above takes the next byte with it (unless
// that is the terminating zero); only a one-byte character from A to Z changes.
std::string ReferenceLowerCase(const std::string& text) {
    std::string lowered;
    bool inDoubleByte = false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (inDoubleByte) {
            inDoubleByte = false;
            lowered += c;
        } else if (byte >= 0x80) {
            inDoubleByte = true;
            lowered += c;
        } else {
            lowered += (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : c;
        }
    }
    return lowered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ExactText input(data, size);
    const std::string before = input.text();
    const std::string lowered = LowerCaseAscii(input.get());
    fuzz::Require(lowered == ReferenceLowerCase(before),
                  "only one-byte capitals are lowered; trail bytes stay");
    fuzz::Require(input.text() == before, "the caller's text is left unchanged");
    return 0;
}
