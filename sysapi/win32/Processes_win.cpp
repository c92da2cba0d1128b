// The process functions: the Toolhelp walk and the WOW64 question bound at their first call.
// windows.h first, in a block of its own: tlhelp32.h builds on its types.
#include <windows.h>

#include <tlhelp32.h>

#include <cstddef>
#include <cstring>

#include "sysapi/SysApi.h"
#include "sysapi/win32/Binding.h"

namespace sys {

static_assert(sizeof(ProcessEntry32) == sizeof(PROCESSENTRY32), "entry size follows the build");
static_assert(offsetof(ProcessEntry32, th32ProcessID) == offsetof(PROCESSENTRY32, th32ProcessID));
static_assert(offsetof(ProcessEntry32, szExeFile) == offsetof(PROCESSENTRY32, szExeFile));
#ifndef _WIN64
static_assert(sizeof(PROCESSENTRY32) == 296, "the 32-bit entry is 296 bytes");
#endif

namespace {

constexpr const char* kKernel = "kernel32.dll";

HANDLE ToHandle(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

using Walk = BOOL(WINAPI*)(HANDLE, LPPROCESSENTRY32);

Bool WalkStep(Walk step, Handle snapshot, ProcessEntry32* entry) {
    PROCESSENTRY32 real;
    std::memcpy(&real, entry, sizeof real);
    const BOOL found = step(ToHandle(snapshot), &real);
    std::memcpy(entry, &real, sizeof real);
    return found;
}

}  // namespace

Handle CreateToolhelp32Snapshot(Dword flags, Dword processId) {
    SYS_BIND(kKernel, CreateToolhelp32Snapshot);
    return reinterpret_cast<Handle>(bound(flags, processId));
}

Bool Process32First(Handle snapshot, ProcessEntry32* entry) {
    SYS_BIND(kKernel, Process32First);
    return WalkStep(bound, snapshot, entry);
}

Bool Process32Next(Handle snapshot, ProcessEntry32* entry) {
    SYS_BIND(kKernel, Process32Next);
    return WalkStep(bound, snapshot, entry);
}

Bool CloseHandle(Handle handle) {
    SYS_BIND(kKernel, CloseHandle);
    return bound(ToHandle(handle));
}

Bool IsWow64Process(Handle process, Bool* wow64) {
    // Optional: a Windows without it is a 32-bit one, where the answer is no.
    static const auto bound = reinterpret_cast<decltype(&::IsWow64Process)>(
        win32::LookUp(kKernel, "IsWow64Process", false));
    if (!bound) return 0;
    BOOL answer = FALSE;
    const BOOL ok = bound(ToHandle(process), &answer);
    if (ok) *wow64 = answer;
    return ok;
}

Handle GetCurrentProcess() { return reinterpret_cast<Handle>(::GetCurrentProcess()); }

}  // namespace sys
