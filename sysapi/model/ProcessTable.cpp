#include <algorithm>

#include "sysapi/Win32Constants.h"
#include "sysapi/model/Machine.h"

namespace model {

sys::Dword ProcessTable::Start(const std::string& exeFile, bool canOpen, bool canTerminate) {
    const sys::Dword id = nextId_;
    nextId_ += 4;
    running.push_back(Process{id, exeFile, canOpen, canTerminate});
    return id;
}

void ProcessTable::AddWindow(const std::string& title, sys::Dword ownerId) {
    windows.push_back(
        TopWindow{static_cast<sys::WindowHandle>(0x10000 + windows.size() * 2), title, ownerId});
}

bool ProcessTable::IsRunning(sys::Dword id) const {
    return std::any_of(running.begin(), running.end(),
                       [&](const Process& p) { return p.id == id; });
}

sys::Handle ProcessTable::Snapshot() {
    const sys::Handle handle = nextHandle_;
    nextHandle_ += 4;
    snapshots_[handle] = SnapshotState{running, 0};
    return handle;
}

sys::Bool ProcessTable::Next(sys::Handle snapshot, sys::ProcessEntry32* entry, bool first) {
    const auto found = snapshots_.find(snapshot);
    // The entry's size must be the structure's own, as Windows checks.
    if (found == snapshots_.end() || !entry || entry->dwSize != sizeof(sys::ProcessEntry32)) {
        return 0;
    }
    SnapshotState& state = found->second;
    if (first) state.next = 0;
    if (state.next >= state.entries.size()) return 0;
    const Process& process = state.entries[state.next++];
    const sys::Dword size = entry->dwSize;
    *entry = sys::ProcessEntry32{};
    entry->dwSize = size;
    entry->th32ProcessID = process.id;
    entry->cntThreads = 1;
    const std::size_t length = std::min(process.exeFile.size(), sizeof entry->szExeFile - 1);
    std::copy_n(process.exeFile.begin(), length, entry->szExeFile);
    return 1;
}

sys::Handle ProcessTable::Open(sys::Dword id) {
    const auto process =
        std::find_if(running.begin(), running.end(), [&](const Process& p) { return p.id == id; });
    if (process == running.end() || !process->canOpen) return 0;
    const sys::Handle handle = nextHandle_;
    nextHandle_ += 4;
    processes_[handle] = id;
    return handle;
}

sys::Bool ProcessTable::Terminate(sys::Handle process, std::uint32_t) {
    const auto found = processes_.find(process);
    if (found == processes_.end()) return 0;
    const sys::Dword id = found->second;
    const auto target =
        std::find_if(running.begin(), running.end(), [&](const Process& p) { return p.id == id; });
    if (target == running.end() || !target->canTerminate) return 0;
    running.erase(target);
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const TopWindow& w) { return w.ownerId == id; }),
                  windows.end());
    terminated.push_back(id);
    return 1;
}

sys::Bool ProcessTable::Close(sys::Handle handle) {
    return (snapshots_.erase(handle) + processes_.erase(handle)) > 0 ? 1 : 0;
}

}  // namespace model
