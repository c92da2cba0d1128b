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


// Ends the program at once with an error box and exit code -1: for a system function that
// cannot be found and for memory that cannot be allocated.
[[noreturn]] void EndProgram(const char* text);
std::string MissingFunctionText(const char* library, const char* function);

}  // namespace sys
