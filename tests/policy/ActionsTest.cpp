// Both button actions on every path, with the boxes shown, the registry after, and nothing
// left open; the policy set where the process may not write below HKEY_LOCAL_MACHINE.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "policy/Actions.h"
#include "policy/PolicySet.h"
#include "sysapi/model/Machine.h"
#include "tests/support/RawRegistry.h"

namespace {

model::Machine& M() { return model::TheMachine(); }

const std::string kConfirm = "确认开启吗？";
const std::string kQuestion =
    "检测到Google Chrome正在运行，是否关闭，否则无法执行下一步，是否关闭？";
const std::string kEnabled = "已开启";
const std::string kDisabled = "已完成";

enum class Area { Empty, Applied };

std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : M().boxes) texts.push_back(box.text);
    return texts;
}

bool PolicyKeysPresent() {
    return raw::Exists(HKEY_CURRENT_USER, kChromiumKey) &&
           raw::Exists(HKEY_LOCAL_MACHINE, kChromeKey);
}

bool PolicyKeysAbsent() {
    return !raw::Exists(HKEY_CURRENT_USER, kChromiumKey) &&
           !raw::Exists(HKEY_LOCAL_MACHINE, kChromeKey);
}

void Stage(Area area) {
    if (area == Area::Empty) return;
    RegistryKey key;
    key.Init();
    ASSERT_TRUE(ApplyPolicySet(key).empty());
    key.Destroy();
}

struct ActionCase {
    const char* name;
    void (*action)();
    Area before;
    bool chromeRunning;
    std::vector<int> answers;  // what each box returns in turn
    std::vector<std::string> boxes;
    bool keysAfter;  // the policy keys exist afterwards
    std::size_t terminated;
};

void PrintTo(const ActionCase& c, std::ostream* out) { *out << c.name; }

class ActionsTest : public ::testing::TestWithParam<ActionCase> {};

TEST_P(ActionsTest, BoxesRegistryAndRelease) {
    const ActionCase& c = GetParam();
    model::Reset();
    Stage(c.before);
    if (c.chromeRunning) M().processes.Start("chrome.exe");
    M().answers.assign(c.answers.begin(), c.answers.end());
    const std::size_t snapshotsBefore = M().CountOf("CreateToolhelp32Snapshot");

    c.action();

    EXPECT_EQ(BoxTexts(), c.boxes);
    for (const auto& box : M().boxes) {
        EXPECT_TRUE(box.flags & 0x2000) << "every box is task-modal";
    }
    EXPECT_EQ(c.keysAfter ? PolicyKeysPresent() : PolicyKeysAbsent(), true);
    EXPECT_EQ(M().processes.terminated.size(), c.terminated);
    EXPECT_EQ(M().registry.OpenHandleCount(), 0u) << "the action's key object was not destroyed";
    EXPECT_EQ(M().processes.OpenHandleCount(), 0u);
    if (!c.boxes.empty() && c.boxes[0] == kConfirm && c.answers.size() == 1 &&
        c.answers[0] == IDCANCEL) {
        EXPECT_EQ(M().CountOf("CreateToolhelp32Snapshot"), snapshotsBefore) << "no process lookup";
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    EveryPath, ActionsTest,
    ::testing::Values(
        ActionCase{"EnableCancelledAtTheConfirmation", EnableAction, Area::Empty, true, {IDCANCEL},
                   {kConfirm}, false, 0},
        ActionCase{"EnableWithoutBrowser", EnableAction, Area::Empty, false, {IDOK, IDOK},
                   {kConfirm, kEnabled}, true, 0},
        ActionCase{"EnableWhenTheConfirmationCannotBeShown", EnableAction, Area::Empty, false,
                   {0, IDOK}, {kConfirm, kEnabled}, true, 0},
        ActionCase{"EnableCancelledAtTheBrowserQuestion", EnableAction, Area::Empty, true,
                   {IDOK, IDCANCEL}, {kConfirm, kQuestion}, false, 0},
        ActionCase{"EnableClosingTheBrowser", EnableAction, Area::Empty, true, {IDOK, IDOK, IDOK},
                   {kConfirm, kQuestion, kEnabled}, true, 1},
        ActionCase{"EnableOverAnEnabledArea", EnableAction, Area::Applied, false, {IDOK, IDOK},
                   {kConfirm, kEnabled}, true, 0},
        ActionCase{"DisableWithNothingToRemove", DisableAction, Area::Empty, false, {IDOK},
                   {kDisabled}, false, 0},
        ActionCase{"DisableAfterEnable", DisableAction, Area::Applied, false, {IDOK}, {kDisabled},
                   false, 0},
        ActionCase{"DisableCancelledAtTheBrowserQuestion", DisableAction, Area::Applied, true,
                   {IDCANCEL}, {kQuestion}, true, 0},
        ActionCase{"DisableClosingTheBrowser", DisableAction, Area::Applied, true, {IDOK, IDOK},
                   {kQuestion, kDisabled}, false, 1}),
    [](const ::testing::TestParamInfo<ActionCase>& param) { return std::string(param.param.name); });
// clang-format on

TEST(ActionBoxes, CarryTheirCaptionsAndFlags) {
    model::Reset();
    M().processes.Start("chrome.exe");
    EnableAction();
    ASSERT_EQ(M().boxes.size(), 3u);
    EXPECT_EQ(M().boxes[0].caption, "安全警告");
    EXPECT_EQ(M().boxes[0].flags, 49u | 0x2000u);
    EXPECT_EQ(M().boxes[1].caption, "提示");
    EXPECT_EQ(M().boxes[1].flags, 33u | 0x2000u);
    EXPECT_EQ(M().boxes[2].caption, "提示");
    EXPECT_EQ(M().boxes[2].flags, 64u | 0x2000u);
    M().boxes.clear();
    DisableAction();
    ASSERT_EQ(M().boxes.size(), 1u) << "the browser is gone now";
    EXPECT_EQ(M().boxes[0].caption, "提示");
    EXPECT_EQ(M().boxes[0].flags, 64u | 0x2000u);
}

TEST(ActionBoxes, TwoEnablesLeaveTheRegistryAsOneDoes) {
    model::Reset();
    EnableAction();
    const raw::Value once = raw::Read(HKEY_LOCAL_MACHINE, kChromeUrls, "2");
    EnableAction();
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kConfirm, kEnabled, kConfirm, kEnabled}));
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChromeUrls, "2").data, once.data);
    EXPECT_EQ(once.data.size(), 9u);
}

