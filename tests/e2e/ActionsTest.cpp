// The two buttons' actions, seen through their message boxes and the registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "tests/e2e/Desktop.h"
#include "tests/e2e/Policies.h"
#include "tests/e2e/StandIns.h"
#include "tests/e2e/Tool.h"

namespace e2e {
namespace {

const std::wstring kConfirmText = L"确认开启吗？";
const std::wstring kConfirmCaption = L"安全警告";
const std::wstring kChromeText =
    L"检测到Google Chrome正在运行，是否关闭，否则无法执行下一步，是否关闭？";
const std::wstring kNotice = L"提示";
const std::wstring kEnabledText = L"已开启";
const std::wstring kDisabledText = L"已完成";

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return std::string();
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(
                          CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)) -
                          1,
                      '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(),
                          static_cast<int>(bytes.size()) + 1, nullptr, nullptr);
    return bytes;
}

class ActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPolicies();
        tool = std::make_unique<Tool>();
        ASSERT_NE(tool->window(), nullptr) << "no window came up";
        tool->Activate();
    }
    void TearDown() override {
        tool.reset();
        ClearPolicies();
    }

    void Press(const std::wstring& button) {
        const HWND control = tool->Child(button);
        ASSERT_NE(control, nullptr);
        // As a person would, click once the window is in front and takes input again.
        tool->Activate();
        ASSERT_TRUE(WaitFor([&] { return ::IsWindowEnabled(tool->window()) != FALSE; }, 3000));
        Click(CentreOf(control));
    }
    // Waits for the next box and checks what it says and which buttons it offers.
    Box ExpectBox(const std::wstring& text, const std::wstring& caption, bool cancel) {
        Box box = WaitForBox(tool->processId());
        EXPECT_NE(box.window, nullptr) << "no box saying " << Narrow(text);
        if (!box.window) return box;
        EXPECT_EQ(Narrow(box.text), Narrow(text));
        EXPECT_EQ(Narrow(box.caption), Narrow(caption));
        EXPECT_TRUE(box.hasOk);
        EXPECT_EQ(box.hasCancel, cancel);
        EXPECT_FALSE(::IsWindowEnabled(tool->window())) << "the box is not task-modal";
        return box;
    }
    void Answer(const Box& box, int button) {
        if (!box.window) return;
        ClickBoxButton(box, button);
        EXPECT_TRUE(WaitUntilGone(box.window));
    }
    void ExpectNoFurtherBox() {
        Pause();
        EXPECT_TRUE(TopLevelWindows(tool->processId(), L"#32770").empty());
        EXPECT_TRUE(::IsWindowEnabled(tool->window()));
    }
    void ExpectPoliciesWritten() {
        for (const PolicyKey& key : kPolicyKeys) {
            EXPECT_EQ(Describe(ValuesOf(key)), Describe(PolicyValuesOf(key))) << Narrow(key.path);
        }
    }
    void ExpectNoPolicies() {
        for (const PolicyKey& key : kPolicyKeys) EXPECT_FALSE(Exists(key)) << Narrow(key.path);
    }

    std::unique_ptr<Tool> tool;
};

// ---- Enable ----

struct CancelCase {
    const char* how;
    int button;  // IDCANCEL, or 0 for a key or the close button below
    WORD key;
};

void PrintTo(const CancelCase& c, std::ostream* out) { *out << c.how; }

class EnableCancelTest : public ActionsTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(EnableCancelTest, AsksFirstAndCancelChangesNothing) {
    const CancelCase& c = GetParam();
    Press(kEnable);
    const Box box = ExpectBox(kConfirmText, kConfirmCaption, true);
    ASSERT_NE(box.window, nullptr);

    Click(CentreOf(tool->Child(kDisable)));  // the window takes no input meanwhile
    Pause(300);
    EXPECT_EQ(TopLevelWindows(tool->processId(), L"#32770").size(), 1u);

    if (c.button) {
        Answer(box, c.button);
    } else if (c.key) {
        ::SetForegroundWindow(box.window);
        PressKey(c.key);
        EXPECT_TRUE(WaitUntilGone(box.window));
    } else {
        const POINT close = CloseButtonOf(box.window);
        ASSERT_GE(close.x, 0) << "the box has no close button";
        Click(close);
        EXPECT_TRUE(WaitUntilGone(box.window));
    }
    ExpectNoFurtherBox();
    ExpectNoPolicies();
}

