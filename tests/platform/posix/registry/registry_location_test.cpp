// Where the registry lives, and that nobody else can read it.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/api.h"
#include "platform/posix/registry/registry_location.h"
#include "tests/support/temporary_prefix.h"

namespace {

mode_t Mode(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST(RegistryLocation, PrefixFollowsTheEnvironment) {
    ScopedEnvironment home("HOME", "/home/someone");
    {
        // ALARMCLOCK_PREFIX wins when set and non-empty.
        ScopedEnvironment prefix("ALARMCLOCK_PREFIX", "/opt/clock");
        ScopedEnvironment config("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(registry::RegistryPrefix(), "/opt/clock");
        EXPECT_EQ(registry::RegistryDatabasePath(), "/opt/clock/registry.db");
    }
    ScopedEnvironment emptyPrefix("ALARMCLOCK_PREFIX", "");
    {
        // An absolute XDG_CONFIG_HOME is used.
        ScopedEnvironment config("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(registry::RegistryPrefix(), "/xdg/alarmclock");
    }
    {
        // An empty or relative XDG_CONFIG_HOME counts as unset.
        ScopedEnvironment config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(registry::RegistryPrefix(), "/home/someone/.config/alarmclock");
        ScopedEnvironment relative("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(registry::RegistryPrefix(), "/home/someone/.config/alarmclock");
    }
    {
        // With nothing to go on, the registry fails instead of guessing.
        ScopedEnvironment config("XDG_CONFIG_HOME", std::nullopt);
        ScopedEnvironment noHome("HOME", std::nullopt);
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "x", 0, KEY_READ, &key), ERROR_CANTOPEN);
    }
}

TEST(RegistryLocation, FilesAreOwnerOnlyWhateverTheUmask) {
    for (mode_t mask : {mode_t{0}, mode_t{0277}, mode_t{0022}}) {
        TemporaryDirectory directory;
        std::filesystem::permissions(directory.path(), std::filesystem::perms(0755));
        std::filesystem::path prefix = directory.path() / "deep" / "er" / "prefix";
        ScopedEnvironment variable("ALARMCLOCK_PREFIX", prefix.string());
        mode_t saved = umask(mask);
        HKEY key = nullptr;
        LSTATUS status =
            RegCreateKeyExA(HKEY_CURRENT_USER, "x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        umask(saved);
        ASSERT_EQ(status, ERROR_SUCCESS) << "umask " << mask;
        RegCloseKey(key);
        // Every directory we created is 0700, the database and its log 0600; existing directories keep theirs.
        EXPECT_EQ(Mode(directory.path() / "deep"), 0700u) << "umask " << mask;
        EXPECT_EQ(Mode(prefix), 0700u) << "umask " << mask;
        EXPECT_EQ(Mode(prefix / "registry.db"), 0600u) << "umask " << mask;
        EXPECT_EQ(Mode(prefix / "registry.db-wal"), 0600u) << "umask " << mask;
        EXPECT_EQ(Mode(directory.path()), 0755u);
    }
}

}  // namespace
