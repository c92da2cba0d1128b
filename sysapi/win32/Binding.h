// Binding system functions by library and name at their first call, so the executable's
// import table names none of them.
#pragma once

#include <windows.h>

#include <string>

namespace sys::win32 {

using AnyFunction = void (*)();

// The function's address, or null when it cannot be found and is optional. A required one
// that cannot be found ends the program.
AnyFunction LookUp(const char* library, const char* name, bool required);

// Wide form of a text in the program's own code page, for the system's wide-character calls.
std::wstring Widen(const char* text);

}  // namespace sys::win32

// Declares `bound`, the address of the real `function`, typed from its own declaration so a
// wrong signature cannot compile; looked up once, on the first call.
#define SYS_BIND(library, function) \
    static const auto bound =       \
        reinterpret_cast<decltype(&::function)>(::sys::win32::LookUp(library, #function, true))
