#include "app/Painting.h"

#include "app/Handles.h"

COLORREF ResolveColour(COLORREF colour) {
    return colour == kSystemFaceColor ? ::GetSysColor(COLOR_BTNFACE) : colour;
}

void FillWithColour(HDC dc, const RECT& area, COLORREF colour) {
    const OwnedGdiObject brush(::CreateSolidBrush(ResolveColour(colour)));
    ::FillRect(dc, &area, static_cast<HBRUSH>(brush.Get()));
}

bool RegisterSelfPaintingClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    return ::RegisterClassExW(&windowClass) != 0;
}
