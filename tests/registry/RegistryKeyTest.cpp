// The key object against a registry: the in-memory model on the host, Wine's real registry
// in the Windows build. What only the model can stage lives in RegistryKeyModelTest.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/KeyPath.h"
#include "registry/RegistryKey.h"
#include "tests/support/AreaTest.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TestArea.h"

namespace {

using testarea::kMachine;
using testarea::kUser;

std::string Under(const char* area, const std::string& rest) {
    return std::string(area) + "\\" + rest;
}

ByteString Padded256(ByteString bytes) {
    bytes.resize(256, 0);
    return bytes;
}

using RegistryKeyTest = AreaTest;

// ---- Opening, the cache and closing ----

TEST_F(RegistryKeyTest, ChoosesTheSixtyFourBitViewInASixtyFourBitProcess) {
    if (sizeof(void*) != 8) GTEST_SKIP() << "a 32-bit process asks the system";
    EXPECT_EQ(key.ViewFlag, 1);
    EXPECT_EQ(key.IsOpen, 0);
    EXPECT_EQ(key.LastError(), 0);
}

TEST_F(RegistryKeyTest, SecondOpenOfTheSameKeyReusesTheHandle) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "A")), ERROR_SUCCESS);
    const std::string path = Under(kMachine, "A");
    const sys::KeyHandle first = key.OpenKey(HKEY_LOCAL_MACHINE, path.c_str());
    ASSERT_NE(first, RegistryKey::kNoKey);
    EXPECT_EQ(key.IsOpen, 1);
    EXPECT_EQ(key.CachedRoot, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(key.CachedPath, path);
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, path.c_str()), first);
    EXPECT_EQ(key.LastError(), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, AbsentAndEmptyPathsOpenTheRootItselfAndShareTheCache) {
    const sys::KeyHandle root = key.OpenKey(HKEY_LOCAL_MACHINE, nullptr);
    ASSERT_NE(root, RegistryKey::kNoKey);
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, ""), root);
    std::vector<std::string> names;
    ASSERT_GT(key.EnumSubkeys(HKEY_LOCAL_MACHINE, nullptr, names), 0);
    bool software = false;
    for (const auto& name : names) software = software || name == "SOFTWARE" || name == "Software";
    EXPECT_TRUE(software) << "the root's own subkeys are listed";
}

TEST_F(RegistryKeyTest, FailedOpenReportsTheCodeAndDropsTheKeyThatWasOpen) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "A")), ERROR_SUCCESS);
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, Under(kMachine, "A").c_str()), RegistryKey::kNoKey);
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, Under(kMachine, "Missing").c_str()),
              RegistryKey::kNoKey);
    EXPECT_EQ(key.LastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.IsOpen, 0);
    EXPECT_EQ(key.CachedRoot, -1);
    EXPECT_EQ(key.CachedPath, "");
}

TEST_F(RegistryKeyTest, CloseTwiceAnswersMinusOneAndKeepsTheLastResult) {
    ASSERT_NE(key.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.Close(), -1);
    EXPECT_EQ(key.LastError(), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, KeysCreatedBelowTheCurrentUserAreVolatileAtEveryLevel) {
    // A stored key cannot live below a volatile one, which shows which kind each level is.
    const std::string user = Under(kUser, "A\\B");
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_USER, user.c_str()), RegistryKey::kNoKey);
    EXPECT_EQ(raw::Create(HKEY_CURRENT_USER, Under(kUser, "A\\B\\Stored")),
              ERROR_CHILD_MUST_BE_VOLATILE);
    EXPECT_EQ(raw::Create(HKEY_CURRENT_USER, Under(kUser, "A\\Stored")),
              ERROR_CHILD_MUST_BE_VOLATILE);
    EXPECT_EQ(raw::Create(HKEY_CURRENT_USER, Under(kUser, "Stored")), ERROR_CHILD_MUST_BE_VOLATILE);

    const std::string machine = Under(kMachine, "A\\B");
    ASSERT_NE(key.CreateKey(HKEY_LOCAL_MACHINE, machine.c_str()), RegistryKey::kNoKey);
    EXPECT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "A\\B\\Stored")), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, CreateOpensAnExistingKeyAndKeepsWhatItHolds) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kMachine), ERROR_SUCCESS);
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kMachine, "Kept", REG_DWORD, raw::Dword(7)), 0);
    ASSERT_NE(key.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kMachine, "Kept").data, raw::Dword(7));
}

