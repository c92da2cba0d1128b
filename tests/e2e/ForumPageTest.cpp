// A press on the bottom label asks the system to open the forum's page, caught by a browser
// stand-in registered here as the handler of web addresses.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/Desktop.h"
#include "tests/e2e/StandIns.h"
#include "tests/e2e/Tool.h"

namespace e2e {
namespace {

struct PressCase {
    const char* what;
    const std::wstring* label;
    bool right;
    int presses;
    DWORD gap;  // between presses, in milliseconds; 0 for a double click
    std::size_t opened;
};

void PrintTo(const PressCase& c, std::ostream* out) { *out << c.what; }

class ForumPageTest : public ::testing::TestWithParam<PressCase> {
protected:
    // One stand-in for the whole suite, owned here; each test reaches it through `browser`.
    static std::unique_ptr<BrowserStandIn>& SharedBrowser() {
        static std::unique_ptr<BrowserStandIn> shared;
        return shared;
    }
    static void SetUpTestSuite() { SharedBrowser() = std::make_unique<BrowserStandIn>(); }
    static void TearDownTestSuite() { SharedBrowser().reset(); }
    BrowserStandIn* browser = SharedBrowser().get();
};

TEST_P(ForumPageTest, OpensTheForumOncePerPressOnTheBottomLabelOnly) {
    const PressCase& c = GetParam();
    ASSERT_TRUE(browser->Registered());
    browser->Forget();
    Tool tool;
    ASSERT_NE(tool.window(), nullptr);
    tool.Activate();
    const HWND label = tool.Child(*c.label);
    ASSERT_NE(label, nullptr);

    for (int i = 0; i < c.presses; ++i) {
        if (c.gap == 0) {
            Click(CentreOf(label), c.presses, c.right);  // one double click
            break;
        }
        if (i > 0) Pause(c.gap);
        Click(CentreOf(label), 1, c.right);
    }
    if (c.opened > 0) {
        EXPECT_TRUE(WaitFor([&] { return browser->Opened().size() >= c.opened; }))
            << "the browser was not asked to open the page";
    }
    Pause(1000);  // room for an extra opening to show
    const std::vector<std::wstring> opened = browser->Opened();
    EXPECT_EQ(opened.size(), c.opened) << c.what;
    for (const std::wstring& address : opened) {
        EXPECT_NE(address.find(kForumAddress), std::wstring::npos) << "asked to open " << address;
    }
    EXPECT_TRUE(TopLevelWindows(tool.processId(), L"#32770").empty()) << "it showed a message";
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ForumPageTest,
    ::testing::Values(PressCase{"one press", &kCredit, false, 1, 1, 1},
                      PressCase{"a double click", &kCredit, false, 2, 0, 1},
                      PressCase{"two separate presses", &kCredit, false, 2, 1500, 2},
                      PressCase{"a right press", &kCredit, true, 1, 1, 0},
                      PressCase{"a press on the top label", &kIntroduction, false, 1, 1, 0},
                      PressCase{"a press on the red label", &kWarning, false, 1, 1, 0}),
    [](const auto& test) { return TestName(test.param.what); });

}  // namespace
}  // namespace e2e
