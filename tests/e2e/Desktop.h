// What a person at the desktop does and sees: windows found by class and text, the mouse and
// the keyboard, message boxes, and the pixels on the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The folder of this test program; the tool and the stand-ins were built beside it.
std::wstring BuildFolder();

// Polls until the condition holds or the time is up, handling this thread's own messages.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 10000);
// Gives the desktop time to show anything that would wrongly happen.
void Pause(DWORD milliseconds = 600);

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
RECT ScreenRect(HWND window);
// The window's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND window);
POINT CentreOf(HWND window);

std::vector<HWND> ChildrenOf(HWND parent);
HWND ChildWithText(HWND parent, const std::wstring& text);
// Visible top-level windows of a process with the given class ("#32770": message boxes).
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className);
HWND FocusOfThread(DWORD threadId);

// A program of the build folder started as a child; an empty PROCESS_INFORMATION if it failed.
PROCESS_INFORMATION StartProgram(const std::wstring& name);
bool IsRunning(const PROCESS_INFORMATION& process);
// The exit code once the process has ended, STILL_ACTIVE if it runs on.
DWORD WaitForExit(const PROCESS_INFORMATION& process, DWORD milliseconds);
// Ends the process if it still runs and closes its handles.
void EndProgram(PROCESS_INFORMATION& process);

// The mouse, moved and pressed as a person would.
void MoveMouse(POINT screen);
void Click(POINT screen, int count = 1, bool right = false);
// A key with modifiers held around it (VK_SHIFT, VK_CONTROL, VK_MENU).
void PressKey(WORD key, const std::vector<WORD>& held = {});
// The centre of a window's title-bar close button; x is -1 when it has none.
POINT CloseButtonOf(HWND window);

// A message box: its text, caption and buttons.
struct Box {
    HWND window = nullptr;
    std::wstring text;
    std::wstring caption;
    bool hasOk = false;
    bool hasCancel = false;
};
// The one message box of the process, waited for; an empty Box when none comes.
Box WaitForBox(DWORD processId, DWORD milliseconds = 10000);
void ClickBoxButton(const Box& box, int buttonId);
bool WaitUntilGone(HWND window, DWORD milliseconds = 10000);

// The screen's pixels inside a rectangle, 0x00RRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const {
        // Worked out in size_t, wide enough for any picture's index.
        const auto row = static_cast<std::size_t>(y), column = static_cast<std::size_t>(x);
        return pixels[row * static_cast<std::size_t>(width) + column];
    }
};
Picture CaptureScreen(const RECT& area);
bool SaveBitmap(const Picture& picture, const std::wstring& path);

// A test case's description as a test name: its letters and digits.
std::string TestName(const char* description);

}  // namespace e2e
