// The running-browser guard against the model's process table and scripted message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "policy/BrowserGuard.h"
#include "policy/MessageBox.h"
#include "sysapi/Win32Constants.h"
#include "sysapi/model/Machine.h"

namespace {

model::Machine& M() { return model::TheMachine(); }

class BrowserGuardTest : public ::testing::Test {
protected:
    void SetUp() override { model::Reset(); }
    void TearDown() override {
        EXPECT_EQ(M().processes.OpenHandleCount(), 0u) << "a snapshot or process handle leaked";
    }
};

TEST(LowerCaseAscii, LowersOnlyAsciiCapitalsAndSparesDoubleByteTrails) {
    struct Case {
        const char* text;
        std::string lowered;
    };
    // clang-format off
    const Case cases[] = {
        {"CHROME.EXE", "chrome.exe"},
        {"Chrome.Exe", "chrome.exe"},
        {"chrome.exe", "chrome.exe"},
        {"@[`{", "@[`{"},                        // the neighbours of the letters stay
        {"\x81" "AB", "\x81" "Ab"},              // 'A' is the trail byte of a character
        {"A\xC4\xC5Z", "a\xC4\xC5z"},
        {"AB\x81", "ab\x81"},                    // a lead byte right before the end
        {"", ""},
        {nullptr, ""},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(LowerCaseAscii(c.text), c.lowered);
}

TEST(LowerCaseAscii, LeavesTheCallersTextAlone) {
    char text[] = "CHROME.EXE";
    LowerCaseAscii(text);
    EXPECT_STREQ(text, "CHROME.EXE");
}

TEST_F(BrowserGuardTest, IsProcessRunningComparesWholeNames) {
    struct Case {
        std::vector<std::string> running;
        const char* name;
        std::int32_t caseSensitive;
        std::int32_t expected;
    };
    // clang-format off
    const Case cases[] = {
        {{"explorer.exe", "chrome.exe"}, "chrome.exe", 0, 1},
        {{"CHROME.EXE"}, "chrome.exe", 0, 1},
        {{"Chrome.exe"}, "chrome.exe", 0, 1},
        {{"chrome.exe"}, "Chrome.exe", 1, 0},
        {{"chrome.exe"}, "Chrome.exe", 0, 1},
        {{"chrome.exe.old", "chrome", "xchrome.exe"}, "chrome.exe", 0, 0},
        {{}, "chrome.exe", 0, 0},
        {{"chrome.exe"}, "", 0, 0},
        {{"chrome.exe"}, nullptr, 0, 0},
        // A double-byte name whose trail byte is 'B' on one side and 'b' on the other differs.
        {{"\x81" "B.exe"}, "\x81" "b.exe", 0, 0},
        {{"\x81" "B.EXE"}, "\x81" "B.exe", 0, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        model::Reset();
        for (const auto& name : c.running) M().processes.Start(name);
        EXPECT_EQ(IsProcessRunning(c.name, c.caseSensitive), c.expected)
            << (c.name ? c.name : "(absent)") << " case-sensitive " << c.caseSensitive;
        EXPECT_EQ(M().processes.OpenHandleCount(), 0u);
    }
}

TEST_F(BrowserGuardTest, IsProcessRunningWithAnEmptyNameWalksEveryEntry) {
    for (int i = 0; i < 5; ++i) M().processes.Start("p" + std::to_string(i) + ".exe");
    EXPECT_EQ(IsProcessRunning("", 0), 0);
    EXPECT_EQ(M().CountOf("Process32First") + M().CountOf("Process32Next"), 6u);
}

TEST_F(BrowserGuardTest, IsProcessRunningAnswersNoWhenTheSnapshotFails) {
    M().processes.Start("chrome.exe");
    M().failAt = 0;  // the snapshot itself
    EXPECT_EQ(IsProcessRunning("chrome.exe", 0), 0);
    model::Reset();
    M().processes.Start("chrome.exe");
    M().failAt = 1;  // the first entry
    EXPECT_EQ(IsProcessRunning("chrome.exe", 0), 0);
}

TEST_F(BrowserGuardTest, TerminatesTheFirstOfSeveralAndOnlyOne) {
    const sys::Dword first = M().processes.Start("chrome.exe");
    const sys::Dword second = M().processes.Start("Chrome.exe");
    EXPECT_NE(TerminateProcessByName("CHROME.EXE"), 0);
    EXPECT_EQ(M().processes.terminated, std::vector<sys::Dword>{first});
    EXPECT_TRUE(M().processes.IsRunning(second));
}

TEST_F(BrowserGuardTest, TerminationFailuresAnswerZero) {
    EXPECT_EQ(TerminateProcessByName(""), 0);
    EXPECT_EQ(TerminateProcessByName(nullptr), 0);
    EXPECT_TRUE(M().calls.empty()) << "an empty name looks for nothing";
    EXPECT_EQ(TerminateProcessByName("chrome.exe"), 0) << "none running";

    M().processes.Start("chrome.exe", /*canOpen=*/false);
    EXPECT_EQ(TerminateProcessByName("chrome.exe"), 0) << "another account's process";
    model::Reset();
    M().processes.Start("chrome.exe", true, /*canTerminate=*/false);
    EXPECT_EQ(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_TRUE(M().processes.terminated.empty());
}

TEST_F(BrowserGuardTest, AWindowTitledWithTheNameCountsOnlyWhenItsOwnerBearsTheName) {
    // A browser's own window picks which of the browsers goes.
    const sys::Dword first = M().processes.Start("chrome.exe");
    const sys::Dword withWindow = M().processes.Start("chrome.exe");
    M().processes.AddWindow("chrome.exe", withWindow);
    EXPECT_NE(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_EQ(M().processes.terminated, std::vector<sys::Dword>{withWindow});
    EXPECT_TRUE(M().processes.IsRunning(first));

    // Another program's window with that title is never a reason to end that program.
    model::Reset();
    const sys::Dword editor = M().processes.Start("notepad.exe");
    M().processes.AddWindow("chrome.exe", editor);
    EXPECT_EQ(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_TRUE(M().processes.IsRunning(editor));
    const sys::Dword browser = M().processes.Start("chrome.exe");
    EXPECT_NE(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_EQ(M().processes.terminated, std::vector<sys::Dword>{browser});
    EXPECT_TRUE(M().processes.IsRunning(editor));
}

constexpr const char* kQuestion =
    "检测到Google Chrome正在运行，是否关闭，否则无法执行下一步，是否关闭？";

TEST_F(BrowserGuardTest, NoBrowserNoQuestion) {
    M().processes.Start("explorer.exe");
    EXPECT_EQ(BrowserGuard(), GuardAnswer::Proceed);
    EXPECT_TRUE(M().boxes.empty());
}

TEST_F(BrowserGuardTest, AsksOnceAndActsOnTheAnswer) {
    struct Case {
        int answer;  // what MessageBoxW returns
        GuardAnswer guard;
        std::size_t terminated;
    };
    const Case cases[] = {
        {IDOK, GuardAnswer::Proceed, 1},
        {IDCANCEL, GuardAnswer::Cancelled, 0},  // also Esc and the close box
        {0, GuardAnswer::Proceed, 1},           // a box that could not be shown counts as OK
    };
    for (const Case& c : cases) {
        model::Reset();
        M().processes.Start("chrome.exe");
        M().processes.Start("chrome.exe");
        M().answers = {c.answer};
        EXPECT_EQ(BrowserGuard(), c.guard) << c.answer;
        ASSERT_EQ(M().boxes.size(), 1u);
        EXPECT_EQ(M().boxes[0].text, kQuestion);
        EXPECT_EQ(M().boxes[0].caption, "提示");
        EXPECT_EQ(M().boxes[0].flags, 0x2021u);
        EXPECT_EQ(M().processes.terminated.size(), c.terminated) << c.answer;
        EXPECT_EQ(M().processes.running.size(), 2 - c.terminated);
    }
}

TEST_F(BrowserGuardTest, ProceedsWhenTheBrowserEndsWhileTheBoxIsUp) {
    M().processes.Start("chrome.exe");
    M().whileBoxIsUp = [](model::Machine& m) { m.processes.running.clear(); };
    EXPECT_EQ(BrowserGuard(), GuardAnswer::Proceed);
    EXPECT_TRUE(M().processes.terminated.empty());
    EXPECT_EQ(M().CountOf("OpenProcess"), 0u);
}

TEST_F(BrowserGuardTest, ProceedsWhenTheBrowserCannotBeClosed) {
    M().processes.Start("chrome.exe", /*canOpen=*/false);
    EXPECT_EQ(BrowserGuard(), GuardAnswer::Proceed);
    EXPECT_EQ(M().boxes.size(), 1u) << "no message about the failure";
}

TEST(MessageBoxHelper, AddsTaskModalAndADefaultCaptionAndMapsTheAnswer) {
    struct Case {
        std::uint32_t flags;
        const char* caption;
        int raw;
        std::uint32_t shownFlags;
        std::string shownCaption;
        int answer;
    };
    const Case cases[] = {
        {MB_OK, "提示", IDOK, MB_TASKMODAL, "提示", kAnswerOk},
        {MB_OKCANCEL, nullptr, IDCANCEL, MB_OKCANCEL | MB_TASKMODAL, "信息：", kAnswerCancel},
        {MB_OKCANCEL, "", IDCANCEL, MB_OKCANCEL | MB_TASKMODAL, "信息：", kAnswerCancel},
        {MB_SYSTEMMODAL, "c", IDABORT, MB_SYSTEMMODAL, "c", kAnswerAbort},
        {MB_TASKMODAL, "c", IDRETRY, MB_TASKMODAL, "c", kAnswerRetry},
        {0, "c", IDIGNORE, MB_TASKMODAL, "c", kAnswerIgnore},
        {0, "c", IDYES, MB_TASKMODAL, "c", kAnswerYes},
        {0, "c", IDNO, MB_TASKMODAL, "c", kAnswerNo},
        {0, "c", 0, MB_TASKMODAL, "c", kAnswerOk},   // the box failed
        {0, "c", 11, MB_TASKMODAL, "c", kAnswerOk},  // IDCONTINUE and the like
    };
    for (const Case& c : cases) {
        model::Reset();
        M().answers = {c.raw};
        EXPECT_EQ(ShowMessage("text", c.caption, c.flags), c.answer) << c.raw;
        ASSERT_EQ(M().boxes.size(), 1u);
        EXPECT_EQ(M().boxes[0].flags, c.shownFlags);
        EXPECT_EQ(M().boxes[0].caption, c.shownCaption);
        EXPECT_EQ(M().boxes[0].text, "text");
    }
}

}  // namespace
