// What only the in-memory model can stage or observe: the calls made, denied writes, missing
// system functions, a restart of the user's session, injected failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/RegistryKey.h"
#include "sysapi/Win32Constants.h"
#include "sysapi/model/Machine.h"
#include "tests/support/AreaTest.h"
#include "tests/support/RawRegistry.h"

namespace {

constexpr const char* kUser = "Software\\ZarvellTest";
constexpr const char* kMachine = "SOFTWARE\\ZarvellTest";
constexpr sys::Dword kFullAccess64 = KEY_ALL_ACCESS | KEY_WOW64_64KEY;
constexpr sys::Dword kFullAccess32 = KEY_ALL_ACCESS | KEY_WOW64_32KEY;

model::Machine& M() { return model::TheMachine(); }

std::vector<std::string> Functions(std::size_t from = 0) {
    std::vector<std::string> names;
    for (std::size_t i = from; i < M().calls.size(); ++i) names.push_back(M().calls[i].function);
    return names;
}

using RegistryKeyModelTest = AreaTest;

using Strings = std::vector<std::string>;

TEST_F(RegistryKeyModelTest, CacheHitMakesNoRegistryCall) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kMachine), ERROR_SUCCESS);
    const std::size_t before = M().calls.size();
    const sys::KeyHandle first = key.OpenKey(HKEY_LOCAL_MACHINE, kMachine);
    EXPECT_EQ(Functions(before), Strings{"RegOpenKeyExA"}) << "nothing was open to close";
    const std::size_t opened = M().calls.size();
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, kMachine), first);
    EXPECT_EQ(M().calls.size(), opened);
}

TEST_F(RegistryKeyModelTest, CacheComparesPathsCaseSensitively) {
    ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, "Software\\X"), ERROR_SUCCESS);
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, "Software"), RegistryKey::kNoKey);
    const std::size_t before = M().calls.size();
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE"), RegistryKey::kNoKey);
    EXPECT_EQ(Functions(before), (Strings{"RegCloseKey", "RegOpenKeyExA"}));
}

TEST_F(RegistryKeyModelTest, AnEmptyPathHitsTheCacheOfAnAbsentOne) {
    ASSERT_NE(key.OpenKey(HKEY_USERS, nullptr), RegistryKey::kNoKey);
    const std::size_t before = M().calls.size();
    ASSERT_NE(key.OpenKey(HKEY_USERS, ""), RegistryKey::kNoKey);
    EXPECT_EQ(M().calls.size(), before);
}

TEST_F(RegistryKeyModelTest, CurrentUserAndCurrentConfigAreOpenedThroughTheirOwnKeys) {
    std::size_t before = M().calls.size();
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_USER, kUser), RegistryKey::kNoKey);
    EXPECT_EQ(Functions(before), (Strings{"RegOpenCurrentUser", "RegCreateKeyExA", "RegCloseKey"}));
    EXPECT_EQ(M().calls[before].flags, kFullAccess64);
    EXPECT_EQ(M().calls[before + 1].flags, REG_OPTION_VOLATILE);

    before = M().calls.size();
    ASSERT_NE(key.OpenKey(HKEY_CURRENT_CONFIG, ""), RegistryKey::kNoKey);
    EXPECT_EQ(Functions(before),
              (Strings{"RegCloseKey", "RegOpenKeyExA", "RegOpenKeyExA", "RegCloseKey"}));
    EXPECT_EQ(M().calls[before + 1].key, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(M().calls[before + 1].text, "SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current");
    EXPECT_EQ(M().calls[before + 1].flags, kFullAccess64);

    before = M().calls.size();
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_CONFIG, "Made"), RegistryKey::kNoKey);
    EXPECT_EQ(M().calls[before + 2].function, "RegCreateKeyExA");
    EXPECT_EQ(M().calls[before + 2].flags, REG_OPTION_NON_VOLATILE);
}

