#include "app/ForumPage.h"

#include <windows.h>

#include <shellapi.h>

#include "sysapi/win32/Binding.h"

void OpenForumPage(unsigned /*x*/, unsigned /*y*/, unsigned /*keys*/) {
    // The shell is loaded only when the page is asked for, not with every start of the tool.
    SYS_BIND("shell32.dll", ShellExecuteA);
    // An open Internet Explorer window, if any, owns whatever the shell may show.
    const HWND owner = ::FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    bound(owner, "open", kForumAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
