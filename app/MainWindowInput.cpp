// Input to the window, looked at in the message loop before it is dispatched.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/ForumPage.h"
#include "app/MainWindow.h"

namespace {

bool IsHeld(int key) { return ::GetKeyState(key) < 0; }

unsigned HeldModifiers() {
    return (IsHeld(VK_CONTROL) ? kPressCtrl : 0u) | (IsHeld(VK_SHIFT) ? kPressShift : 0u) |
           (IsHeld(VK_MENU) ? kPressAlt : 0u);
}

}  // namespace

bool MainWindow::HandleBeforeDispatch(const MSG& message) {
    if (!window_ || (message.hwnd != window_ && !::IsChild(window_, message.hwnd))) return false;
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
        return HandleKey(message);
    }
    // The label's own processing follows; a double click's second press is a WM_LBUTTONDBLCLK
    // and opens nothing.
    if (message.message == WM_LBUTTONDOWN && message.hwnd == Control(标签3)) {
        OpenForumPage(LOWORD(message.lParam), HIWORD(message.lParam), HeldModifiers());
    }
    return false;
}

bool MainWindow::HandleKey(const MSG& message) {
    const unsigned modifiers = HeldModifiers();
    switch (message.wParam) {
    case VK_ESCAPE:
        if (modifiers != 0) return false;
        ::SendMessageW(window_, WM_CLOSE, 0, 0);
        return true;
    case VK_TAB:
        if (modifiers & (kPressCtrl | kPressAlt)) return false;
        MoveFocus((modifiers & kPressShift) != 0);
        return true;
    case VK_RETURN:  // no default button
    case VK_F1:      // no help
        return true;
    default: return false;  // Space reaches the focused button, which clicks
    }
}

void MainWindow::MoveFocus(bool backwards) {
    std::vector<HWND> order;
    for (const ControlDefinition& control : Controls()) {
        const HWND child = Control(control.id);
        if ((::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) && ::IsWindowVisible(child) &&
            ::IsWindowEnabled(child)) {
            order.push_back(child);
        }
    }
    if (order.empty()) return;
    // After the last comes the first again; from outside the order, Tab starts at the first.
    const auto current = std::find(order.begin(), order.end(), ::GetFocus());
    std::size_t next = backwards ? order.size() - 1 : 0;
    if (current != order.end()) {
        const auto at = static_cast<std::size_t>(current - order.begin());
        next = (at + (backwards ? order.size() - 1 : 1)) % order.size();
    }
    ::SetFocus(order[next]);
}
