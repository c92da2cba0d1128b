// The machine the host build runs on: the in-memory registry, the answers of the process
// functions, and a log of every system call, so a test can stage and observe them.
#pragma once

#include <deque>
#include <functional>
#include <map>
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

struct Process {
    sys::Dword id = 0;
    std::string exeFile;
    bool canOpen = true;  // false: runs under another account
    bool canTerminate = true;
};

struct TopWindow {
    sys::WindowHandle handle = 0;
    std::string title;
    sys::Dword ownerId = 0;  // the process that owns it
};

struct MessageBoxShown {
    std::string text;
    std::string caption;
    sys::Dword flags = 0;
};

// The running processes, their top-level windows, and open kernel handles.
class ProcessTable {
public:
    std::vector<Process> running;
    std::vector<TopWindow> windows;
    std::vector<sys::Dword> terminated;  // ids, in the order they were terminated

    // Adds a running process and returns its id.
    sys::Dword Start(const std::string& exeFile, bool canOpen = true, bool canTerminate = true);
    void AddWindow(const std::string& title, sys::Dword ownerId);
    bool IsRunning(sys::Dword id) const;

    sys::Handle Snapshot();
    sys::Bool Next(sys::Handle snapshot, sys::ProcessEntry32* entry, bool first);
    sys::Handle Open(sys::Dword id);
    sys::Bool Terminate(sys::Handle process, std::uint32_t exitCode);
    sys::Bool Close(sys::Handle handle);
    std::size_t OpenHandleCount() const { return snapshots_.size() + processes_.size(); }

private:
    struct SnapshotState {
        std::vector<Process> entries;
        std::size_t next = 0;
    };
    std::map<sys::Handle, SnapshotState> snapshots_;
    std::map<sys::Handle, sys::Dword> processes_;
    sys::Handle nextHandle_ = 0x1000;
    sys::Dword nextId_ = 100;
};

class Machine {
public:
    RegistryModel registry;
    std::vector<Call> calls;
    // Functions that the running Windows lacks.
    std::set<std::string> missing;
    Wow64Answer wow64 = Wow64Answer::Yes;
    ProcessTable processes;
    // Message boxes: each one shown is recorded and answered with the next scripted answer
    // (IDOK when none is left; 0 stands for a box that could not be shown).
    std::vector<MessageBoxShown> boxes;
    std::deque<int> answers;
    // Runs while a box is up, before it is answered: the world may change meanwhile.
    std::function<void(Machine&)> whileBoxIsUp;
    // Fault injection: the failable call of this ordinal (from 0) fails with failCode.
    long long failAt = -1;
    sys::Long failCode = 5;
    long long failableCalls = 0;
    // Or: the call of this function with this ordinal (from 0) fails with failCode.
    std::string failFunction;
    std::size_t failOccurrence = 0;

    // Records a call; true when it is the one to fail. A missing function ends the program.
    bool Enter(const char* library, const char* function, sys::KeyHandle key = 0,
               const char* text = nullptr, sys::Dword flags = 0);
    std::size_t CountOf(const std::string& function) const;

private:
    std::map<std::string, std::size_t> callsByFunction_;
};

Machine& TheMachine();
// A fresh machine, as after installing Windows.
void Reset();

}  // namespace model
