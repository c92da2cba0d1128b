#include "policy/BrowserGuard.h"

#include <cstring>

#include "policy/MessageBox.h"
#include "registry/KeyPath.h"
#include "sysapi/Win32Constants.h"

namespace {

constexpr const char* kBrowser = "chrome.exe";

// A Toolhelp snapshot, closed when the walk ends however it ends.
class Snapshot {
public:
    explicit Snapshot(sys::Dword flags) : handle_(sys::CreateToolhelp32Snapshot(flags, 0)) {}
    ~Snapshot() {
        if (valid()) sys::CloseHandle(handle_);
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != 0; }
    bool First(sys::ProcessEntry32& entry) const {
        entry.dwSize = sizeof entry;
        return sys::Process32First(handle_, &entry) != 0;
    }
    bool Next(sys::ProcessEntry32& entry) const { return sys::Process32Next(handle_, &entry) != 0; }

private:
    sys::Handle handle_;
};

// The executable name up to its zero, never past the field.
std::string ExeName(const sys::ProcessEntry32& entry) {
    return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile));
}

bool SameName(const std::string& exeName, const char* name) {
    return sys::CompareNamesIgnoringCase(exeName.c_str(), name) == 0;
}

// The process to terminate, or 0: a window's owner only when it bears the name itself, so a
// window of another program that happens to carry the title is never a reason to kill it.
sys::Dword ProcessToTerminate(const char* name) {
    sys::Dword windowOwner = 0;
    if (const sys::WindowHandle window = sys::FindWindowA(nullptr, name)) {
        sys::GetWindowThreadProcessId(window, &windowOwner);
    }
    Snapshot snapshot(TH32CS_SNAPPROCESS);
    if (!snapshot.valid()) return 0;
    sys::ProcessEntry32 entry{};
    sys::Dword firstMatch = 0;
    for (bool more = snapshot.First(entry); more; more = snapshot.Next(entry)) {
        if (!SameName(ExeName(entry), name)) continue;
        if (windowOwner != 0 && entry.th32ProcessID == windowOwner) return windowOwner;
        if (firstMatch == 0) firstMatch = entry.th32ProcessID;
        if (windowOwner == 0) break;
    }
    return firstMatch;
}

}  // namespace

std::string LowerCaseAscii(const char* text) {
    std::string lowered = text ? text : "";
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        const auto byte = static_cast<unsigned char>(lowered[i]);
        if (IsDoubleByteLead(byte)) {
            ++i;  // the trail byte stays as it is, even where it looks like a capital
        } else if (byte >= 'A' && byte <= 'Z') {
            lowered[i] = static_cast<char>(byte + 0x20);
        }
    }
    return lowered;
}

std::int32_t IsProcessRunning(const char* name, std::int32_t caseSensitive) {
    Snapshot snapshot(TH32CS_SNAPALL);
    if (!snapshot.valid()) return 0;
    const std::string wanted = caseSensitive ? std::string(name ? name : "") : LowerCaseAscii(name);
    sys::ProcessEntry32 entry{};
    for (bool more = snapshot.First(entry); more; more = snapshot.Next(entry)) {
        const std::string exeName = ExeName(entry);
        if ((caseSensitive ? exeName : LowerCaseAscii(exeName.c_str())) == wanted) return 1;
    }
    return 0;
}

sys::Bool TerminateProcessByName(const char* name) {
    if (!name || !*name) return 0;
    const sys::Dword processId = ProcessToTerminate(name);
    if (processId == 0) return 0;
    const sys::Handle process = sys::OpenProcess(PROCESS_TERMINATE, 0, processId);
    if (!process) return 0;
    const sys::Bool terminated = sys::TerminateProcess(process, 0);
    sys::CloseHandle(process);
    return terminated;
}

GuardAnswer BrowserGuard() {
    if (IsProcessRunning(kBrowser, 0) != 1) return GuardAnswer::Proceed;
    const int answer =
        ShowMessage("检测到Google Chrome正在运行，是否关闭，否则无法执行下一步，是否关闭？", "提示",
                    MB_OKCANCEL | MB_ICONQUESTION);
    if (answer == kAnswerCancel) return GuardAnswer::Cancelled;
    TerminateProcessByName(kBrowser);
    return GuardAnswer::Proceed;
}
