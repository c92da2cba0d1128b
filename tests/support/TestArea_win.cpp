#include "tests/support/RawRegistry.h"
#include "tests/support/TestArea.h"

namespace testarea {

void Reset() {
    raw::DeleteTree(HKEY_CURRENT_USER, kUser);
    raw::DeleteTree(HKEY_LOCAL_MACHINE, kMachine, raw::kView64);
    raw::DeleteTree(HKEY_LOCAL_MACHINE, kMachine, raw::kView32);
    raw::DeleteTree(HKEY_LOCAL_MACHINE, kProfileFromMachine);
    raw::DeleteTree(HKEY_CURRENT_USER, "SOFTWARE\\Policies\\Chromium");
    raw::DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Policies\\Google\\Chrome");
}
bool IsModel() { return false; }
unsigned long OpenHandles() { return 0; }

}  // namespace testarea