TEST_F(RegistryKeyTest, CurrentConfigIsTheCurrentHardwareProfile) {
    ASSERT_EQ(key.SetIntegerValue(HKEY_CURRENT_CONFIG, testarea::kProfile, "V", 5, REG_DWORD, true),
              ERROR_SUCCESS);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, testarea::kProfileFromMachine, "V").data,
              raw::Dword(5));

    std::vector<std::string> names;
    ASSERT_GE(key.EnumSubkeys(HKEY_CURRENT_CONFIG, "", names), 1);
    EXPECT_NE(std::find(names.begin(), names.end(), "ZarvellTest"), names.end());
    EXPECT_EQ(raw::Create(HKEY_LOCAL_MACHINE, std::string(testarea::kProfileFromMachine) + "\\S"),
              ERROR_SUCCESS)
        << "created stored, not volatile";
}

TEST_F(RegistryKeyTest, CurrentUserPathsLandInTheUsersOwnHive) {
    ASSERT_EQ(key.SetIntegerValue(HKEY_CURRENT_USER, kUser, "V", 9, REG_DWORD, true),
              ERROR_SUCCESS);
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kUser, "V").data, raw::Dword(9));
}

TEST_F(RegistryKeyTest, ChangingTheViewReopensTheKeyInTheOtherView) {
    const std::string only64 = Under(kMachine, "Only64");
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, only64, REG_OPTION_NON_VOLATILE, raw::kView64),
              ERROR_SUCCESS);
    key.UseView64();
    ASSERT_NE(key.OpenKey(HKEY_LOCAL_MACHINE, only64.c_str()), RegistryKey::kNoKey);
    key.UseView32();
    EXPECT_EQ(key.CachedRoot, -1);
    EXPECT_EQ(key.IsOpen, 1) << "the open key stays open until the next open";
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, only64.c_str()), RegistryKey::kNoKey);
    EXPECT_EQ(key.LastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, WritesInTheThirtyTwoBitViewStayOutOfTheSixtyFourBitOne) {
    key.UseView32();
    ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 1, REG_DWORD, true),
              ERROR_SUCCESS);
    EXPECT_TRUE(raw::Exists(HKEY_LOCAL_MACHINE, kMachine, raw::kView32));
    EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, kMachine, raw::kView64));
    EXPECT_EQ(key.KeyExists(HKEY_LOCAL_MACHINE, kMachine), 1);
    key.UseView64();
    EXPECT_EQ(key.KeyExists(HKEY_LOCAL_MACHINE, kMachine), 0);
}

TEST_F(RegistryKeyTest, CopyStartsClosedSoTheOriginalKeepsItsHandle) {
    ASSERT_NE(key.CreateKey(HKEY_LOCAL_MACHINE, kMachine), RegistryKey::kNoKey);
    std::unique_ptr<RegistryKey> copy = key.Copy();
    EXPECT_EQ(copy->IsOpen, 0);
    EXPECT_EQ(copy->ViewFlag, key.ViewFlag);
    EXPECT_EQ(copy->Close(), -1);
    copy->Destroy();
    // The original's handle is still good: a write through the cached key succeeds.
    EXPECT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 3, REG_DWORD, false),
              ERROR_SUCCESS);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kMachine, "V").data, raw::Dword(3));
}

TEST_F(RegistryKeyTest, DestroyClosesTheOpenKey) {
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_USER, kUser), RegistryKey::kNoKey);
    key.Destroy();
    EXPECT_EQ(key.IsOpen, 0);
    EXPECT_EQ(testarea::OpenHandles(), 0u);
}

