// Stands in for the user's web browser: notes each address it is asked to open, one line of
// UTF-8 each, in opened.txt beside itself.
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::wstring address = arguments && count > 1 ? arguments[1] : L"";

    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring log = path;
    const std::size_t folderEnd = log.find_last_of(L"\\/");
    if (folderEnd != std::wstring::npos) log.erase(folderEnd);
    log += L"\\opened.txt";

    std::string line(static_cast<std::size_t>(::WideCharToMultiByte(
                         CP_UTF8, 0, address.c_str(), static_cast<int>(address.size()), nullptr, 0,
                         nullptr, nullptr)),
                     '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, address.c_str(), static_cast<int>(address.size()),
                          line.data(), static_cast<int>(line.size()), nullptr, nullptr);
    line += '\n';
    const HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
