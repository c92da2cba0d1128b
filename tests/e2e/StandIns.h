// Stand-ins for the programs around the tool: a running Google Chrome, and the web browser
// the system hands addresses to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A process named chrome.exe that runs until it is ended (for a minute at most).
class ChromeStandIn {
public:
    ChromeStandIn();
    ~ChromeStandIn();
    ChromeStandIn(const ChromeStandIn&) = delete;
    ChromeStandIn& operator=(const ChromeStandIn&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    bool IsRunning() const;
    // The exit code once ended within the time, STILL_ACTIVE otherwise.
    DWORD WaitForExit(DWORD milliseconds) const;

private:
    PROCESS_INFORMATION process_ = {};
};

// Registered as the handler of http addresses while it lives; the old handler comes back.
class BrowserStandIn {
public:
    BrowserStandIn();
    ~BrowserStandIn();
    BrowserStandIn(const BrowserStandIn&) = delete;
    BrowserStandIn& operator=(const BrowserStandIn&) = delete;

    bool Registered() const { return registered_; }
    void Forget();
    // Each address the browser was asked to open, in order.
    std::vector<std::wstring> Opened() const;

private:
    bool registered_ = false;
    std::wstring previous_;
};

}  // namespace e2e
