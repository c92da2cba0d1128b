#include "app/Painting.h"

#include "app/Handles.h"

COLORREF ResolveColour(COLORREF colour) {
    return colour == kSystemFaceColor ? ::GetSysColor(COLOR_BTNFACE) : colour;
}

void FillWithColour(HDC dc, const RECT& area, COLORREF colour) {
    const OwnedGdiObject brush(::CreateSolidBrush(ResolveColour(colour)));
    ::FillRect(dc, &area, static_cast<HBRUSH>(brush.Get()));
}
