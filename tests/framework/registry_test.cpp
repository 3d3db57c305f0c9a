#include <gtest/gtest.h>

#include "framework/registry.h"
#include "tests/support/headless_test.h"
#include "tests/support/raw_registry.h"

namespace {

using RegistryTest = HeadlessTest;

// Counted as OpenKey counts: below the open key, or from the root with a leading backslash or none open.
TEST_F(RegistryTest, KeyExistsLooksWhereOpenKeyWouldOpenAndCreatesNothing) {
    WriteRawString(HKEY_LOCAL_MACHINE, "Software\\Maker\\Program", "value", "text");
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(registry.KeyExists("Software\\Maker"));
    EXPECT_TRUE(registry.KeyExists("software\\MAKER\\program"));  // as the registry compares names
    EXPECT_FALSE(registry.KeyExists("Software\\Other"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Other"));

    registry.OpenKey("Software", false);
    EXPECT_TRUE(registry.KeyExists("Maker\\Program"));
    EXPECT_FALSE(registry.KeyExists("Software\\Maker"));
    EXPECT_TRUE(registry.KeyExists("\\Software\\Maker"));

    registry.SetRootKey(HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.KeyExists("Software\\Maker"));
}

}  // namespace
