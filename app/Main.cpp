// Start-up, the message loop and the end of the program.
#include <windows.h>

#include <ole2.h>

#include <string>

#include "app/MainWindow.h"
#include "policy/MessageBox.h"
#include "sysapi/SysApi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const HRESULT ole = ::OleInitialize(nullptr);  // the shell's open verb may need it
    MainWindow window;
    if (!window.Create(instance)) {
        const DWORD code = ::GetLastError();
        std::string text = "程序窗口无法创建。";
        if (code != 0) text += "\r\n" + sys::ErrorText(static_cast<sys::Long>(code));
        ShowMessage(text.c_str(), "错误", MB_OK | MB_ICONERROR);
        return -1;
    }
    window.Show();

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.HandleBeforeDispatch(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (SUCCEEDED(ole)) ::OleUninitialize();
    return 0;
}
