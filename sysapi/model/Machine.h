// The machine the host build runs on: the in-memory registry, the answers of the process
// functions, and a log of every system call, so a test can stage and observe them.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "sysapi/SysApi.h"
#include "sysapi/model/RegistryModel.h"

namespace model {

struct Call {
    std::string function;
    sys::KeyHandle key = 0;
    std::string text;      // the subkey or value name, where the call has one
    sys::Dword flags = 0;  // the access mask, the options or the value type
};

// Thrown where the real program would end at once (a missing function, no memory).
struct ProgramEnded {
    int exitCode;
    std::string message;
};

enum class Wow64Answer { Missing, Fails, No, Yes };

class Machine {
public:
    RegistryModel registry;
    std::vector<Call> calls;
    // Functions that the running Windows lacks.
    std::set<std::string> missing;
    Wow64Answer wow64 = Wow64Answer::Yes;
    // Fault injection: the failable call of this ordinal (from 0) fails with failCode.
    long long failAt = -1;
    sys::Long failCode = 5;
    long long failableCalls = 0;

    // Records a call; true when it is the one to fail. A missing function ends the program.
    bool Enter(const char* library, const char* function, sys::KeyHandle key = 0,
               const char* text = nullptr, sys::Dword flags = 0);
    std::size_t CountOf(const std::string& function) const;
};

Machine& TheMachine();
// A fresh machine, as after installing Windows.
void Reset();

}  // namespace model
