// The system functions the program calls, in a form free of windows.h.
// Built against the real Win32 functions (sysapi/win32) or the in-memory model (sysapi/model);
// nothing above this seam knows which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sys {

using Long = std::int32_t;
using Dword = std::uint32_t;
using Bool = std::int32_t;
// Handles are pointer-sized, as in the build's own HKEY and HANDLE: never truncated.
using KeyHandle = std::intptr_t;
using Handle = std::intptr_t;
using WindowHandle = std::intptr_t;

// The ANSI PROCESSENTRY32, laid out as the build's own (296 bytes in 32-bit, 304 in 64-bit).
struct ProcessEntry32 {
    Dword dwSize;
    Dword cntUsage;
    Dword th32ProcessID;
    std::uintptr_t th32DefaultHeapID;
    Dword th32ModuleID;
    Dword cntThreads;
    Dword th32ParentProcessID;
    std::int32_t pcPriClassBase;
    Dword dwFlags;
    char szExeFile[260];
};

// Registry (advapi32), bound at first call in the Win32 build.
Long RegOpenCurrentUser(Dword samDesired, KeyHandle* result);
Long RegOpenKeyExA(KeyHandle key, const char* subKey, Dword options, Dword samDesired,
                   KeyHandle* result);
Long RegCreateKeyExA(KeyHandle key, const char* subKey, Dword reserved, char* keyClass,
                     Dword options, Dword samDesired, void* security, KeyHandle* result,
                     Dword* disposition);
Long RegCloseKey(KeyHandle key);
Long RegSetValueExA(KeyHandle key, const char* valueName, Dword reserved, Dword type,
                    const std::uint8_t* data, Dword size);
Long RegDeleteValueA(KeyHandle key, const char* valueName);
Long RegDeleteKeyA(KeyHandle key, const char* subKey);
Long RegEnumKeyA(KeyHandle key, Dword index, char* name, Dword nameSize);
Long RegEnumValueA(KeyHandle key, Dword index, char* name, Dword* nameSize, Dword* reserved,
                   Dword* type, std::uint8_t* data, Dword* dataSize);
Long RegQueryValueExA(KeyHandle key, const char* valueName, Dword* reserved, Dword* type,
                      std::uint8_t* data, Dword* dataSize);

// Processes (kernel32). IsWow64Process answers 0 where the system lacks it.
Handle CreateToolhelp32Snapshot(Dword flags, Dword processId);
Bool Process32First(Handle snapshot, ProcessEntry32* entry);
Bool Process32Next(Handle snapshot, ProcessEntry32* entry);
Bool CloseHandle(Handle handle);
Bool IsWow64Process(Handle process, Bool* wow64);
Handle GetCurrentProcess();

// Processes and windows, called directly: only the functions above are bound at run time.
Handle OpenProcess(Dword access, Bool inheritHandle, Dword processId);
Bool TerminateProcess(Handle process, std::uint32_t exitCode);
WindowHandle FindWindowA(const char* className, const char* windowName);
Dword GetWindowThreadProcessId(WindowHandle window, Dword* processId);
// Compares two names ignoring case by the rules of the current multibyte code page; 0 if equal.
int CompareNamesIgnoringCase(const char* a, const char* b);

// A message box without owner window, answering IDOK, IDCANCEL and so on, or 0 when it cannot
// be shown. Texts are in the program's own code page and shown through the wide-character API,
// so they read the same whatever the system's ANSI code page.
int ShowMessageBox(const char* text, const char* caption, Dword flags);
// The system's description of a Win32 error code, in the program's own code page.
std::string ErrorText(Long code);

// Ends the program at once with an error box and exit code -1: for a system function that
// cannot be found and for memory that cannot be allocated.
[[noreturn]] void EndProgram(const char* text);
std::string MissingFunctionText(const char* library, const char* function);

}  // namespace sys
