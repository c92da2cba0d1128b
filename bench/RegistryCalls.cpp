// Counts the registry calls the two actions make on the model, on an empty policy area and on
// a full one, so an accidental extra open shows up as a changed number.
#include <cstdio>
#include <string>

#include "policy/Actions.h"
#include "policy/PolicySet.h"
#include "sysapi/model/Machine.h"

namespace {

std::size_t RegistryCalls(void (*action)(), bool fullArea) {
    model::Reset();
    if (fullArea) {
        RegistryKey key;
        key.Init();
        ApplyPolicySet(key);
        key.Destroy();
    }
    const auto& calls = model::TheMachine().calls;
    const std::size_t before = calls.size();
    action();
    std::size_t count = 0;
    for (std::size_t i = before; i < calls.size(); ++i)
        count += calls[i].function.rfind("Reg", 0) == 0;
    return count;
}

}  // namespace

int main() {
    std::printf("| action | empty policy area | full policy area |\n|---|---|---|\n");
    std::printf("| EnableAction | %zu | %zu |\n", RegistryCalls(EnableAction, false),
                RegistryCalls(EnableAction, true));
    std::printf("| DisableAction | %zu | %zu |\n", RegistryCalls(DisableAction, false),
                RegistryCalls(DisableAction, true));
    return 0;
}
