// The running-browser guard against real processes and windows under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "policy/BrowserGuard.h"

namespace {

std::string Folder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

// The stand-in browser copied under the given file name, started with the given arguments.
class Program {
public:
    explicit Program(const std::string& fileName, const std::string& arguments = "") {
        const std::string dir = Folder() + "guard-" + fileName + ".d";
        CreateDirectoryA(dir.c_str(), nullptr);
        path_ = dir + "\\" + fileName;
        CopyFileA((Folder() + "chrome.exe").c_str(), path_.c_str(), FALSE);
        std::string command = "\"" + path_ + "\" " + arguments;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(path_.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &info_) != 0;
        if (started_) WaitForInputIdle(info_.hProcess, 5000);
    }
    ~Program() {
        if (started_) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
        DeleteFileA(path_.c_str());
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return started_; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // True once it has ended, with the exit code it ended with.
    bool EndsWith(DWORD code) const {
        if (WaitForSingleObject(info_.hProcess, 5000) != WAIT_OBJECT_0) return false;
        DWORD exitCode = 0;
        GetExitCodeProcess(info_.hProcess, &exitCode);
        return exitCode == code;
    }

private:
    std::string path_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

bool WindowAppears(const char* title) {
    for (int i = 0; i < 100; ++i) {
        if (FindWindowA(nullptr, title)) return true;
        Sleep(50);
    }
    return false;
}

TEST(GuardUnderWine, FindsTheBrowserWhateverTheCaseAndTerminatesIt) {
    EXPECT_EQ(IsProcessRunning("chrome.exe", 0), 0);
    Program browser("chrome.exe");
    ASSERT_TRUE(browser.started());
    EXPECT_EQ(IsProcessRunning("chrome.exe", 0), 1);
    EXPECT_EQ(IsProcessRunning("CHROME.EXE", 0), 1);
    EXPECT_EQ(IsProcessRunning("CHROME.EXE", 1), 0);
    EXPECT_NE(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_TRUE(browser.EndsWith(0));
    EXPECT_EQ(IsProcessRunning("chrome.exe", 0), 0);
}

TEST(GuardUnderWine, FindsAProcessWhoseNameIsInCapitals) {
    Program browser("CHROME.EXE");
    ASSERT_TRUE(browser.started());
    EXPECT_EQ(IsProcessRunning("chrome.exe", 0), 1);
    EXPECT_EQ(IsProcessRunning("chrome.exe", 1), 0);
    EXPECT_NE(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_TRUE(browser.EndsWith(0));
}

TEST(GuardUnderWine, AnotherProgramsWindowTitledChromeIsLeftAlone) {
    Program other("editor.exe", "--window chrome.exe");
    ASSERT_TRUE(other.started());
    ASSERT_TRUE(WindowAppears("chrome.exe"));
    EXPECT_EQ(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_TRUE(other.Running());

    Program browser("chrome.exe");
    ASSERT_TRUE(browser.started());
    EXPECT_NE(TerminateProcessByName("chrome.exe"), 0);
    EXPECT_TRUE(browser.EndsWith(0));
    EXPECT_TRUE(other.Running());
}

}  // namespace
