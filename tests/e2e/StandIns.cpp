#include "tests/e2e/StandIns.h"

#include "tests/e2e/Desktop.h"

namespace e2e {

namespace {

constexpr wchar_t kHandlerKey[] = L"Software\\Classes\\http\\shell\\open\\command";

std::wstring StandInFolder() { return BuildFolder() + L"\\e2e"; }
std::wstring OpenedLog() { return StandInFolder() + L"\\opened.txt"; }

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          length);
    return wide;
}

}  // namespace

ChromeStandIn::ChromeStandIn() : process_(StartProgram(L"chrome.exe")) {}

ChromeStandIn::~ChromeStandIn() { EndProgram(process_); }

bool ChromeStandIn::IsRunning() const { return e2e::IsRunning(process_); }

DWORD ChromeStandIn::WaitForExit(DWORD milliseconds) const {
    return e2e::WaitForExit(process_, milliseconds);
}

BrowserStandIn::BrowserStandIn() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kHandlerKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    wchar_t old[1024] = {};
    DWORD size = sizeof old - sizeof(wchar_t);
    if (::RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
        ERROR_SUCCESS) {
        previous_ = old;
    }
    const std::wstring command = L"\"" + StandInFolder() + L"\\browser.exe\" \"%1\"";
    registered_ = ::RegSetValueExW(
                      key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ::RegCloseKey(key);
}

BrowserStandIn::~BrowserStandIn() {
    if (!registered_) return;
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kHandlerKey, nullptr, REG_SZ, previous_.c_str(),
                      static_cast<DWORD>((previous_.size() + 1) * sizeof(wchar_t)));
}

void BrowserStandIn::Forget() { ::DeleteFileW(OpenedLog().c_str()); }

std::vector<std::wstring> BrowserStandIn::Opened() const {
    std::vector<std::wstring> lines;
    const HANDLE log =
        ::CreateFileW(OpenedLog().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return lines;
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(log, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    ::CloseHandle(log);
    std::size_t start = 0;
    std::size_t end = text.find('\n');
    while (end != std::string::npos) {
        lines.push_back(FromUtf8(text.substr(start, end - start)));
        start = end + 1;
        end = text.find('\n', start);
    }
    return lines;
}

}  // namespace e2e
