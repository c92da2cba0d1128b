#include "tests/e2e/Desktop.h"

#include <cctype>

namespace e2e {

std::wstring BuildFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L"\\/"));
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        ::Sleep(20);
    }
}

void Pause(DWORD milliseconds) {
    WaitFor([] { return false; }, milliseconds);
}

std::wstring TextOf(HWND window) {
    // WM_GETTEXT crosses processes, which GetWindowText of another's control does not.
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 5000, &length);
    return std::wstring(text, length);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

RECT ScreenRect(HWND window) {
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT PlaceInParent(HWND window) {
    RECT rect = ScreenRect(window);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT CentreOf(HWND window) {
    const RECT rect = ScreenRect(window);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
    for (HWND child : ChildrenOf(parent)) {
        if (TextOf(child) == text) return child;
    }
    return nullptr;
}

std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className) {
    struct Search {
        DWORD processId;
        const wchar_t* className;
        std::vector<HWND> found;
    } search{processId, className, {}};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && ::IsWindowVisible(window) &&
                (!s->className || ClassOf(window) == s->className)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FocusOfThread(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

PROCESS_INFORMATION StartProgram(const std::wstring& name) {
    const std::wstring path = BuildFolder() + L"\\" + name;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return {};
    }
    return process;
}

bool IsRunning(const PROCESS_INFORMATION& process) {
    return process.hProcess && ::WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD WaitForExit(const PROCESS_INFORMATION& process, DWORD milliseconds) {
    WaitFor([&] { return !IsRunning(process); }, milliseconds);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process.hProcess, &code);
    return code;
}

void EndProgram(PROCESS_INFORMATION& process) {
    if (!process.hProcess) return;
    if (IsRunning(process)) {
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, 5000);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    process = {};
}

namespace {

void Send(INPUT input) { ::SendInput(1, &input, sizeof input); }

// SendInput takes INPUT, Win32's union of mouse, keyboard and hardware events: the one event a
// call describes can only be set through its member of the union.
// NOLINTBEGIN(cppcoreguidelines-pro-type-union-access)

// Every mouse event carries its own place, so a press lands where it is aimed even if the
// display reports an older pointer position meanwhile.
INPUT MouseInput(DWORD flags, POINT screen) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // Absolute coordinates run from 0 to 65535 across the screen.
    input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    return input;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// NOLINTEND(cppcoreguidelines-pro-type-union-access)

}  // namespace

void MoveMouse(POINT screen) {
    // Arrive from a pixel away: a pointer that does not move leaves the system thinking it is
    // over whatever window was there before, such as the box that has just gone.
    Send(MouseInput(0, POINT{screen.x + 1, screen.y + 1}));
    Send(MouseInput(0, screen));
    WaitFor(
        [&] {
            POINT at = {};
            ::GetCursorPos(&at);
            return at.x == screen.x && at.y == screen.y;
        },
        2000);
}

void Click(POINT screen, int count, bool right) {
    MoveMouse(screen);
    for (int i = 0; i < count; ++i) {
        Send(MouseInput(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, screen));
        Send(MouseInput(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, screen));
    }
}

void PressKey(WORD key, const std::vector<WORD>& held) {
    // The whole chord in one call: the display may report its own idea of the modifiers at any
    // moment, and must not come between a modifier and the key it changes.
    std::vector<INPUT> chord;
    chord.reserve(2 * held.size() + 2);  // each modifier down and up, and the key
    for (WORD modifier : held) chord.push_back(KeyInput(modifier, false));
    chord.push_back(KeyInput(key, false));
    chord.push_back(KeyInput(key, true));
    for (auto it = held.rbegin(); it != held.rend(); ++it) chord.push_back(KeyInput(*it, true));
    ::SendInput(static_cast<UINT>(chord.size()), chord.data(), sizeof(INPUT));
}

POINT CloseButtonOf(HWND window) {
    // Found by asking the window what lies where, as the system does for the mouse.
    const RECT outer = ScreenRect(window);
    for (int y = outer.top; y < outer.top + 40; ++y) {
        for (int x = outer.right - 1; x > outer.right - 80; --x) {
            if (::SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
                return POINT{x - 6, y + 6};
            }
        }
    }
    return POINT{-1, -1};
}

Box WaitForBox(DWORD processId, DWORD milliseconds) {
    Box box;
    WaitFor(
        [&] {
            const std::vector<HWND> boxes = TopLevelWindows(processId, L"#32770");
            box.window = boxes.empty() ? nullptr : boxes.front();
            return box.window != nullptr;
        },
        milliseconds);
    if (!box.window) return box;
    // A click reaches the box only once the display has mapped it where it stays: wait until it
    // is the active window and has stopped moving, as a person would see it come to rest.
    RECT last = ScreenRect(box.window);
    WaitFor(
        [&] {
            const RECT now = ScreenRect(box.window);
            const bool resting = ::EqualRect(&now, &last) != FALSE;
            last = now;
            return resting && ::GetForegroundWindow() == box.window;
        },
        2000);
    // And past the double-click time, so a press where the last box's button stood is a click.
    Pause(::GetDoubleClickTime() + 100);
    box.caption = TextOf(box.window);
    for (HWND child : ChildrenOf(box.window)) {
        if (ClassOf(child) == L"Static" && !TextOf(child).empty()) box.text = TextOf(child);
    }
    const HWND ok = ::GetDlgItem(box.window, IDOK);
    const HWND cancel = ::GetDlgItem(box.window, IDCANCEL);
    box.hasOk = ok && ::IsWindowVisible(ok);
    box.hasCancel = cancel && ::IsWindowVisible(cancel);
    return box;
}

void ClickBoxButton(const Box& box, int buttonId) {
    Click(CentreOf(::GetDlgItem(box.window, buttonId)));
}

bool WaitUntilGone(HWND window, DWORD milliseconds) {
    return WaitFor([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, milliseconds);
}

Picture CaptureScreen(const RECT& area) {
    Picture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                          static_cast<std::size_t>(picture.height));

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = source[i] & 0xFFFFFF;
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return picture;
}

bool SaveBitmap(const Picture& picture, const std::wstring& path) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = -picture.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD pixelBytes = static_cast<DWORD>(picture.pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;

    const HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = ::WriteFile(out, &file, sizeof file, &written, nullptr) &&
              ::WriteFile(out, &header, sizeof header, &written, nullptr) &&
              ::WriteFile(out, picture.pixels.data(), pixelBytes, &written, nullptr);
    ::CloseHandle(out);
    return ok;
}

std::string TestName(const char* description) {
    std::string name;
    for (const char* p = description; *p; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
    }
    return name;
}

}  // namespace e2e
