// A copy of Zarvell.exe started for a test, with its main window; ended afterwards if the
// test left it running.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The texts the window must show, whatever the system's code page.
inline const std::wstring kCaption = L"Zarvell v1.0 Quenlo";
inline const std::wstring kIntroduction =
    L"本工具可以一键开启/关闭Google Chrome默认拒绝flash的功能，"
    L"将有flash动画的网站在Google Chrome默认允许运行。\r\n\r\n";
inline const std::wstring kWarning =
    L"注意：因为flash存在安全漏洞，某些网站可能通过\r\nflash传播病毒，开启前请三思。";
inline const std::wstring kEnable = L"一键开启";
inline const std::wstring kDisable = L"一键关闭";
inline const std::wstring kForumAddress = L"www.quenlo.com";
inline const std::wstring kCredit =
    L"软件由Ombrisk制作，欢迎访问Quenlo论坛" + kForumAddress + L"，单击访问";

class Tool {
public:
    Tool();  // starts the tool and waits for its window; window() is null when none came
    ~Tool();
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    HWND window() const { return window_; }
    DWORD processId() const { return process_.dwProcessId; }
    DWORD threadId() const { return process_.dwThreadId; }
    HWND Child(const std::wstring& text) const;
    HWND Focus() const;
    // Brings the window to the front, as a click on it would.
    void Activate() const;
    bool IsRunning() const;
    // The exit code once the process has ended, STILL_ACTIVE while it runs.
    DWORD WaitForExit(DWORD milliseconds = 10000) const;

private:
    PROCESS_INFORMATION process_ = {};
    HWND window_ = nullptr;
};

}  // namespace e2e
