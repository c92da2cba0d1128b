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

namespace sys {

namespace {

constexpr const char* kUser = "user32.dll";

// The program's own double-byte code page: ASCII letters fold, double-byte characters do not.
std::string FoldCase(const char* text) {
    std::string folded = text ? text : "";
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 0x80) {
            ++i;
        } else if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte + 0x20);
        }
    }
    return folded;
}

}  // namespace

Handle CreateToolhelp32Snapshot(Dword, Dword) {
    if (M().Enter(kKernel, "CreateToolhelp32Snapshot")) return -1;
    return M().processes.Snapshot();
}

Bool Process32First(Handle snapshot, ProcessEntry32* entry) {
    if (M().Enter(kKernel, "Process32First", snapshot)) return 0;
    return M().processes.Next(snapshot, entry, true);
}

Bool Process32Next(Handle snapshot, ProcessEntry32* entry) {
    if (M().Enter(kKernel, "Process32Next", snapshot)) return 0;
    return M().processes.Next(snapshot, entry, false);
}

Bool CloseHandle(Handle handle) {
    if (M().Enter(kKernel, "CloseHandle", handle)) {
        M().processes.Close(handle);
        return 0;
    }
    return M().processes.Close(handle);
}

Handle OpenProcess(Dword access, Bool, Dword processId) {
    if (M().Enter(kKernel, "OpenProcess", 0, nullptr, access)) return 0;
    return M().processes.Open(processId);
}

Bool TerminateProcess(Handle process, std::uint32_t exitCode) {
    if (M().Enter(kKernel, "TerminateProcess", process, nullptr, exitCode)) return 0;
    return M().processes.Terminate(process, exitCode);
}

WindowHandle FindWindowA(const char*, const char* windowName) {
    if (M().Enter(kUser, "FindWindowA", 0, windowName)) return 0;
    // Window titles compare without regard to case.
    for (const auto& window : M().processes.windows) {
        if (FoldCase(window.title.c_str()) == FoldCase(windowName)) return window.handle;
    }
    return 0;
}

Dword GetWindowThreadProcessId(WindowHandle window, Dword* processId) {
    if (M().Enter(kUser, "GetWindowThreadProcessId", window)) return 0;
    for (const auto& w : M().processes.windows) {
        if (w.handle != window) continue;
        if (processId) *processId = w.ownerId;
        return w.ownerId + 1;
    }
    return 0;
}

int CompareNamesIgnoringCase(const char* a, const char* b) {
    return FoldCase(a).compare(FoldCase(b));
}

int ShowMessageBox(const char* text, const char* caption, Dword flags) {
    if (M().Enter(kUser, "MessageBoxW", 0, text, flags)) return 0;
    M().boxes.push_back(model::MessageBoxShown{text ? text : "", caption ? caption : "", flags});
    if (M().whileBoxIsUp) M().whileBoxIsUp(M());
    if (M().answers.empty()) return 1;  // IDOK
    const int answer = M().answers.front();
    M().answers.pop_front();
    return answer;
}

std::string ErrorText(Long code) {
    switch (code) {
    case 2: return "系统找不到指定的文件。";
    case 5: return "拒绝访问。";
    default: return "错误 " + std::to_string(code) + "。";
    }
}

}  // namespace sys
