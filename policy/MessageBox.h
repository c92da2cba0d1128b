// The one way the program tells the user something: a message box without owner window.
#pragma once

#include <cstdint>

// The answer of a box as a small code; a box that could not be shown answers kAnswerOk.
enum MessageAnswer : int {
    kAnswerOk = 0,
    kAnswerCancel = 1,
    kAnswerAbort = 2,
    kAnswerRetry = 3,
    kAnswerIgnore = 4,
    kAnswerYes = 5,
    kAnswerNo = 6,
};

// Task-modal unless the flags ask for a system-modal box; caption "信息：" when none is given.
int ShowMessage(const char* text, const char* caption, std::uint32_t flags);
