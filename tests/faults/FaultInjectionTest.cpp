// Every system call of a button action made to fail once, in turn, on the model: whichever
// fails, the action ends, leaves no key, snapshot or process handle open, changes nothing but
// its own values and keys, and never says "已开启" or "已完成" after a write or delete that failed.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "policy/Actions.h"
#include "policy/PolicySet.h"
#include "sysapi/model/Machine.h"
#include "tests/support/RawRegistry.h"

namespace {

model::Machine& M() { return model::TheMachine(); }

const std::string kWarning = "部分设置未能完成：";

struct Scenario {
    const char* name;
    void (*action)();
    const char* done;   // the box of a complete run
    bool applied;       // the policy set is there before
    bool othersValues;  // others keep values and a subkey inside the policy keys
    bool browser;       // a chrome.exe runs, so the guard asks and terminates it
};

void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }

// Where the model keeps a root's keys, as the start of their full names.
std::string Hive(sys::KeyHandle root) {
    if (root == HKEY_CURRENT_USER) {
        return std::string("HKEY_USERS\\") + model::RegistryModel::kUserSid + "\\";
    }
    return "HKEY_LOCAL_MACHINE\\";
}

// The values of the set, each as "<full key name>|<value name>" in the model's spelling.
std::set<std::string> OurValues() {
    std::set<std::string> ours;
    for (const PolicyValue& row : kPolicySet.values) {
        ours.insert(model::FoldName(Hive(row.root) + row.keyPath) + "|" +
                    model::FoldName(row.valueName));
    }
    return ours;
}

std::set<std::string> OurKeys() {
    std::set<std::string> ours;
    for (const PolicyKey& key : kPolicySet.keys) {
        ours.insert(model::FoldName(Hive(key.root) + key.keyPath));
    }
    return ours;
}

// Everything in the registry but the set's own values and keys: each key, each value with its
// type and bytes, and whether a key is volatile.
void Describe(const model::RegKey& key, const std::string& name, std::vector<std::string>& out) {
    static const std::set<std::string> ourValues = OurValues();
    static const std::set<std::string> ourKeys = OurKeys();
    const std::string folded = model::FoldName(name);
    if (ourKeys.count(folded) == 0) out.push_back("key " + name + (key.isVolatile ? " (v)" : ""));
    for (const model::RegValue& value : key.values) {
        if (ourValues.count(folded + "|" + model::FoldName(value.name)) != 0) continue;
        std::ostringstream line;
        line << "value " << name << "|" << value.name << " type " << value.type << ":";
        for (std::uint8_t byte : value.data) line << ' ' << static_cast<int>(byte);
        out.push_back(line.str());
    }
    for (const auto& child : key.subkeys) Describe(*child, name + "\\" + child->name, out);
}

std::vector<std::string> OutsideTheSet() {
    std::vector<std::string> lines;
    for (const char* root : {"HKEY_LOCAL_MACHINE", "HKEY_USERS"}) {
        Describe(*M().registry.Find(root), root, lines);
    }
    return lines;
}

// Parents of the policy keys with neighbours of their own, and, if asked, what an
// administrator keeps inside the policy keys.
void Stage(const Scenario& s) {
    ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, "Software\\Policies\\Mozilla"), ERROR_SUCCESS);
    ASSERT_EQ(
        raw::Write(HKEY_CURRENT_USER, "Software\\Policies", "UserValue", REG_DWORD, raw::Dword(7)),
        ERROR_SUCCESS);
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Policies\\Google\\Update"), ERROR_SUCCESS);
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, "SOFTWARE\\Policies\\Google\\Update", "UpdateDefault",
                         REG_DWORD, raw::Dword(0)),
              ERROR_SUCCESS);
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Policies\\Google\\Chrome"),
              ERROR_SUCCESS);
    if (s.applied) {
        RegistryKey key;
        key.Init();
        ASSERT_TRUE(ApplyPolicySet(key).empty());
        key.Destroy();
    }
    if (s.othersValues) {
        ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kChromeKey, "HomepageLocation", REG_SZ,
                             raw::Bytes(std::string("a\0", 2))),
                  ERROR_SUCCESS);
        ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kChromeUrls, "3", REG_SZ,
                             raw::Bytes(std::string("x\0", 2))),
                  ERROR_SUCCESS);
        ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, std::string(kChromiumKey) + "\\Extensions",
                              REG_OPTION_VOLATILE),
                  ERROR_SUCCESS);
    }
    if (s.browser) {  // not first in the walk, and with a window of its own
        M().processes.Start("explorer.exe");
        M().processes.AddWindow("chrome.exe", M().processes.Start("chrome.exe"));
    }
}

// Whether the registry holds what a complete run leaves: every value of the set written, or
// none left and no policy key left empty.
bool Complete(bool enabled) {
    for (const PolicyValue& row : kPolicySet.values) {
        const raw::Value value = raw::Read(row.root, row.keyPath, row.valueName);
        if (enabled) {
            const ByteString expected =
                row.type == REG_DWORD ? raw::Dword(1) : raw::Bytes(std::string(row.data) + '\0');
            if (value.code != ERROR_SUCCESS || value.type != static_cast<sys::Dword>(row.type) ||
                value.data != expected) {
                return false;
            }
        } else if (value.code != ERROR_FILE_NOT_FOUND) {
            return false;
        }
    }
    if (enabled) return true;
    for (const PolicyKey& key : kPolicySet.keys) {
        const model::RegKey* found = M().registry.Find(Hive(key.root) + key.keyPath);
        if (found && found->values.empty() && found->subkeys.empty()) return false;
    }
    return true;
}

