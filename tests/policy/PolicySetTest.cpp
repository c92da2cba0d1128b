// The policy set written and removed: on the model on the host, in Wine's registry on Windows.
#include <gtest/gtest.h>

#include <string>

#include "policy/PolicySet.h"
#include "tests/support/AreaTest.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TestArea.h"

namespace {

const std::string kChromium = kChromiumKey;
const std::string kChrome = kChromeKey;

class PolicySetTest : public AreaTest {
protected:
    // Every value of the set is in the registry with its exact type and bytes.
    void ExpectWholeSetWritten(sys::KeyHandle root, const std::string& policyKey) {
        SCOPED_TRACE(policyKey);
        for (const char* name : {"AllowOutdatedPlugins", "RunAllFlashInAllowMode",
                                 "DefaultPluginsSetting", "HardwareAccelerationModeEnabled"}) {
            const raw::Value value = raw::Read(root, policyKey, name);
            EXPECT_EQ(value.type, REG_DWORD) << name;
            EXPECT_EQ(value.data, raw::Dword(1)) << name;
        }
        const std::string urls = policyKey + "\\PluginsAllowedForUrls";
        const raw::Value https = raw::Read(root, urls, "1");
        EXPECT_EQ(https.type, REG_SZ);
        EXPECT_EQ(https.data, raw::Bytes(std::string("https://*\0", 10)));
        const raw::Value http = raw::Read(root, urls, "2");
        EXPECT_EQ(http.type, REG_SZ);
        EXPECT_EQ(http.data, raw::Bytes(std::string("http://*\0", 9)));
    }
};

TEST(HexToInt, ReadsLeadingHexDigitsIntoThirtyTwoBits) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    // clang-format off
    const Case cases[] = {
        {"00000001", 1},  {"", 0},        {nullptr, 0},     {"ff", 255},
        {"FF", 255},      {"1g", 1},      {" 1", 0},        {"-1", 0},
        {"0x10", 0},      {"FFFFFFFF", -1}, {"7fffffff", INT32_MAX},
        {"123456789", HexToInt("23456789")},  // only the last eight digits count
        {"\xC1" "1", 0},  // no byte of 0x80 or above is a digit
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(HexToInt(c.text), c.value) << (c.text ? c.text : "(absent)");
    }
    EXPECT_EQ(static_cast<std::int64_t>(HexToInt("FFFFFFFF")), -1) << "widens with its sign";
}

TEST_F(PolicySetTest, ApplyWritesEveryValueOnAnEmptyArea) {
    EXPECT_TRUE(ApplyPolicySet(key).empty());
    ExpectWholeSetWritten(HKEY_CURRENT_USER, kChromium);
    ExpectWholeSetWritten(HKEY_LOCAL_MACHINE, kChrome);
    // Chromium's keys, made by the tool, are volatile: nothing stored can go below them.
    EXPECT_EQ(raw::Create(HKEY_CURRENT_USER, kChromium + "\\Stored"), ERROR_CHILD_MUST_BE_VOLATILE);
    EXPECT_EQ(raw::Create(HKEY_CURRENT_USER, kChromium + "\\PluginsAllowedForUrls\\Stored"),
              ERROR_CHILD_MUST_BE_VOLATILE);
    EXPECT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kChrome + "\\Stored"), ERROR_SUCCESS);

    // Read back through a key object of its own too, as any other caller would.
    RegistryKey reader;
    reader.Init();
    std::vector<ValueEntry> entries;
    EXPECT_EQ(reader.EnumValues(HKEY_LOCAL_MACHINE, kChromeUrls, entries), 2);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "1");
    EXPECT_EQ(entries[0].data, raw::Bytes(std::string("https://*\0", 10)));
    ValueEntry entry;
    EXPECT_EQ(reader.QueryValue(HKEY_CURRENT_USER, kChromiumKey, "DefaultPluginsSetting", entry),
              0);
    EXPECT_EQ(entry.type, REG_DWORD);
    EXPECT_EQ(entry.data[0], 1);
    reader.Destroy();
}

TEST_F(PolicySetTest, ApplyTwiceOverwritesOursAndKeepsForeignValues) {
    ASSERT_EQ(raw::Create(HKEY_LOCAL_MACHINE, kChrome), ERROR_SUCCESS);
    ASSERT_EQ(
        raw::Write(HKEY_LOCAL_MACHINE, kChrome, "DefaultPluginsSetting", REG_DWORD, raw::Dword(2)),
        0);
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kChrome, "HomepageLocation", REG_SZ,
                         raw::Bytes(std::string("a\0", 2))),
              0);
    EXPECT_TRUE(ApplyPolicySet(key).empty());
    EXPECT_TRUE(ApplyPolicySet(key).empty());
    ExpectWholeSetWritten(HKEY_CURRENT_USER, kChromium);
    ExpectWholeSetWritten(HKEY_LOCAL_MACHINE, kChrome);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChrome, "HomepageLocation").data,
              raw::Bytes(std::string("a\0", 2)));
}

TEST_F(PolicySetTest, RemoveAfterApplyLeavesNoPolicyKey) {
    ASSERT_TRUE(ApplyPolicySet(key).empty());
    EXPECT_TRUE(RemovePolicySet(key).empty());
    EXPECT_FALSE(raw::Exists(HKEY_CURRENT_USER, kChromium));
    EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, kChrome));
}

TEST_F(PolicySetTest, RemoveKeepsWhatOthersPutInThePolicyKeys) {
    ASSERT_TRUE(ApplyPolicySet(key).empty());
    // An administrator's own policy value, a list entry of their own, and another subkey.
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kChrome, "HomepageLocation", REG_SZ,
                         raw::Bytes(std::string("a\0", 2))),
              0);
    ASSERT_EQ(raw::Write(HKEY_LOCAL_MACHINE, kChrome + "\\PluginsAllowedForUrls", "3", REG_SZ,
                         raw::Bytes(std::string("x\0", 2))),
              0);
    ASSERT_EQ(raw::Create(HKEY_CURRENT_USER, kChromium + "\\ExtensionInstallForcelist",
                          REG_OPTION_VOLATILE),
              0);

    EXPECT_TRUE(RemovePolicySet(key).empty());

    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChrome, "HomepageLocation").code, ERROR_SUCCESS);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChrome, "AllowOutdatedPlugins").code,
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChrome + "\\PluginsAllowedForUrls", "3").code,
              ERROR_SUCCESS);
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChrome + "\\PluginsAllowedForUrls", "1").code,
              ERROR_FILE_NOT_FOUND);

    EXPECT_TRUE(raw::Exists(HKEY_CURRENT_USER, kChromium + "\\ExtensionInstallForcelist"));
    EXPECT_FALSE(raw::Exists(HKEY_CURRENT_USER, kChromium + "\\PluginsAllowedForUrls"));
    EXPECT_EQ(raw::Read(HKEY_CURRENT_USER, kChromium, "RunAllFlashInAllowMode").code,
              ERROR_FILE_NOT_FOUND);
}

TEST_F(PolicySetTest, RemoveWithNothingThereChangesNothingAndReportsNothing) {
    EXPECT_TRUE(RemovePolicySet(key).empty());
    EXPECT_FALSE(raw::Exists(HKEY_CURRENT_USER, kChromium));
    EXPECT_FALSE(raw::Exists(HKEY_LOCAL_MACHINE, kChrome));
    EXPECT_TRUE(RemovePolicySet(key).empty());
}

}  // namespace