INSTANTIATE_TEST_SUITE_P(Answers, EnableCancelTest,
                         ::testing::Values(CancelCase{"Cancel", IDCANCEL, 0},
                                           CancelCase{"Esc", 0, VK_ESCAPE},
                                           CancelCase{"the box's close button", 0, 0}),
                         [](const auto& test) { return TestName(test.param.how); });

TEST_F(ActionsTest, EnableWritesTheTwelveValuesAfterOkAndSaysSo) {
    Press(kEnable);
    Answer(ExpectBox(kConfirmText, kConfirmCaption, true), IDOK);
    Answer(ExpectBox(kEnabledText, kNotice, false), IDOK);
    ExpectNoFurtherBox();
    ExpectPoliciesWritten();
    EXPECT_TRUE(IsVolatile(kPolicyKeys[0])) << "Chromium's key is created volatile";
    EXPECT_FALSE(IsVolatile(kPolicyKeys[2])) << "Chrome's key lasts";
}

// ---- Disable ----

TEST_F(ActionsTest, DisableAfterEnableRemovesThePolicyKeysAndSaysSo) {
    Press(kEnable);
    Answer(ExpectBox(kConfirmText, kConfirmCaption, true), IDOK);
    Answer(ExpectBox(kEnabledText, kNotice, false), IDOK);
    ExpectPoliciesWritten();

    Press(kDisable);
    Answer(ExpectBox(kDisabledText, kNotice, false), IDOK);
    ExpectNoFurtherBox();
    ExpectNoPolicies();
}

TEST_F(ActionsTest, DisableLeavesAnAdministratorsOtherPolicyInItsKey) {
    ASSERT_TRUE(StagePolicies());
    ASSERT_TRUE(AddForeignValue(kPolicyKeys[2]));
    Press(kDisable);
    Answer(ExpectBox(kDisabledText, kNotice, false), IDOK);
    ExpectNoFurtherBox();
    EXPECT_EQ(Describe(ValuesOf(kPolicyKeys[2])), Describe({kForeignValue}));
    for (int i : {0, 1, 3}) EXPECT_FALSE(Exists(kPolicyKeys[i])) << Narrow(kPolicyKeys[i].path);
}

TEST_F(ActionsTest, DisableWithNothingToRemoveStillSaysItIsDone) {
    Press(kDisable);
    Answer(ExpectBox(kDisabledText, kNotice, false), IDOK);
    ExpectNoFurtherBox();
    ExpectNoPolicies();
}

// ---- With Google Chrome running ----

struct ChromeCase {
    const char* what;
    bool enable;
    int answer;  // IDOK or IDCANCEL at the question about Chrome
};

void PrintTo(const ChromeCase& c, std::ostream* out) { *out << c.what; }

class ChromeRunningTest : public ActionsTest, public ::testing::WithParamInterface<ChromeCase> {};

TEST_P(ChromeRunningTest, AsksToCloseChromeAndGoesOnOnlyAfterOk) {
    const ChromeCase& c = GetParam();
    if (!c.enable) {
        ASSERT_TRUE(StagePolicies());
    }
    ChromeStandIn chrome;
    ASSERT_TRUE(chrome.Started());
    ASSERT_TRUE(chrome.IsRunning());

    Press(c.enable ? kEnable : kDisable);
    if (c.enable) Answer(ExpectBox(kConfirmText, kConfirmCaption, true), IDOK);
    const Box question = ExpectBox(kChromeText, kNotice, true);
    ASSERT_NE(question.window, nullptr);
    EXPECT_TRUE(chrome.IsRunning()) << "ended before the answer";
    Answer(question, c.answer);

    if (c.answer == IDCANCEL) {
        ExpectNoFurtherBox();
        EXPECT_TRUE(chrome.IsRunning());
        if (c.enable) {
            ExpectNoPolicies();
        } else {
            ExpectPoliciesWritten();
        }
        return;
    }
    EXPECT_EQ(chrome.WaitForExit(5000), 0u) << "Chrome was not ended";
    Answer(ExpectBox(c.enable ? kEnabledText : kDisabledText, kNotice, false), IDOK);
    ExpectNoFurtherBox();
    if (c.enable) {
        ExpectPoliciesWritten();
    } else {
        ExpectNoPolicies();
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, ChromeRunningTest,
                         ::testing::Values(ChromeCase{"enable, Cancel", true, IDCANCEL},
                                           ChromeCase{"enable, OK", true, IDOK},
                                           ChromeCase{"disable, Cancel", false, IDCANCEL},
                                           ChromeCase{"disable, OK", false, IDOK}),
                         [](const auto& test) { return TestName(test.param.what); });

}  // namespace
}  // namespace e2e
