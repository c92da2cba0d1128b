#include "app/ForumPage.h"

#include <windows.h>

#include <shellapi.h>

void OpenForumPage(unsigned /*x*/, unsigned /*y*/, unsigned /*keys*/) {
    // An open Internet Explorer window, if any, owns whatever the shell may show.
    const HWND owner = ::FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
    ::ShellExecuteA(owner, "open", kForumAddress, nullptr, nullptr, SW_SHOWNORMAL);
}
