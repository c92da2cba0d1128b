// The part of the registry that tests may change, emptied before and after each test.
#pragma once

namespace testarea {

constexpr const char* kUser = "Software\\ZarvellTest";
constexpr const char* kMachine = "SOFTWARE\\ZarvellTest";
constexpr const char* kProfile = "ZarvellTest";  // below the current hardware profile
constexpr const char* kProfileFromMachine =
    "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\ZarvellTest";

// A fresh area: a fresh machine on the host; on Windows the test keys and the browser
// policy keys deleted.
void Reset();
// True where the registry is the in-memory model.
bool IsModel();
// Keys the model still holds open; 0 where that cannot be known.
unsigned long OpenHandles();

}  // namespace testarea
