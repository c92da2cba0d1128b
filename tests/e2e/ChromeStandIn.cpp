// Stands in for a running Google Chrome: a process named chrome.exe that waits to be ended.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ::Sleep(INFINITE);
    return 0;
}
