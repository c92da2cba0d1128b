#include "sysapi/win32/Binding.h"

#include <new>
#include <string>

#include "sysapi/SysApi.h"

namespace sys {

void EndProgram(const char* text) {
    ::MessageBoxW(nullptr, win32::Widen(text).c_str(), L"错误",
                  MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ::ExitProcess(static_cast<UINT>(-1));
}

namespace win32 {

namespace {

// The program's own texts are Simplified Chinese, whatever the system's ANSI code page.
constexpr UINT kProgramCodePage = 936;

[[noreturn]] void OutOfMemory() { EndProgram("内存不足，程序无法继续运行。"); }

// Memory that cannot be allocated ends the program, as a missing system function does.
const bool kOutOfMemoryHandled = (std::set_new_handler(OutOfMemory), true);

}  // namespace

AnyFunction LookUp(const char* library, const char* name, bool required) {
    // Never freed: the addresses taken from it are kept for the rest of the program's life.
    // cppcheck-suppress resourceLeak
    const HMODULE module = ::LoadLibraryA(library);
    const FARPROC address = module ? ::GetProcAddress(module, name) : nullptr;
    if (!address && required) EndProgram(MissingFunctionText(library, name).c_str());
    return reinterpret_cast<AnyFunction>(address);
}

std::wstring Widen(const char* text) {
    if (!text || !*text) return std::wstring();
    const int length = ::MultiByteToWideChar(kProgramCodePage, 0, text, -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(kProgramCodePage, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

}  // namespace win32
}  // namespace sys