// ---- Writing values ----

TEST_F(RegistryKeyTest, ByteWritersAppendOneZeroByteAndHandTheBytesBack) {
    struct Case {
        std::int32_t type;
        std::string input;
        std::string stored;
    };
    const Case cases[] = {
        {REG_SZ, "abc", std::string("abc\0", 4)},
        {REG_SZ, "", std::string("\0", 1)},
        {REG_EXPAND_SZ, "%TEMP%", std::string("%TEMP%\0", 7)},
        {REG_BINARY, std::string("\x01\x02", 2), std::string("\x01\x02\0", 3)},
        {REG_MULTI_SZ, std::string("a\0b\0", 4), std::string("a\0b\0\0", 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        ByteString data = raw::Bytes(c.input);
        ASSERT_EQ(key.SetBytesValue(HKEY_CURRENT_USER, kUser, "V", data, c.type, true),
                  ERROR_SUCCESS);
        EXPECT_EQ(data, raw::Bytes(c.stored)) << "the caller's bytes are replaced";
        const raw::Value stored = raw::Read(HKEY_CURRENT_USER, kUser, "V");
        EXPECT_EQ(stored.type, static_cast<sys::Dword>(c.type));
        EXPECT_EQ(stored.data, raw::Bytes(c.stored));
    }
}

TEST_F(RegistryKeyTest, ReusedByteStringCarriesTheEarlierZeroByte) {
    ByteString data = raw::Bytes("abc");
    ASSERT_EQ(key.SetBytesValue(HKEY_CURRENT_USER, kUser, "V", data, REG_SZ, true), 0);
    ASSERT_EQ(key.SetBytesValue(HKEY_CURRENT_USER, kUser, "V", data, REG_BINARY, true), 0);
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kUser, "V").data, raw::Bytes(std::string("abc\0\0", 5)));
}

TEST_F(RegistryKeyTest, WritersRefuseTypesThatAreNotTheirs) {
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_USER, kUser), RegistryKey::kNoKey);
    key.LastResult = 1234;
    for (std::int32_t type : {0, 4, 5, 6, 8, 11, 12, -1}) {
        ByteString data = raw::Bytes("abc");
        EXPECT_EQ(key.SetBytesValue(HKEY_CURRENT_USER, kUser, "V", data, type, true), -1) << type;
        EXPECT_EQ(data, raw::Bytes("abc"));
    }
    for (std::int32_t type : {0, 1, 2, 3, 7, 6, 12, -1}) {
        EXPECT_EQ(key.SetIntegerValue(HKEY_CURRENT_USER, kUser, "V", 1, type, true), -1) << type;
    }
    EXPECT_EQ(key.LastError(), 1234);
    EXPECT_EQ(key.IsOpen, 1);
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kUser, "V").code, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, IntegerWriterStoresLittleEndianBytesOfTheTypesSize) {
    struct Case {
        std::int64_t value;
        std::int32_t type;
        ByteString stored;
    };
    const std::int64_t highOneLowTwo = (std::int64_t{1} << 32) | 2;
    const Case cases[] = {
        {1, REG_DWORD, {1, 0, 0, 0}},
        {-1, REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {highOneLowTwo, REG_DWORD, {2, 0, 0, 0}},
        {highOneLowTwo, REG_QWORD, {2, 0, 0, 0, 1, 0, 0, 0}},
        {1, REG_DWORD_BIG_ENDIAN, {1, 0, 0, 0}},
        {-2, REG_QWORD, {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " as type " << c.type);
        ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", c.value, c.type, true),
                  ERROR_SUCCESS);
        const raw::Value stored = raw::Read(HKEY_LOCAL_MACHINE, kMachine, "V");
        EXPECT_EQ(stored.type, static_cast<sys::Dword>(c.type));
        EXPECT_EQ(stored.data, c.stored);
    }
}

TEST_F(RegistryKeyTest, WriteWithoutCreateToAMissingKeyCreatesNothing) {
    EXPECT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 1, REG_DWORD, false),
              ERROR_FILE_NOT_FOUND);
    ByteString data = raw::Bytes("abc");
    EXPECT_EQ(key.SetBytesValue(HKEY_LOCAL_MACHINE, kMachine, "V", data, REG_SZ, false),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(data, raw::Bytes("abc")) << "data is untouched when the key cannot be reached";
    EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, kMachine));
    EXPECT_EQ(key.IsOpen, 0);
}

