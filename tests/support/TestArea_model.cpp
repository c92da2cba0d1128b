#include "sysapi/model/Machine.h"
#include "tests/support/TestArea.h"

namespace testarea {

void Reset() { model::Reset(); }
bool IsModel() { return true; }
unsigned long OpenHandles() { return model::TheMachine().registry.OpenHandleCount(); }

}  // namespace testarea
