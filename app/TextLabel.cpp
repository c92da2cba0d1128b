#include "app/TextLabel.h"

#include <string>

#include "app/Handles.h"
#include "app/Painting.h"

namespace text_label {

namespace {

constexpr wchar_t kClassName[] = L"ZarvellTextLabel";

const LabelStyle* StyleOf(HWND label) {
    return reinterpret_cast<const LabelStyle*>(::GetWindowLongPtrW(label, GWLP_USERDATA));
}

// The label's own members with the rendering members every label's font shares.
OwnedGdiObject CreateLabelFont(const LOGFONTA& members) {
    LOGFONTA font = members;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    return OwnedGdiObject(::CreateFontIndirectA(&font));
}

std::wstring TextOf(HWND label) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Paint(HWND label, HDC dc, const LabelStyle& style) {
    RECT clip;
    if (::GetClipBox(dc, &clip) <= NULLREGION || ::IsRectEmpty(&clip)) return;
    RECT client;
    ::GetClientRect(label, &client);
    RECT area;
    if (::IntersectRect(&area, &clip, &client)) FillWithColour(dc, area, style.backgroundColour);

    const OwnedGdiObject ownFont = style.font ? CreateLabelFont(*style.font) : OwnedGdiObject();
    const HGDIOBJ font = ownFont ? ownFont.Get() : ::GetStockObject(DEFAULT_GUI_FONT);
    const Selection selected(dc, font);  // put back before ownFont is deleted
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, style.textColour);
    const std::wstring text = TextOf(label);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DrawTextFlags(style));
}

LRESULT CALLBACK Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(label, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(label, &paint);
        if (dc && StyleOf(label)) Paint(label, dc, *StyleOf(label));
        ::EndPaint(label, &paint);
        return 0;
    }
    default: break;
    }
    return ::DefWindowProcW(label, message, wParam, lParam);
}

}  // namespace

bool Register(HINSTANCE instance) {
    return RegisterSelfPaintingClass(instance, kClassName, Procedure);
}

HWND Create(HWND parent, int id, const wchar_t* text, const RECT& place, const LabelStyle& style,
            HINSTANCE instance) {
    // CreateWindowExW takes its creation parameter as a plain LPVOID; the label only reads it.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-const-cast)
    void* const parameter = const_cast<LabelStyle*>(&style);
    return ::CreateWindowExW(0, kClassName, text, WS_CHILD | WS_CLIPSIBLINGS, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                             parameter);
}

UINT DrawTextFlags(const LabelStyle& style) {
    UINT flags = DT_NOCLIP;
    if (style.horizontal == HorizontalAlign::kCentre) flags |= DT_CENTER;
    if (style.horizontal == HorizontalAlign::kRight) flags |= DT_RIGHT;
    if (style.wordWrap) {
        flags |= DT_WORDBREAK | DT_VCENTER;  // DT_VCENTER has no effect on wrapped text
    } else {
        flags |= DT_SINGLELINE;
        if (style.vertical == VerticalAlign::kCentre) flags |= DT_VCENTER;
        if (style.vertical == VerticalAlign::kBottom) flags |= DT_BOTTOM;
    }
    return flags;
}

}  // namespace text_label