TEST_F(RegistryKeyTest, WriteWithCreateRemakesAKeyDeletedBehindTheObjectsBack) {
    ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 1, REG_DWORD, true), 0);
    raw::DeleteTree(HKEY_LOCAL_MACHINE, kMachine);
    EXPECT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, "V", 2, REG_DWORD, true), 0);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kMachine, "V").data, raw::Dword(2));
}

TEST_F(RegistryKeyTest, DefaultValueIsNamedByAnAbsentOrEmptyName) {
    ASSERT_EQ(key.SetIntegerValue(HKEY_LOCAL_MACHINE, kMachine, nullptr, 6, REG_DWORD, true), 0);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kMachine, "").data, raw::Dword(6));
    ValueEntry entry;
    EXPECT_EQ(key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "", entry), ERROR_SUCCESS);
    EXPECT_EQ(entry.data, Padded256(raw::Dword(6)));
}

TEST_F(RegistryKeyTest, QwordFromHexStoresTheNumberTheTextSpells) {
    struct Case {
        const char* hex;
        ByteString stored;
    };
    const Case cases[] = {
        {"1A2B3", {0xB3, 0xA2, 0x01, 0, 0, 0, 0, 0}},
        {"", {0, 0, 0, 0, 0, 0, 0, 0}},
        {nullptr, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"0x1F", {0x1F, 0, 0, 0, 0, 0, 0, 0}},
        {"5x", {0x05, 0, 0, 0, 0, 0, 0, 0}},
        {"xx", {0, 0, 0, 0, 0, 0, 0, 0}},
        {"FFFFFFFFFFFFFFFF", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"AB0102030405060708", {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex ? c.hex : "(absent)");
        ASSERT_TRUE(key.SetQwordFromHex(HKEY_CURRENT_USER, kUser, "Q", c.hex));
        const raw::Value stored = raw::Read(HKEY_CURRENT_USER, kUser, "Q");
        EXPECT_EQ(stored.type, REG_QWORD);
        EXPECT_EQ(stored.data, c.stored);
    }
}

TEST_F(RegistryKeyTest, QwordFromHexCreatesAMissingKeyAndFailsWhereNoneCanBeMade) {
    EXPECT_TRUE(key.SetQwordFromHex(HKEY_CURRENT_USER, Under(kUser, "New").c_str(), "Q", "1"));
    EXPECT_TRUE(raw::Exists(HKEY_CURRENT_USER, Under(kUser, "New")));
    EXPECT_FALSE(key.SetQwordFromHex(HKEY_CURRENT_USER, "\\Bad", "Q", "1"));
    EXPECT_EQ(key.LastError(), ERROR_BAD_PATHNAME);
}

TEST_F(RegistryKeyTest, PadBytesOnlyEverLengthens) {
    struct Case {
        std::string bytes;
        std::int32_t length;
        std::string padded;
    };
    const Case cases[] = {
        {"abc", 5, std::string("abc\0\0", 5)},
        {"abc", 2, "abc"},
        {"abc", 3, "abc"},
        {"abc", 0, "abc"},
        {"abc", -3, "abc"},
        {"", 3, std::string(3, '\0')},
    };
    for (const Case& c : cases) {
        ByteString bytes = raw::Bytes(c.bytes);
        key.PadBytes(bytes, c.length);
        EXPECT_EQ(bytes, raw::Bytes(c.padded)) << c.bytes << " to " << c.length;
    }
}

TEST(HexToInt64, ReadsTheLastSixteenDigitsSkippingEverythingElse) {
    struct Case {
        const char* text;
        std::int64_t value;
    };
    // clang-format off
    const Case cases[] = {
        {"ab12", 0xab12},
        {"ab-12", 0xab12},
        {"zz", 0},
        {"", 0},
        {nullptr, 0},
        {"F0000000000000000", 0},
        {"FFFFFFFFFFFFFFFF", -1},
        {"7fffffffffffffff", INT64_MAX},
        {"0x1F", 0x1F},
        {"1A2B3", 0x1A2B3},
        {"\xB0\xA1" "1", 0x1},  // each byte of a double-byte character is no digit
        {"1 2 3", 0x123},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(HexToInt64(c.text), c.value) << (c.text ? c.text : "(absent)");
    }
}

// ---- Deleting ----

TEST_F(RegistryKeyTest, DeleteKeySplitsAtTheLastSeparatorAndLeavesTheParentOpen) {
    const std::string parent = Under(kMachine, "A");
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, parent + "\\B"), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, (parent + "\\B").c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, parent + "\\B"));
    EXPECT_TRUE(raw::Exists(HKEY_LOCAL_MACHINE, parent));
    EXPECT_EQ(key.IsOpen, 1);
    EXPECT_EQ(key.CachedRoot, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(key.CachedPath, parent);
}

