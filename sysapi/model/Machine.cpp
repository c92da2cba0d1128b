#include "sysapi/model/Machine.h"

#include <algorithm>
#include <memory>

namespace model {

namespace {

std::unique_ptr<Machine>& Current() {
    static std::unique_ptr<Machine> machine = std::make_unique<Machine>();
    return machine;
}

}  // namespace

Machine& TheMachine() { return *Current(); }

void Reset() { Current() = std::make_unique<Machine>(); }

bool Machine::Enter(const char* library, const char* function, sys::KeyHandle key, const char* text,
                    sys::Dword flags) {
    if (missing.count(function)) {
        sys::EndProgram(sys::MissingFunctionText(library, function).c_str());
    }
    calls.push_back(Call{function, key, text ? text : "", flags});
    const std::size_t occurrence = callsByFunction_[function]++;
    const bool planned = function == failFunction && occurrence == failOccurrence;
    return failableCalls++ == failAt || planned;
}

std::size_t Machine::CountOf(const std::string& function) const {
    return static_cast<std::size_t>(std::count_if(
        calls.begin(), calls.end(), [&](const Call& call) { return call.function == function; }));
}

}  // namespace model

namespace sys {

void EndProgram(const char* text) { throw model::ProgramEnded{-1, text}; }

}  // namespace sys
