#include "policy/MessageBox.h"

#include "sysapi/SysApi.h"
#include "sysapi/Win32Constants.h"

int ShowMessage(const char* text, const char* caption, std::uint32_t flags) {
    if (!(flags & MB_SYSTEMMODAL)) flags |= MB_TASKMODAL;
    const char* shownCaption = caption && *caption ? caption : "信息：";
    switch (sys::ShowMessageBox(text ? text : "", shownCaption, flags)) {
    case IDCANCEL: return kAnswerCancel;
    case IDABORT: return kAnswerAbort;
    case IDRETRY: return kAnswerRetry;
    case IDIGNORE: return kAnswerIgnore;
    case IDYES: return kAnswerYes;
    case IDNO: return kAnswerNo;
    default: return kAnswerOk;  // IDOK, and a box that failed
    }
}
