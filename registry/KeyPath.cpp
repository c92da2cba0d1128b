#include "registry/KeyPath.h"

#include <cstddef>

KeyPathSplit SplitKeyPath(const char* fullPath) {
    const std::string path = fullPath ? fullPath : "";
    std::size_t separator = std::string::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDoubleByteLead(static_cast<unsigned char>(path[i]))) {
            ++i;  // the second byte belongs to the character, whatever it is
        } else if (path[i] == '\\') {
            separator = i;
        }
    }
    if (separator == std::string::npos) return {std::string(), path};
    return {path.substr(0, separator), path.substr(separator + 1)};
}
