// A test with a key object of its own on a fresh test area, checked for leaks at its end.
#pragma once

#include <gtest/gtest.h>

#include "registry/RegistryKey.h"
#include "tests/support/TestArea.h"

class AreaTest : public ::testing::Test {
protected:
    void SetUp() override {
        testarea::Reset();
        key.Init();
    }
    void TearDown() override {
        key.Destroy();
        EXPECT_EQ(testarea::OpenHandles(), 0u) << "a key handle was left open";
        testarea::Reset();
    }
    RegistryKey key;
};
