// Colours as the window's definition gives them, filling with them, and the classes of the
// windows that paint themselves.
#pragma once

#include <windows.h>

// Not a colour of its own: the system's current face colour, looked up at each paint.
constexpr COLORREF kSystemFaceColor = 0xFF000000;

COLORREF ResolveColour(COLORREF colour);
void FillWithColour(HDC dc, const RECT& area, COLORREF colour);

// A window class with no icon and no background brush, for a window that paints itself.
bool RegisterSelfPaintingClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);
