// The window as it opens: caption, frame, place, the five controls and how they are painted.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/Desktop.h"
#include "tests/e2e/Options.h"
#include "tests/e2e/Tool.h"

namespace e2e {
namespace {

constexpr UINT kClassStyles = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

RECT Place(LONG left, LONG top, LONG width, LONG height) {
    return RECT{left, top, left + width, top + height};
}

class WindowTest : public ::testing::Test {
protected:
    // One tool for the whole suite, owned here; each test reaches it through `tool`.
    static std::unique_ptr<Tool>& SharedTool() {
        static std::unique_ptr<Tool> shared;
        return shared;
    }
    static void SetUpTestSuite() { SharedTool() = std::make_unique<Tool>(); }
    static void TearDownTestSuite() { SharedTool().reset(); }
    void SetUp() override { ASSERT_NE(tool->window(), nullptr) << "no window came up"; }
    Tool* tool = SharedTool().get();
};

TEST_F(WindowTest, RunsUnderTheCodePageThisRunIsFor) {
    ASSERT_NE(options.codePage, 0u) << "pass --code-page=N";
    EXPECT_EQ(::GetACP(), options.codePage);
}

TEST_F(WindowTest, HasItsCaptionFrameAndClass) {
    const HWND window = tool->window();
    EXPECT_EQ(TextOf(window), kCaption);

    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    for (LONG wanted : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN, WS_VISIBLE}) {
        EXPECT_EQ(style & wanted, wanted) << std::hex << "style " << style << " lacks " << wanted;
    }
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0)
        << std::hex << style;
    // The system itself marks every captioned window with a raised edge.
    EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(::GetMenu(window), nullptr);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);

    EXPECT_EQ(::GetClassLongPtrW(window, GCL_STYLE), kClassStyles);
    EXPECT_EQ(::GetClassLongPtrW(window, GCLP_HBRBACKGROUND), 0u) << "paints its own background";
    EXPECT_EQ(::GetClassLongPtrW(window, GCLP_HICON), 0u);
}

TEST_F(WindowTest, MeasuresItsOuterSizeCentredOnTheScreen) {
    const RECT outer = ScreenRect(tool->window());
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - 483) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - 250) / 2;
    EXPECT_TRUE(outer == Place(left, top, 483, 250)) << Describe(outer);
}

struct ControlCase {
    const wchar_t* name;
    const std::wstring* text;
    const wchar_t* className;
    RECT place;
    LONG style;  // exactly, WS_VISIBLE included
};

const LONG kLabelStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
const LONG kButtonStyle = BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_TABSTOP |
                          WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;

const ControlCase kControls[] = {
    {L"标签1", &kIntroduction, L"ZarvellTextLabel", Place(72, 24, 320, 56), kLabelStyle},
    {L"标签2", &kWarning, L"ZarvellTextLabel", Place(0, 88, 480, 40), kLabelStyle},
    {L"按钮1", &kEnable, L"Button", Place(88, 136, 104, 40), kButtonStyle},
    {L"按钮2", &kDisable, L"Button", Place(264, 136, 104, 40), kButtonStyle},
    {L"标签3", &kCredit, L"ZarvellTextLabel", Place(8, 200, 464, 16), kLabelStyle},
};

TEST_F(WindowTest, HasExactlyItsFiveControlsWithTheirTextsPlacesAndStyles) {
    EXPECT_EQ(ChildrenOf(tool->window()).size(), std::size(kControls));
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(::testing::Message() << "control " << std::wstring(c.name));
        const HWND control = tool->Child(*c.text);
        ASSERT_NE(control, nullptr) << "no control reads its text";
        EXPECT_EQ(ClassOf(control), c.className);
        const RECT place = PlaceInParent(control);
        EXPECT_TRUE(place == c.place) << Describe(place);
        EXPECT_EQ(::GetWindowLongW(control, GWL_STYLE), c.style)
            << std::hex << ::GetWindowLongW(control, GWL_STYLE);
        EXPECT_EQ(::GetWindowLongW(control, GWL_EXSTYLE), 0);
        EXPECT_TRUE(::IsWindowEnabled(control));
    }
}

TEST_F(WindowTest, LabelsAreOfTheProgramsOwnClassWithoutBrush) {
    const HWND label = tool->Child(kCredit);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(::GetClassLongPtrW(label, GCL_STYLE), kClassStyles);
    EXPECT_EQ(::GetClassLongPtrW(label, GCLP_HBRBACKGROUND), 0u);
    EXPECT_EQ(::GetClassLongPtrW(label, GCLP_HICON), 0u);
}

// ---- Painting, read off the screen ----

struct Ink {
    int dark = 0;
    int red = 0;
    RECT box = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};  // around every pixel of either
};

// One 8-bit colour of a 0x00RRGGBB pixel: red at 16, green at 8, blue at 0.
int Channel(DWORD pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

DWORD AsPixel(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// What is drawn inside an area of the window's client picture, besides the face colour.
Ink InkIn(const Picture& client, const RECT& area) {
    const DWORD face = AsPixel(::GetSysColor(COLOR_BTNFACE));
    Ink ink;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const DWORD pixel = client.At(x, y);
            if (pixel == face) continue;
            const int r = Channel(pixel, 16), g = Channel(pixel, 8), b = Channel(pixel, 0);
            if (r > g + 80 && r > b + 80) {
                ++ink.red;
            } else if (r < 110 && g < 110 && b < 110) {
                ++ink.dark;
            } else {
                continue;  // the soft edge of a glyph
            }
            ink.box.left = std::min<LONG>(ink.box.left, x - area.left);
            ink.box.top = std::min<LONG>(ink.box.top, y - area.top);
            ink.box.right = std::max<LONG>(ink.box.right, x - area.left + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y - area.top + 1);
        }
    }
    return ink;
}

