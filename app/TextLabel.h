// TextLabel: the program's own static text, a child window that paints its text itself and
// never takes the focus.
#pragma once

#include <windows.h>

enum class HorizontalAlign { kLeft, kCentre, kRight };
// Used only for a single line: with word wrap the text always starts at the top.
enum class VerticalAlign { kTop, kCentre, kBottom };

struct LabelStyle {
    const LOGFONTA* font;  // null: the stock GUI font
    COLORREF textColour;
    COLORREF backgroundColour;  // or kSystemFaceColor
    HorizontalAlign horizontal;
    VerticalAlign vertical;
    bool wordWrap;
};

namespace text_label {

bool Register(HINSTANCE instance);
// Hidden until shown; the style must outlive the window.
HWND Create(HWND parent, int id, const wchar_t* text, const RECT& place, const LabelStyle& style,
            HINSTANCE instance);
UINT DrawTextFlags(const LabelStyle& style);

}  // namespace text_label
