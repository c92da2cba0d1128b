// Splitting a key's full path into its parent path and its own name.
#pragma once

#include <string>

// In the program's double-byte code page every byte of 0x80 or above opens a two-byte
// character, whose second byte may look like an ASCII letter or a backslash.
constexpr bool IsDoubleByteLead(unsigned char byte) { return byte >= 0x80; }

struct KeyPathSplit {
    std::string parent;  // up to the last separator; empty for a key right below the root
    std::string child;   // after it; empty when the path ends in a separator
};

// The last backslash that is a separator, not the second byte of a double-byte character.
KeyPathSplit SplitKeyPath(const char* fullPath);