// The text as the stock GUI font draws it in black on the face colour, off screen.
Picture RenderInStockFont(const std::wstring& text, int width, int height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previousBitmap = ::SelectObject(dc, bitmap);
    const HGDIOBJ previousFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    RECT all = {0, 0, width, height};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &all,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    picture.pixels.assign(source, source + static_cast<std::ptrdiff_t>(width) * height);
    for (DWORD& pixel : picture.pixels) pixel &= 0xFFFFFF;
    ::SelectObject(dc, previousFont);
    ::SelectObject(dc, previousBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return picture;
}

Picture CaptureClient(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    return CaptureScreen(client);
}

TEST_F(WindowTest, PaintsTheFaceColourAndEachLabelInItsColourAndAlignment) {
    const HWND introduction = tool->Child(kIntroduction);
    const HWND warning = tool->Child(kWarning);
    const HWND credit = tool->Child(kCredit);
    ASSERT_TRUE(introduction && warning && credit);
    const RECT creditPlace = PlaceInParent(credit);
    Picture client;
    ASSERT_TRUE(WaitFor([&] {
        client = CaptureClient(tool->window());
        return InkIn(client, creditPlace).dark > 0;
    })) << "the bottom label was never drawn";

    const DWORD face = AsPixel(::GetSysColor(COLOR_BTNFACE));
    for (POINT spot : {POINT{4, 4}, POINT{40, 150}, POINT{470, 190}, POINT{4, 222}}) {
        EXPECT_EQ(client.At(spot.x, spot.y), face) << "at " << spot.x << "," << spot.y;
    }

    // Left-aligned black lines from the top, wrapped at the label's width.
    const Ink intro = InkIn(client, PlaceInParent(introduction));
    EXPECT_GT(intro.dark, 200);
    EXPECT_EQ(intro.red, 0);
    EXPECT_LE(intro.box.left, 2);
    EXPECT_LE(intro.box.top, 6);
    EXPECT_GT(intro.box.bottom - intro.box.top, 2 * 16) << "three lines of a 16-pixel font";

    // Red lines from the top, each centred: the first line's ink lies in the middle.
    const RECT warningPlace = PlaceInParent(warning);
    const Ink firstLine = InkIn(
        client, {warningPlace.left, warningPlace.top, warningPlace.right, warningPlace.top + 17});
    const Ink warn = InkIn(client, warningPlace);
    EXPECT_GT(warn.red, 200);
    EXPECT_EQ(warn.dark, 0);
    EXPECT_LE(warn.box.top, 6);
    EXPECT_NEAR(firstLine.box.left, 480 - firstLine.box.right, 3);

    // One black line.
    EXPECT_EQ(InkIn(client, creditPlace).red, 0);

    // The second button and the bottom label write in the stock GUI font, centred both ways:
    // their ink lies where that font, so drawn, puts it.
    struct FontCase {
        const std::wstring* text;
        int inset;  // keeps a button's frame out of the ink
    };
    const FontCase fontCases[] = {{&kDisable, 6}, {&kCredit, 0}};
    for (const FontCase& c : fontCases) {
        RECT area = PlaceInParent(tool->Child(*c.text));
        ::InflateRect(&area, -c.inset, -c.inset);
        const RECT ink = InkIn(client, area).box;
        const Picture expected =
            RenderInStockFont(*c.text, area.right - area.left, area.bottom - area.top);
        const RECT wanted = InkIn(expected, {0, 0, expected.width, expected.height}).box;
        EXPECT_TRUE(std::abs(ink.left - wanted.left) <= 1 && std::abs(ink.top - wanted.top) <= 1 &&
                    std::abs(ink.right - wanted.right) <= 1 &&
                    std::abs(ink.bottom - wanted.bottom) <= 1)
            << "text at " << area.left << "," << area.top << ": ink " << Describe(ink)
            << ", in the stock font centred " << Describe(wanted);
    }

    if (!options.screenshot.empty()) {
        const std::wstring path =
            BuildFolder() + L"\\" +
            std::wstring(options.screenshot.begin(), options.screenshot.end());
        EXPECT_TRUE(SaveBitmap(CaptureScreen(ScreenRect(tool->window())), path));
    }
}

// The window's icons cannot be asked for across processes under Wine; the small one shows.
TEST_F(WindowTest, ShowsTheApplicationIconInItsTitleBar) {
    const RECT outer = ScreenRect(tool->window());
    const int corner = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFIXEDFRAME);
    const Picture title =
        CaptureScreen({outer.left, outer.top, outer.left + corner, outer.top + corner});
    int tile = 0;  // the icon's red-orange
    for (DWORD pixel : title.pixels) {
        const int r = Channel(pixel, 16), g = Channel(pixel, 8), b = Channel(pixel, 0);
        if (r > 180 && g < 140 && b < 90) ++tile;
    }
    EXPECT_GT(tile, 40) << "no application icon at the title bar's left";
}

}  // namespace
}  // namespace e2e