TEST_F(RegistryKeyTest, DeleteKeyWithoutAParentPathDeletesRightBelowTheRoot) {
    // The hardware profile is a root whose direct children the tests may own.
    for (const char* path : {"ZarvellTest", "\\ZarvellTest"}) {
        ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, testarea::kProfileFromMachine), ERROR_SUCCESS);
        EXPECT_EQ(key.DeleteKey(HKEY_CURRENT_CONFIG, path), ERROR_SUCCESS) << path;
        EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, testarea::kProfileFromMachine)) << path;
        EXPECT_EQ(key.CachedPath, "");
    }
}

TEST_F(RegistryKeyTest, DeleteKeyRefusesAKeyWithSubkeysAndMissingKeys) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "A\\B")), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, Under(kMachine, "A").c_str()), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(raw::Exists(HKEY_LOCAL_MACHINE, Under(kMachine, "A\\B")));
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, Under(kMachine, "Missing").c_str()),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, Under(kMachine, "Missing\\X").c_str()),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.IsOpen, 0);
}

TEST_F(RegistryKeyTest, DeleteKeyOfAPathEndingInASeparatorDeletesNothing) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "A")), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteKey(HKEY_LOCAL_MACHINE, Under(kMachine, "A\\").c_str()),
              ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(raw::Exists(HKEY_LOCAL_MACHINE, Under(kMachine, "A")));
}

TEST(SplitKeyPath, SplitsAtTheLastSeparatorThatIsNotPartOfADoubleByteCharacter) {
    struct Case {
        const char* path;
        const char* parent;
        const char* child;
    };
    // clang-format off
    const Case cases[] = {
        {"A\\B", "A", "B"},
        {"A\\B\\C", "A\\B", "C"},
        {"B", "", "B"},
        {"\\B", "", "B"},
        {"A\\", "A", ""},
        {"", "", ""},
        {nullptr, "", ""},
        {"A\\\x81\x5C", "A", "\x81\x5C"},            // second byte 0x5C is no separator
        {"A\\\xD7\xD6\\B", "A\\\xD7\xD6", "B"},
        {"A\\\x81", "A", "\x81"},                    // a lead byte right before the end
        {"\x81\\\\B", "\x81\\", "B"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const KeyPathSplit split = SplitKeyPath(c.path);
        EXPECT_EQ(split.parent, c.parent) << (c.path ? c.path : "(absent)");
        EXPECT_EQ(split.child, c.child) << (c.path ? c.path : "(absent)");
    }
}

TEST_F(RegistryKeyTest, DeleteValueRemovesOneValueAndReportsAMissingOne) {
    ASSERT_EQ(key.SetIntegerValue(HKEY_CURRENT_USER, kUser, "Gone", 1, REG_DWORD, true), 0);
    ASSERT_EQ(key.SetIntegerValue(HKEY_CURRENT_USER, kUser, "Kept", 1, REG_DWORD, true), 0);
    EXPECT_EQ(key.DeleteValue(HKEY_CURRENT_USER, kUser, "Gone"), ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue(HKEY_CURRENT_USER, kUser, "Gone"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kUser, "Gone").code, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kUser, "Kept").code, ERROR_SUCCESS);
    EXPECT_EQ(key.DeleteValue(HKEY_CURRENT_USER, Under(kUser, "Missing").c_str(), "V"),
              ERROR_FILE_NOT_FOUND);
}

