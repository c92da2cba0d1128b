// What a fuzz target does when a property fails: says which, and stops, so that libFuzzer
// keeps the input as a finding.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

namespace fuzz {

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::cerr << "property failed: " << property << std::endl;
    std::abort();
}

// A fuzz input as a zero-terminated text in a buffer of exactly its own size, so that
// AddressSanitizer stops any read past the terminating zero. Bytes after an inner zero are
// still in the buffer but no part of the text.
class ExactText {
public:
    ExactText(const std::uint8_t* data, std::size_t size)
        : buffer_(std::make_unique<char[]>(size + 1)) {
        if (size > 0) std::memcpy(buffer_.get(), data, size);
    }
    const char* get() const { return buffer_.get(); }
    // The text up to its first zero byte.
    std::string text() const { return buffer_.get(); }

private:
    std::unique_ptr<char[]> buffer_;
};

}  // namespace fuzz
