#include "tests/e2e/Tool.h"

#include "tests/e2e/Desktop.h"

namespace e2e {

Tool::Tool() : process_(StartProgram(L"Zarvell.exe")) {
    if (!process_.hProcess) return;
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

Tool::~Tool() { EndProgram(process_); }

HWND Tool::Child(const std::wstring& text) const { return ChildWithText(window_, text); }

HWND Tool::Focus() const { return FocusOfThread(process_.dwThreadId); }

void Tool::Activate() const {
    ::SetForegroundWindow(window_);
    WaitFor([&] { return ::GetForegroundWindow() == window_; }, 3000);
}

bool Tool::IsRunning() const { return e2e::IsRunning(process_); }

DWORD Tool::WaitForExit(DWORD milliseconds) const {
    return e2e::WaitForExit(process_, milliseconds);
}

}  // namespace e2e