TEST_F(RegistryKeyModelTest, AccessMaskFollowsTheViewAtEachOpen) {
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE"), RegistryKey::kNoKey);
    EXPECT_EQ(M().calls.back().flags, kFullAccess64);
    key.UseView32();
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, "SOFTWARE"), RegistryKey::kNoKey);
    EXPECT_EQ(M().calls.back().flags, kFullAccess32);

    // KeyExists reads only, and hands the root to the registry unmapped.
    std::size_t before = M().calls.size();
    EXPECT_EQ(key.KeyExists(HKEY_CURRENT_USER, "Software"), 1);
    EXPECT_EQ(M().calls[before].function, "RegOpenKeyExA");
    EXPECT_EQ(M().calls[before].key, HKEY_CURRENT_USER);
    EXPECT_EQ(M().calls[before].flags, KEY_READ | KEY_WOW64_32KEY);
    key.UseView64();
    before = M().calls.size();
    EXPECT_EQ(key.KeyExists(HKEY_CURRENT_USER, "Software"), 1);
    EXPECT_EQ(M().calls[before].flags, KEY_READ | KEY_WOW64_64KEY);
}

TEST_F(RegistryKeyModelTest, ChangingTheViewReopensEvenTheRootItself) {
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, ""), RegistryKey::kNoKey);
    key.UseView32();
    const std::size_t before = M().calls.size();
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, ""), RegistryKey::kNoKey);
    EXPECT_EQ(Functions(before), (Strings{"RegCloseKey", "RegOpenKeyExA"}));
}

TEST_F(RegistryKeyModelTest, WritersWithCreateRecreateTheKeyAndWithoutItReuseIt) {
    ASSERT_NE(key.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    std::size_t before = M().calls.size();
    ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 1, REG_DWORD, true), 0);
    EXPECT_EQ(Functions(before), (Strings{"RegCloseKey", "RegCreateKeyExA", "RegSetValueExA"}));

    before = M().calls.size();
    ByteString data = raw::Bytes("x");
    ASSERT_EQ(key.SetBytesValue(HKEY_LOCAL_MACHINE, kMachine, "S", data, REG_SZ, false), 0);
    ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 2, REG_DWORD, false), 0);
    ASSERT_EQ(key.DeleteValue(HKEY_LOCAL_MACHINE, kMachine, "S"), 0);
    EXPECT_EQ(Functions(before), (Strings{"RegSetValueExA", "RegSetValueExA", "RegDeleteValueA"}));
}

TEST_F(RegistryKeyModelTest, RefusedTypeMakesNoCallAtAll) {
    const std::size_t before = M().calls.size();
    ByteString data = raw::Bytes("x");
    EXPECT_EQ(key.SetBytesValue(HKEY_LOCAL_MACHINE, kMachine, "V", data, REG_DWORD, true), -1);
    EXPECT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 1, REG_SZ, true), -1);
    EXPECT_EQ(M().calls.size(), before);
}

TEST_F(RegistryKeyModelTest, ReadersReuseTheOpenKey) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, std::string(kMachine) + "\\A"), ERROR_SUCCESS);
    std::vector<std::string> names;
    std::vector<ValueEntry> entries;
    ValueEntry entry;
    ASSERT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), 1);
    const std::size_t before = M().calls.size();
    ASSERT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), 1);
    ASSERT_EQ(key.EnumValues(HKEY_LOCAL_MACHINE, kMachine, entries), 0);
    key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "V", entry);
    for (std::size_t i = before; i < M().calls.size(); ++i) {
        EXPECT_NE(M().calls[i].function, "RegOpenKeyExA");
        EXPECT_NE(M().calls[i].function, "RegCloseKey");
    }
}

