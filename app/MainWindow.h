// MainWindow: the program's one window, with its five controls and the three events it binds.
#pragma once

#include <windows.h>

#include <array>

#include "app/Controls.h"
#include "app/Handles.h"

class MainWindow {
public:
    static constexpr int kWidth = 483;  // outer size, frame and title bar included
    static constexpr int kHeight = 250;

    MainWindow() = default;
    ~MainWindow() = default;  // the icon owners free the icons; closing destroys the window
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window and its controls, all hidden; false when the window cannot be made.
    bool Create(HINSTANCE instance);
    // Shows the controls, then the window, which takes the focus to its first button.
    void Show();
    // Looks at input for the window before it is dispatched; true when nothing else may.
    bool HandleBeforeDispatch(const MSG& message);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void GiveIcons(HINSTANCE instance);
    bool CreateControls(HINSTANCE instance);
    HWND Control(ControlId id) const { return ::GetDlgItem(window_, id); }
    bool HandleKey(const MSG& message);
    void MoveFocus(bool backwards);

    HWND window_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
};
