// The process functions, answered by the model machine.
#include "sysapi/SysApi.h"
#include "sysapi/model/Machine.h"

namespace sys {

namespace {

constexpr const char* kKernel = "kernel32.dll";

model::Machine& M() { return model::TheMachine(); }

}  // namespace

Bool IsWow64Process(Handle process, Bool* wow64) {
    // Optional, as in the Win32 build: a system without it answers no.
    if (M().wow64 == model::Wow64Answer::Missing) return 0;
    if (M().Enter(kKernel, "IsWow64Process", process)) return 0;
    if (M().wow64 == model::Wow64Answer::Fails) return 0;
    *wow64 = M().wow64 == model::Wow64Answer::Yes ? 1 : 0;
    return 1;
}

Handle GetCurrentProcess() { return -1; }

}  // namespace sys
