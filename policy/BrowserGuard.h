// Making sure no Chrome runs before the policies change: look, ask, and close it.
#pragma once

#include <cstdint>
#include <string>

#include "sysapi/SysApi.h"

enum class GuardAnswer { Proceed, Cancelled };

// A copy of text with the 26 ASCII capitals made small; the second byte of a double-byte
// character is left alone whatever its value.
std::string LowerCaseAscii(const char* text);

// 1 when a process with that executable name runs, else 0; caseSensitive 0 compares the
// lower-cased forms.
std::int32_t IsProcessRunning(const char* name, std::int32_t caseSensitive);

// Terminates one process: the owner of a top-level window titled name when that owner is
// itself a process of that name, else the first process of that name. Nonzero on success.
sys::Bool TerminateProcessByName(const char* name);

// When chrome.exe runs, asks whether to close it; Cancel stops the action, OK closes one.
GuardAnswer BrowserGuard();
