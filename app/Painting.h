// Colours as the window's definition gives them, and filling with them.
#pragma once

#include <windows.h>

// Not a colour of its own: the system's current face colour, looked up at each paint.
constexpr COLORREF kSystemFaceColor = 0xFF000000;

COLORREF ResolveColour(COLORREF colour);
void FillWithColour(HDC dc, const RECT& area, COLORREF colour);
