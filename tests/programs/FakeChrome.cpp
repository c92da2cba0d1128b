// Stands in for a running browser in tests: waits until it is terminated (or a minute has
// passed, so a stray one never lingers). With "--window TITLE" it shows a top-level window
// with that title, as another program's window might.
#include <windows.h>

#include <cstring>

int main(int argc, char** argv) {
    HWND window = nullptr;
    if (argc == 3 && std::strcmp(argv[1], "--window") == 0) {
        window = CreateWindowExA(0, "STATIC", argv[2], WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!window) return 2;
    }
    const DWORD end = GetTickCount() + 60000;
    while (GetTickCount() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(20);
    }
    return 0;
}
