// Lets the system down on purpose, the two ways that end the program: "missing-function" binds
// a function that its library does not export, through the same binding as every bound
// function; "no-memory" asks for more memory than any process gets. Each must end the program
// with the error box and exit code -1; had it come back, the exit code would be 3.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "sysapi/win32/Binding.h"

namespace {

void BindMissingFunction() {
    // user32.dll has no RegOpenCurrentUser: its binding fails just as a missing one would.
    SYS_BIND("user32.dll", RegOpenCurrentUser);
    HKEY key = nullptr;
    bound(KEY_READ, &key);
}

void RunOutOfMemory() {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(bytes.max_size() / 2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    if (std::strcmp(argv[1], "missing-function") == 0) BindMissingFunction();
    if (std::strcmp(argv[1], "no-memory") == 0) RunOutOfMemory();
    return 3;
}
