// The policy set across a restart of Wine's server, which unloads the user's hive: run as
// three steps, "Write", then the server is stopped, then "Check".
#include <gtest/gtest.h>

#include "policy/PolicySet.h"
#include "tests/support/RawRegistry.h"

namespace {

TEST(AcrossRestart, Write) {
    RegistryKey key;
    key.Init();
    raw::DeleteTree(HKEY_CURRENT_USER, kChromiumKey);
    raw::DeleteTree(HKEY_LOCAL_MACHINE, kChromeKey);
    ASSERT_TRUE(ApplyPolicySet(key).empty());
    key.Destroy();
    ASSERT_TRUE(raw::Exists(HKEY_CURRENT_USER, kChromiumUrls));
}

TEST(AcrossRestart, Check) {
    // Chromium's keys were created volatile and are gone; Chrome's were stored and stay.
    EXPECT_FALSE(raw::Exists(HKEY_CURRENT_USER, kChromiumKey));
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChromeKey, "AllowOutdatedPlugins").data,
              raw::Dword(1));
    EXPECT_EQ(raw::Read(HKEY_LOCAL_MACHINE, kChromeUrls, "1").data,
              raw::Bytes(std::string("https://*\0", 10)));
    raw::DeleteTree(HKEY_LOCAL_MACHINE, kChromeKey);
}

}  // namespace