// ---- Reading and listing ----

TEST_F(RegistryKeyTest, EnumSubkeysListsReplacesAndReportsAMissingKey) {
    std::vector<std::string> names{"stale"};
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kMachine), ERROR_SUCCESS);
    EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(key.LastError(), ERROR_SUCCESS);

    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "A")), ERROR_SUCCESS);
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, Under(kMachine, "B")), ERROR_SUCCESS);
    key.Close();
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, kMachine, names), 2);
        EXPECT_EQ(names, (std::vector<std::string>{"A", "B"})) << "replaced, not appended";
        EXPECT_EQ(key.LastError(), ERROR_SUCCESS);
    }

    names = {"kept"};
    EXPECT_EQ(key.EnumSubkeys(HKEY_LOCAL_MACHINE, Under(kMachine, "Missing").c_str(), names),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(names, std::vector<std::string>{"kept"});
    EXPECT_EQ(key.LastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, EnumValuesGivesNameDataAndTypeOfEachValue) {
    ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, kUser, REG_OPTION_VOLATILE), ERROR_SUCCESS);
    ASSERT_EQ(raw::Write(HKEY_CURRENT_USER, kUser, "", REG_SZ, raw::Bytes(std::string("d\0", 2))),
              0);
    ASSERT_EQ(raw::Write(HKEY_CURRENT_USER, kUser, "A", REG_DWORD, raw::Dword(1)), 0);
    ASSERT_EQ(raw::Write(HKEY_CURRENT_USER, kUser, "B", REG_BINARY, {}), 0);

    std::vector<ValueEntry> entries(3);
    ASSERT_EQ(key.EnumValues(HKEY_CURRENT_USER, kUser, entries), 3);
    EXPECT_EQ(key.LastError(), ERROR_SUCCESS);
    EXPECT_EQ(entries[0].name, "");
    EXPECT_EQ(entries[0].data, raw::Bytes(std::string("d\0", 2)));
    EXPECT_EQ(entries[1].name, "A");
    EXPECT_EQ(entries[1].data, raw::Dword(1));
    EXPECT_EQ(entries[1].type, REG_DWORD);
    EXPECT_EQ(entries[2].name, "B");
    EXPECT_TRUE(entries[2].data.empty());
    EXPECT_EQ(entries[2].type, REG_BINARY);

    EXPECT_EQ(key.EnumValues(HKEY_CURRENT_USER, kUser, entries), 3) << "replaced, not appended";
}

TEST_F(RegistryKeyTest, EnumValuesStopsAtANameLongerThanItsBuffer) {
    ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, kUser, REG_OPTION_VOLATILE), ERROR_SUCCESS);
    ASSERT_EQ(raw::Write(HKEY_CURRENT_USER, kUser, "A", REG_DWORD, raw::Dword(1)), 0);
    const std::string longName(300, 'z');
    ASSERT_EQ(raw::Write(HKEY_CURRENT_USER, kUser, longName.c_str(), REG_DWORD, raw::Dword(2)), 0);
    std::vector<ValueEntry> entries;
    EXPECT_EQ(key.EnumValues(HKEY_CURRENT_USER, kUser, entries), 1);
    EXPECT_EQ(key.LastError(), ERROR_MORE_DATA);
}

