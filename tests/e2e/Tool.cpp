#include "tests/e2e/Tool.h"

#include "tests/e2e/Desktop.h"

namespace e2e {

Tool::Tool() {
    std::wstring path = BuildFolder() + L"\\Zarvell.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process_)) {
        return;
    }
    WaitFor([&] {
        for (HWND window : TopLevelWindows(process_.dwProcessId, nullptr)) {
            if (ClassOf(window) != L"#32770") window_ = window;
        }
        // Shown and given the focus: start-up has ended.
        return window_ && FocusOfThread(process_.dwThreadId) != nullptr;
    });
    // The display takes a moment to follow the new active window and then restates which keys
    // it holds down; a chord typed before that could lose its modifier.
    Pause(300);
}

Tool::~Tool() {
    if (!process_.hProcess) return;
    if (IsRunning()) {
        ::TerminateProcess(process_.hProcess, 1);
        ::WaitForSingleObject(process_.hProcess, 5000);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

HWND Tool::Child(const std::wstring& text) const { return ChildWithText(window_, text); }

HWND Tool::Focus() const { return FocusOfThread(process_.dwThreadId); }

void Tool::Activate() const {
    ::SetForegroundWindow(window_);
    WaitFor([&] { return ::GetForegroundWindow() == window_; }, 3000);
}

bool Tool::IsRunning() const {
    return process_.hProcess && ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Tool::WaitForExit(DWORD milliseconds) const {
    WaitFor([&] { return !IsRunning(); }, milliseconds);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

}  // namespace e2e