TEST_F(RegistryKeyModelTest, DeniedMachineWritesFailWithAccessDeniedWhileUserWritesGoOn) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kMachine), ERROR_SUCCESS);
    M().registry.denyMachineWrites = true;
    EXPECT_EQ(key.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    EXPECT_EQ(key.LastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", "V", 1, REG_DWORD, true),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(M().registry.Find("HKEY_LOCAL_MACHINE\\SOFTWARE\\New"), nullptr);
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, kMachine), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(key.SetQwordFromHex(HKEY_LOCAL_MACHINE, kMachine, "Q", "1"));
    EXPECT_EQ(key.SetIntegerValue(HKEY_CURRENT_USER, kUser, "V", 1, REG_DWORD, true), 0);

    // Readable but not writable: KeyExists says yes, the full-access open says no.
    EXPECT_EQ(key.KeyExists(HKEY_LOCAL_MACHINE, kMachine), 1);
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    EXPECT_EQ(key.LastError(), ERROR_ACCESS_DENIED);
    std::vector<std::string> names{"kept"};
    EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), ERROR_ACCESS_DENIED);
    EXPECT_EQ(names, Strings{"kept"});
}

TEST_F(RegistryKeyModelTest, VolatileKeysGoWithTheSessionAndStoredOnesStay) {
    ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, "Software\\Stored"), ERROR_SUCCESS);
    ASSERT_EQ(
        key.SetIntegerValue(HKEY_CURRENT_USER, "Software\\Stored\\A\\B", "V", 1, REG_DWORD, true),
        0);
    ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B", "V", 1, REG_DWORD, true),
              0);
    key.Destroy();
    M().registry.Restart();
    EXPECT_TRUE(raw::Exists(HKEY_CURRENT_USER, "Software\\Stored"));
    EXPECT_FALSE(raw::Exists(HKEY_CURRENT_USER, "Software\\Stored\\A"));
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, "SOFTWARE\\A\\B", "V").data, raw::Dword(1));
}

TEST_F(RegistryKeyModelTest, ViewChoiceOfAThirtyTwoBitProcess) {
    struct Case {
        model::Wow64Answer answer;
        sys::Bool view64;
        std::size_t questions;
    };
    const Case cases[] = {
        {model::Wow64Answer::Missing, 0, 0},  // a Windows without the question is 32-bit
        {model::Wow64Answer::Fails, 0, 1},
        {model::Wow64Answer::No, 0, 1},
        {model::Wow64Answer::Yes, 1, 1},
    };
    for (const Case& c : cases) {
        model::Reset();
        M().wow64 = c.answer;
        EXPECT_EQ(ChooseView64(false), c.view64) << static_cast<int>(c.answer);
        EXPECT_EQ(M().CountOf("IsWow64Process"), c.questions);
        EXPECT_EQ(ChooseView64(true), 1) << "a 64-bit process needs no question";
        EXPECT_EQ(M().CountOf("IsWow64Process"), c.questions);
    }
}

TEST_F(RegistryKeyModelTest, MissingRegistryFunctionEndsTheProgram) {
    M().missing.insert("RegCreateKeyExA");
    try {
        key.CreateKey(HKEY_LOCAL_MACHINE, kMachine);
        FAIL() << "the program should have ended";
    } catch (const model::ProgramEnded& ended) {
        EXPECT_EQ(ended.exitCode, -1);
        EXPECT_NE(ended.message.find("RegCreateKeyExA"), std::string::npos);
        EXPECT_NE(ended.message.find("advapi32.dll"), std::string::npos);
    }
}

TEST_F(RegistryKeyModelTest, FailureClosingTheUserKeyDoesNotReachTheResult) {
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_USER, kUser), RegistryKey::kNoKey);
    key.Close();
    M().failAt = M().failableCalls + 2;  // open user, open path, then the user key's close
    M().failCode = ERROR_INVALID_HANDLE;
    ASSERT_NE(key.OpenKey(HKEY_CURRENT_USER, kUser), RegistryKey::kNoKey);
    EXPECT_EQ(M().calls.back().function, "RegCloseKey");
    EXPECT_EQ(key.LastError(), ERROR_SUCCESS);
}