TEST_F(RegistryKeyTest, EnumValuesOfAMissingKeyLeavesTheListAlone) {
    std::vector<ValueEntry> entries(2);
    EXPECT_EQ(key.EnumValues(HKEY_CURRENT_USER, Under(kUser, "Missing").c_str(), entries),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(entries.size(), 2u);
}

TEST_F(RegistryKeyTest, QueryValueReturnsTwoHundredFiftySixBytesAndTheType) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kMachine), ERROR_SUCCESS);
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kMachine, "D", REG_DWORD, raw::Dword(1)), 0);
    ASSERT_EQ(
        raw::Write(HKEY_LOCAL_MACHINE, kMachine, "S", REG_SZ, raw::Bytes(std::string("abc\0", 4))),
        0);
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kMachine, "Big", REG_BINARY, ByteString(300, 7)), 0);

    ValueEntry entry;
    entry.name = "old";
    EXPECT_EQ(key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "D", entry), ERROR_SUCCESS);
    EXPECT_EQ(entry.type, REG_DWORD);
    EXPECT_EQ(entry.data, Padded256(raw::Dword(1)));
    EXPECT_EQ(entry.name, "D") << "the name field takes the value name";

    EXPECT_EQ(key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "S", entry), ERROR_SUCCESS);
    EXPECT_EQ(entry.type, REG_SZ);
    EXPECT_EQ(entry.data, Padded256(raw::Bytes(std::string("abc\0", 4))));

    EXPECT_EQ(key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "Big", entry), ERROR_MORE_DATA);
    EXPECT_EQ(entry.data.size(), 256u);

    EXPECT_EQ(key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "Missing", entry), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(entry.data, ByteString(256, 0));
}

TEST_F(RegistryKeyTest, QueryValueOfAMissingKeyLeavesTheEntryAlone) {
    ValueEntry entry{"name", {1, 2}, 3};
    EXPECT_EQ(key.QueryValue(HKEY_LOCAL_MACHINE, kMachine, "V", entry), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(entry.name, "name");
    EXPECT_EQ(entry.data, (ByteString{1, 2}));
    EXPECT_EQ(entry.type, 3);
}

TEST_F(RegistryKeyTest, KeyExistsAnswersForEveryRootAndLeavesTheObjectAsItWas) {
    for (sys::KeyHandle root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
                                HKEY_USERS, HKEY_CURRENT_CONFIG}) {
        EXPECT_EQ(key.KeyExists(root, ""), 1) << root;
    }
    ASSERT_NE(key.CreateKey(HKEY_CURRENT_USER, kUser), RegistryKey::kNoKey);
    const sys::KeyHandle open = key.KeyHandle;
    key.LastResult = 77;
    EXPECT_EQ(key.KeyExists(HKEY_CURRENT_USER, Under(kUser, "Missing").c_str()), 0);
    EXPECT_EQ(key.KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE"), 1);
    EXPECT_EQ(key.LastError(), 77);
    EXPECT_EQ(key.IsOpen, 1);
    EXPECT_EQ(key.KeyHandle, open);
    EXPECT_EQ(key.CachedRoot, HKEY_CURRENT_USER);
    EXPECT_EQ(key.CachedPath, kUser);
}

TEST_F(RegistryKeyTest, TypeNameNamesEveryKnownTypeAndRefusesTheRest) {
    // clang-format off
    const std::pair<std::int32_t, std::string> cases[] = {
        {0, "键值非法"}, {1, "REG_SZ"}, {2, "REG_EXPAND_SZ"}, {3, "REG_BINARY"},
        {4, "REG_DWORD"}, {5, "REG_DWORD_BIG_ENDIAN"}, {6, "REG_LINK"}, {7, "REG_MULTI_SZ"},
        {8, "REG_RESOURCE_LIST"}, {9, "NULL"}, {10, "NULL"}, {11, "REG_QWORD"},
        {12, "键值非法"}, {-1, "键值非法"}, {INT32_MIN, "键值非法"},
    };
    // clang-format on
    for (const auto& [type, name] : cases) EXPECT_EQ(key.TypeName(type), name) << type;
}

}  // namespace
