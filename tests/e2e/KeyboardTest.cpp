// The keyboard and the focus, and the ways the window is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/Desktop.h"
#include "tests/e2e/Tool.h"

namespace e2e {
namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(tool.window(), nullptr) << "no window came up";
        enable = tool.Child(kEnable);
        disable = tool.Child(kDisable);
        ASSERT_TRUE(enable && disable);
        tool.Activate();
    }
    // The focus after a key, once the tool has had time to move it.
    HWND FocusAfter(WORD key, const std::vector<WORD>& held, HWND expected) {
        PressKey(key, held);
        WaitFor([&] { return tool.Focus() == expected; }, 3000);
        return tool.Focus();
    }
    std::wstring Name(HWND control) const {
        return control == enable ? kEnable : control == disable ? kDisable : L"another window";
    }

    Tool tool;
    HWND enable = nullptr;
    HWND disable = nullptr;
};

TEST_F(KeyboardTest, FocusStartsOnTheFirstButtonAndTabCyclesTheTwoButtonsBothWays) {
    EXPECT_EQ(tool.Focus(), enable);
    struct Step {
        const char* keys;
        WORD key;
        std::vector<WORD> held;
        HWND* then;
    };
    const Step steps[] = {
        {"Tab", VK_TAB, {}, &disable},
        {"Tab", VK_TAB, {}, &enable},
        {"Shift+Tab", VK_TAB, {VK_SHIFT}, &disable},
        {"Shift+Tab", VK_TAB, {VK_SHIFT}, &enable},
        {"Enter", VK_RETURN, {}, &enable},
        {"F1", VK_F1, {}, &enable},
        {"Tab", VK_TAB, {}, &disable},
        {"Enter", VK_RETURN, {}, &disable},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(Name(FocusAfter(step.key, step.held, *step.then)), Name(*step.then))
            << "after " << step.keys;
    }
    Pause();
    EXPECT_TRUE(TopLevelWindows(tool.processId(), L"#32770").empty())
        << "Enter or F1 started something";
    EXPECT_TRUE(tool.IsRunning());
}

TEST_F(KeyboardTest, SpaceClicksTheFocusedButton) {
    PressKey(VK_SPACE);
    const Box confirm = WaitForBox(tool.processId());
    ASSERT_NE(confirm.window, nullptr) << "Space on the first button opened nothing";
    EXPECT_EQ(confirm.text, L"确认开启吗？");
    ClickBoxButton(confirm, IDCANCEL);
    ASSERT_TRUE(WaitUntilGone(confirm.window));

    tool.Activate();
    ASSERT_EQ(Name(FocusAfter(VK_TAB, {}, disable)), kDisable);
    PressKey(VK_SPACE);
    const Box done = WaitForBox(tool.processId());
    ASSERT_NE(done.window, nullptr) << "Space on the second button opened nothing";
    EXPECT_EQ(done.text, L"已完成");
    ClickBoxButton(done, IDOK);
    EXPECT_TRUE(WaitUntilGone(done.window));
}

TEST_F(KeyboardTest, FocusComesBackToItsButtonAfterAnotherWindowWasActive) {
    ASSERT_EQ(Name(FocusAfter(VK_TAB, {}, disable)), kDisable);

    // Another application's window comes to the front, then the person clicks the title bar.
    const HWND other =
        ::CreateWindowExW(0, L"STATIC", L"another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                          0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetForegroundWindow(other);
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == other; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return tool.Focus() != disable; }, 3000)) << "still focused";

    const RECT outer = ScreenRect(tool.window());
    Click(POINT{(outer.left + outer.right) / 2, outer.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 +
                                                    ::GetSystemMetrics(SM_CYFIXEDFRAME)});
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == tool.window(); }, 3000));
    WaitFor([&] { return tool.Focus() == disable; }, 3000);
    EXPECT_EQ(Name(tool.Focus()), kDisable);
    ::DestroyWindow(other);
}

// ---- Closing ----

struct CloseCase {
    const char* how;
    int tabsFirst;
    std::vector<WORD> held;
    WORD key;   // 0: the title bar's close button
    WORD then;  // a key pressed next, as in a menu; 0 for none
    bool closes;
};

void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.how; }

class ClosingTest : public KeyboardTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingTest, EndsTheProgramWithoutAQuestionOrKeepsRunning) {
    const CloseCase& c = GetParam();
    for (int i = 0; i < c.tabsFirst; ++i) PressKey(VK_TAB);
    if (c.key == 0) {
        const POINT button = CloseButtonOf(tool.window());
        ASSERT_GE(button.x, 0) << "no close button in the title bar";
        Click(button);
    } else {
        PressKey(c.key, c.held);
    }
    if (c.then) {
        Pause(300);  // the menu opens
        PressKey(c.then);
    }
    if (c.closes) {
        EXPECT_EQ(tool.WaitForExit(), 0u) << c.how;
    } else {
        Pause();
        EXPECT_TRUE(tool.IsRunning()) << c.how;
    }
    EXPECT_TRUE(TopLevelWindows(tool.processId(), L"#32770").empty()) << "a question was asked";
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingTest,
    ::testing::Values(CloseCase{"Esc on the first button", 0, {}, VK_ESCAPE, 0, true},
                      CloseCase{"Esc on the second button", 1, {}, VK_ESCAPE, 0, true},
                      CloseCase{"Alt+F4", 0, {VK_MENU}, VK_F4, 0, true},
                      CloseCase{"the system menu's Close", 0, {VK_MENU}, VK_SPACE, 'C', true},
                      CloseCase{"the close button", 0, {}, 0, 0, true},
                      CloseCase{"Shift+Esc", 0, {VK_SHIFT}, VK_ESCAPE, 0, false}),
    [](const auto& test) { return TestName(test.param.how); });

TEST(TwoCopiesTest, RunSideBySideAndCloseApart) {
    Tool first;
    Tool second;
    ASSERT_TRUE(first.window() && second.window());
    EXPECT_NE(first.window(), second.window());
    second.Activate();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(second.WaitForExit(), 0u);
    Pause();
    EXPECT_TRUE(first.IsRunning());
    EXPECT_TRUE(::IsWindowVisible(first.window()));
}

}  // namespace
}  // namespace e2e
