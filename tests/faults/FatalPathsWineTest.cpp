// The fatal paths of the Windows build, in a child process under Wine: a system function that
// cannot be bound and memory that cannot be allocated each show the error box, with its
// caption and text, and once it is answered the process ends with exit code -1.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Folder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder(path, length);
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

struct BoxSearch {
    DWORD processId;
    HWND box;
};

// A message box is a dialog of class #32770 owned by a thread of the process, found once it
// shows, so that its texts are set.
BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner != search->processId || std::wstring(className) != L"#32770" ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    search->box = window;
    return FALSE;
}

std::wstring WindowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

struct FatalCase {
    const char* argument;
    const wchar_t* text;
};

void PrintTo(const FatalCase& c, std::ostream* out) { *out << c.argument; }

class FatalPath : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FatalPath, ShowsTheErrorBoxThenEndsWithMinusOne) {
    const FatalCase& c = GetParam();
    const std::wstring program = Folder() + L"fatal_paths.exe";
    std::wstring command = L"\"" + program + L"\" ";
    for (const char* a = c.argument; *a; ++a) command += static_cast<wchar_t>(*a);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &child));

    BoxSearch search{child.dwProcessId, nullptr};
    for (int i = 0; i < 200 && !search.box; ++i) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box) Sleep(50);
    }
    ASSERT_NE(search.box, nullptr) << "no error box appeared";
    EXPECT_NE(WaitForSingleObject(child.hProcess, 0), static_cast<DWORD>(WAIT_OBJECT_0))
        << "the program ended before its box was answered";
    // The box's text is its static control 0xFFFF, in Windows as in Wine; read once it is set.
    std::wstring text;
    for (int i = 0; i < 100 && text.empty(); ++i) {
        text = WindowText(GetDlgItem(search.box, 0xFFFF));
        if (text.empty()) Sleep(50);
    }
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(WindowText(search.box), L"错误");

    PostMessageW(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD exitCode = 0;
    GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0xFFFFFFFFu);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

INSTANTIATE_TEST_SUITE_P(
    BothWays, FatalPath,
    ::testing::Values(
        FatalCase{"missing-function",
                  L"无法在 user32.dll 中找到系统函数 RegOpenCurrentUser，程序无法继续运行。"},
        FatalCase{"no-memory", L"内存不足，程序无法继续运行。"}),
    [](const ::testing::TestParamInfo<FatalCase>& param) {
        std::string name = param.param.argument;
        name.erase(name.find('-'), 1);
        return name;
    });

}  // namespace