bool IsWriteOrDelete(const std::string& function) {
    return function == "RegSetValueExA" || function == "RegCreateKeyExA" ||
           function == "RegDeleteValueA" || function == "RegDeleteKeyA";
}

// A failure the action gets past unharmed: closing a handle, the process functions, a box.
bool IsHarmless(const std::string& function) {
    return function == "RegCloseKey" || function == "CloseHandle" ||
           function == "CreateToolhelp32Snapshot" || function == "Process32First" ||
           function == "Process32Next" || function == "OpenProcess" ||
           function == "TerminateProcess" || function == "FindWindowA" ||
           function == "GetWindowThreadProcessId" || function == "MessageBoxW";
}

class FaultInjection : public ::testing::TestWithParam<Scenario> {};

TEST_P(FaultInjection, EveryCallFailingOnceInTurn) {
    const Scenario& s = GetParam();
    // The run without a fault: how many calls may fail, and what it leaves.
    model::Reset();
    Stage(s);
    const long long firstCall = M().failableCalls;
    const std::vector<std::string> outside = OutsideTheSet();
    s.action();
    const long long points = M().failableCalls - firstCall;
    ASSERT_TRUE(Complete(s.action == EnableAction));
    ASSERT_FALSE(M().boxes.empty());
    ASSERT_EQ(M().boxes.back().text, s.done);

    std::set<std::string> failed;
    for (const sys::Long code : {ERROR_ACCESS_DENIED, ERROR_NOT_ENOUGH_MEMORY}) {
        for (long long point = 0; point < points; ++point) {
            model::Reset();
            Stage(s);
            M().failAt = firstCall + point;
            M().failCode = code;
            try {
                s.action();
            } catch (const model::ProgramEnded& ended) {
                FAIL() << "the program ended: " << ended.message;
            }
            ASSERT_GT(static_cast<long long>(M().calls.size()), M().failAt);
            const model::Call faulted = M().calls[static_cast<std::size_t>(M().failAt)];
            failed.insert(faulted.function);
            SCOPED_TRACE("call " + std::to_string(point) + " of " + std::to_string(points) + ", " +
                         faulted.function + " \"" + faulted.text + "\" failing with " +
                         std::to_string(code));
            const std::vector<std::string> boxes = [] {
                std::vector<std::string> texts;
                for (const auto& box : M().boxes) texts.push_back(box.text);
                return texts;
            }();
            // The last box that failed to show can say nothing; every other box shows.
            bool laterBox = false;
            for (auto i = static_cast<std::size_t>(M().failAt) + 1; i < M().calls.size(); ++i) {
                laterBox = laterBox || M().calls[i].function == "MessageBoxW";
            }
            const bool lastBoxFailed = faulted.function == "MessageBoxW" && !laterBox;

            EXPECT_EQ(M().registry.OpenHandleCount(), 0u) << "a key handle was left open";
            EXPECT_EQ(M().processes.OpenHandleCount(), 0u) << "a snapshot or process was left open";
            EXPECT_EQ(OutsideTheSet(), outside) << "something besides the set changed";
            EXPECT_LE(M().processes.terminated.size(), 1u);
            const bool complete = Complete(s.action == EnableAction);
            if (lastBoxFailed) {
                EXPECT_TRUE(complete);
                EXPECT_EQ(std::count(boxes.begin(), boxes.end(), s.done), 0);
            } else if (!complete || IsWriteOrDelete(faulted.function)) {
                ASSERT_FALSE(boxes.empty());
                EXPECT_EQ(boxes.back().rfind(kWarning, 0), 0u) << "the failure is not reported";
                EXPECT_EQ(std::count(boxes.begin(), boxes.end(), s.done), 0)
                    << "a failed write or delete reported as success";
            } else if (IsHarmless(faulted.function)) {
                ASSERT_FALSE(boxes.empty());
                EXPECT_EQ(boxes.back(), s.done) << "a harmless failure reported as a failure";
            } else {
                // A read or open that failed while the registry ended up right: warning or not.
                ASSERT_FALSE(boxes.empty());
                EXPECT_TRUE(boxes.back() == s.done || boxes.back().rfind(kWarning, 0) == 0);
            }
        }
    }
    std::cout << "[          ] " << s.name << ": " << points << " fault points, each failed with "
              << "codes 5 and 8; functions:";
    for (const auto& function : failed) std::cout << ' ' << function;
    std::cout << std::endl;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BothActions, FaultInjection,
    ::testing::Values(
        Scenario{"EnableOnAnEmptyAreaWhileTheBrowserRuns", EnableAction, "已开启", false, false, true},
        Scenario{"EnableOverTheSetAmongOthersValues", EnableAction, "已开启", true, true, false},
        Scenario{"DisableWhileTheBrowserRuns", DisableAction, "已完成", true, false, true},
        Scenario{"DisableAmongOthersValues", DisableAction, "已完成", true, true, false},
        Scenario{"DisableWithNothingThere", DisableAction, "已完成", false, false, false}),
    [](const ::testing::TestParamInfo<Scenario>& param) { return std::string(param.param.name); });
// clang-format on

}  // namespace
