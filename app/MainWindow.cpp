#include "app/MainWindow.h"

#include "app/Painting.h"
#include "app/TextLabel.h"
#include "policy/Actions.h"
#include "sysapi/win32/Binding.h"

namespace {

constexpr wchar_t kClassName[] = L"ZarvellMainWindow";
constexpr char kCaption[] = "Zarvell v1.0 Quenlo";
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle =
    BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_TABSTOP | WS_CHILD | WS_CLIPSIBLINGS;
constexpr wchar_t kIconName[] = L"DEFAULT_ICON";

HFONT GuiFont() { return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)); }

OwnedIcon LoadAppIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return OwnedIcon(static_cast<HICON>(
        ::LoadImageW(instance, kIconName, IMAGE_ICON, ::GetSystemMetrics(widthMetric),
                     ::GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR)));
}

}  // namespace

bool MainWindow::Create(HINSTANCE instance) {
    if (!RegisterSelfPaintingClass(instance, kClassName, Procedure) ||
        !text_label::Register(instance)) {
        return false;
    }

    // Centred on the primary screen; the division drops the fraction toward zero.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    if (!::CreateWindowExW(0, kClassName, sys::win32::Widen(kCaption).c_str(), kStyle, left, top,
                           kWidth, kHeight, nullptr, nullptr, instance, this)) {
        return false;
    }
    RECT outer;
    ::GetWindowRect(window_, &outer);
    if (outer.right - outer.left != kWidth || outer.bottom - outer.top != kHeight) {
        ::SetWindowPos(window_, nullptr, left, top, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    GiveIcons(instance);
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    return CreateControls(instance);
}

void MainWindow::GiveIcons(HINSTANCE instance) {
    bigIcon_ = LoadAppIcon(instance, SM_CXICON, SM_CYICON);
    smallIcon_ = LoadAppIcon(instance, SM_CXSMICON, SM_CYSMICON);
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

bool MainWindow::CreateControls(HINSTANCE instance) {
    for (const ControlDefinition& control : Controls()) {
        const std::wstring text = sys::win32::Widen(control.text.c_str());
        const RECT& place = control.place;
        HWND created = nullptr;
        if (control.kind == ControlKind::kLabel) {
            created = text_label::Create(window_, control.id, text.c_str(), place, *control.label,
                                         instance);
        } else {
            created = ::CreateWindowExW(
                0, L"BUTTON", text.c_str(), kButtonStyle, place.left, place.top,
                place.right - place.left, place.bottom - place.top, window_,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
            if (created) {
                ::SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
            }
        }
        if (!created) return false;
    }
    return true;
}

void MainWindow::Show() {
    for (const ControlDefinition& control : Controls()) {
        ::ShowWindow(Control(control.id), SW_SHOWNA);
    }
    ::ShowWindow(window_, SW_SHOW);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam)
                : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == 按钮1) EnableAction();
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == 按钮2) DisableAction();
        return 0;
    case WM_ACTIVATE:
        // The focus is still here while the window is told it loses activation.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            if (focus && ::IsChild(window_, focus)) focusBeforeDeactivation_ = focus;
        }
        break;
    case WM_SETFOCUS: {
        const HWND remembered = focusBeforeDeactivation_;
        const bool stillThere =
            remembered && ::IsWindow(remembered) && ::IsChild(window_, remembered);
        ::SetFocus(stillThere ? remembered : Control(按钮1));
        return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    case WM_NCDESTROY: {
        const HWND window = window_;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    default: break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::Paint() {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window_, &paint);
    if (dc) FillWithColour(dc, paint.rcPaint, kSystemFaceColor);
    ::EndPaint(window_, &paint);
}