TEST_F(RegistryKeyModelTest, EnumSubkeysStopsAtALongNameOrAFailedRead) {
    // 200 double-byte characters: a legal name of 400 bytes that no 256-byte buffer holds.
    std::string wide;
    for (int i = 0; i < 200; ++i) wide += "\xD7\xD6";
    const std::string base = kMachine;
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, base + "\\A"), ERROR_SUCCESS);
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, base + "\\" + wide), ERROR_SUCCESS);
    std::vector<std::string> names;
    EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), 1);
    EXPECT_EQ(names, Strings{"A"});
    EXPECT_EQ(key.LastError(), ERROR_MORE_DATA);

    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\OnlyLong\\" + wide), ERROR_SUCCESS);
    names = {"stale"};
    EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\OnlyLong", names), ERROR_MORE_DATA);
    EXPECT_TRUE(names.empty());

    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, base + "\\B"), ERROR_SUCCESS);
    raw::DeleteTree(HKEY_LOCAL_MACHINE, base + "\\" + wide);
    key.Close();
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    M().failAt = M().failableCalls + 1;  // the read at index 1
    M().failCode = ERROR_NOT_ENOUGH_MEMORY;
    EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), 1);
    EXPECT_EQ(key.LastError(), ERROR_NOT_ENOUGH_MEMORY);
}

// The values an empty cache holds (root 0 when new, -1 once invalidated, and -1 is what a
// failed OpenKey returns) name no key: a root equal to them must reach the registry, never the
// key held open or the one closed before.
TEST_F(RegistryKeyModelTest, AnEmptyCacheNamesNoKeyWhateverRootIsAsked) {
    struct Case {
        const char* name;
        void (*stage)(RegistryKey&);
        sys::KeyHandle root;
        bool create;
    };
    const Case cases[] = {
        {"new", [](RegistryKey&) {}, 0, false},
        {"closed", [](RegistryKey& k) { k.Close(); }, -1, false},
        {"after a failed open", [](RegistryKey& k) { k.OpenKey(HKEY_LOCAL_MACHINE, "Missing"); },
         -1, false},
        {"view changed while open", [](RegistryKey& k) { k.UseView64(); }, -1, false},
        {"open, writing with create", [](RegistryKey&) {}, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model::Reset();
        RegistryKey other;
        other.Init();
        if (c.root != 0) {  // the new object is left as it was made
            ASSERT_NE(other.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
        }
        c.stage(other);
        EXPECT_EQ(other.SetIntegerValue(c.root, "", "V", 1, REG_DWORD, c.create),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(M().CountOf("RegSetValueExA"), 0u) << "written through a key never named";
        EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kMachine, "V").code, ERROR_FILE_NOT_FOUND);
        other.Destroy();
        EXPECT_EQ(M().registry.OpenHandleCount(), 0u);
    }
}

TEST_F(RegistryKeyModelTest, CopyAndOriginalCloseTheOneHandleOnce) {
    ASSERT_NE(key.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    std::unique_ptr<RegistryKey> copy = key.Copy();
    copy->Destroy();
    copy.reset();
    key.Destroy();
    EXPECT_EQ(M().CountOf("RegCloseKey"), 1u);
    EXPECT_EQ(M().registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryKeyModelTest, ReleasingAnObjectWithoutDestroyStillClosesItsKey) {
    auto other = std::make_unique<RegistryKey>();
    other->Init();
    ASSERT_NE(other->CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    other.reset();
    EXPECT_EQ(M().registry.OpenHandleCount(), 0u);
}

TEST_F(RegistryKeyModelTest, DeleteKeyTakesADoubleByteNameWithABackslashByteWhole) {
    const std::string parent = std::string(kMachine) + "\\A";
    const std::string child = "\x81\x5C";  // its second byte is the backslash byte
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, parent + "\\" + child), ERROR_SUCCESS);
    ASSERT_EQ(raw::Subkeys(HKEY_LOCAL_MACHINE, parent), Strings{child});
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, (parent + "\\" + child).c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(raw::Subkeys(HKEY_LOCAL_MACHINE, parent).empty());
    EXPECT_EQ(key.CachedPath, parent);
}

}  // namespace