// ---- Where the process may not write below HKEY_LOCAL_MACHINE ----

const std::string kDeniedReport =
    "部分设置未能完成：\n"
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Google\\Chrome：拒绝访问。\n"
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Google\\Chrome\\PluginsAllowedForUrls：拒绝访问。\n"
    "请以管理员身份运行本工具后重试。";

TEST(DeniedMachineWrites, ApplyStillWritesTheUserHalfAndNamesEveryFailedRow) {
    model::Reset();
    M().registry.denyMachineWrites = true;
    RegistryKey key;
    key.Init();
    const PolicyFailures failures = ApplyPolicySet(key);
    key.Destroy();
    ASSERT_EQ(failures.size(), 6u);
    for (std::size_t i = 0; i < failures.size(); ++i) {
        EXPECT_EQ(failures[i].root, HKEY_LOCAL_MACHINE);
        EXPECT_EQ(failures[i].valueName, kPolicySet.values[6 + i].valueName);
        EXPECT_EQ(failures[i].code, ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kChromiumUrls, "2").data,
              raw::Bytes(std::string("http://*\0", 9)));
    EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, kChromeKey));
    EXPECT_EQ(M().CountOf("RegSetValueExA"), 6u);
    EXPECT_EQ(M().CountOf("RegCreateKeyExA"), 12u) << "every row is attempted";
}

TEST(DeniedMachineWrites, EnableWarnsInsteadOfReportingSuccess) {
    model::Reset();
    M().registry.denyMachineWrites = true;
    EnableAction();
    ASSERT_EQ(M().boxes.size(), 2u);
    EXPECT_EQ(M().boxes[1].text, kDeniedReport);
    EXPECT_EQ(M().boxes[1].caption, "提示");
    EXPECT_EQ(M().boxes[1].flags, 0x30u | 0x2000u);
    EXPECT_TRUE(raw::Exists(HKEY_CURRENT_USER, kChromiumUrls));
    EXPECT_EQ(M().registry.OpenHandleCount(), 0u);
}

TEST(DeniedMachineWrites, DisableRemovesTheUserHalfAndWarnsAboutTheRest) {
    model::Reset();
    Stage(Area::Applied);
    M().registry.denyMachineWrites = true;
    DisableAction();
    ASSERT_EQ(M().boxes.size(), 1u);
    EXPECT_EQ(M().boxes[0].text, kDeniedReport);
    EXPECT_FALSE(raw::Exists(HKEY_CURRENT_USER, kChromiumKey));
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChromeKey, "AllowOutdatedPlugins").data,
              raw::Dword(1));
}

TEST(DeniedMachineWrites, DisableWithNothingUnderTheMachineReportsSuccess) {
    model::Reset();
    M().registry.denyMachineWrites = true;
    DisableAction();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kDisabled}) << "absent keys are no failure";
}

TEST(FailedWrites, AreReportedByKeyWithTheSystemsWords) {
    model::Reset();
    M().failFunction = "RegSetValueExA";  // the first write
    M().failCode = 1021;
    EnableAction();
    ASSERT_EQ(M().boxes.size(), 2u);
    EXPECT_EQ(M().boxes[1].text,
              "部分设置未能完成：\nHKEY_CURRENT_USER\\SOFTWARE\\Policies\\Chromium：错误 1021。");
}

}  // namespace
