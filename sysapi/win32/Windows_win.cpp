// Processes, windows, message boxes and error texts: plain Win32 calls.
#include <windows.h>

#include <mbstring.h>

#include "sysapi/SysApi.h"
#include "sysapi/win32/Binding.h"

namespace sys {

namespace {

HANDLE ToHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
HWND ToWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }

constexpr UINT kProgramCodePage = 936;

std::string Narrow(const wchar_t* text) {
    const int length =
        ::WideCharToMultiByte(kProgramCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string narrow(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(kProgramCodePage, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length - 1));
    return narrow;
}

}  // namespace

Handle OpenProcess(Dword access, Bool inheritHandle, Dword processId) {
    return reinterpret_cast<Handle>(::OpenProcess(access, inheritHandle, processId));
}

Bool TerminateProcess(Handle process, std::uint32_t exitCode) {
    return ::TerminateProcess(ToHandle(process), exitCode);
}

WindowHandle FindWindowA(const char* className, const char* windowName) {
    return reinterpret_cast<WindowHandle>(::FindWindowA(className, windowName));
}

Dword GetWindowThreadProcessId(WindowHandle window, Dword* processId) {
    DWORD owner = 0;
    const DWORD thread = ::GetWindowThreadProcessId(ToWindow(window), &owner);
    if (processId) *processId = owner;
    return thread;
}

int CompareNamesIgnoringCase(const char* a, const char* b) {
    return ::_mbsicmp(reinterpret_cast<const unsigned char*>(a),
                      reinterpret_cast<const unsigned char*>(b));
}

int ShowMessageBox(const char* text, const char* caption, Dword flags) {
    return ::MessageBoxW(nullptr, win32::Widen(text).c_str(), win32::Widen(caption).c_str(), flags);
}

std::string ErrorText(Long code) {
    // In the program's own language where the system has it, else in English or its own.
    const WORD languages[] = {MAKELANGID(LANG_CHINESE_SIMPLIFIED, SUBLANG_CHINESE_SIMPLIFIED),
                              MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)};
    for (WORD language : languages) {
        wchar_t* buffer = nullptr;
        const DWORD length =
            ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(code), language,
                             reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        if (length == 0) continue;
        std::string text = Narrow(buffer);
        ::LocalFree(buffer);
        while (!text.empty() &&
               (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
            text.pop_back();
        }
        return text;
    }
    return "错误 " + std::to_string(code);
}

}  // namespace sys
