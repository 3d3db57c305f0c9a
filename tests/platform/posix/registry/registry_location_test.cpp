// Where the registry lives, and that nobody else can read it.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/api.h"
#include "platform/posix/registry/registry_location.h"
#include "platform/registry_error_text.h"
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

// The user that owns nothing here: root can hand it our files, as another user's files would be.
constexpr uid_t kOtherUser = 65534;

LSTATUS SetText(const char* name, const std::string& text) {
    HKEY key = nullptr;
    LSTATUS status = RegOpenKeyExA(HKEY_CURRENT_USER, "Settings", 0, KEY_ALL_ACCESS, &key);
    if (status != ERROR_SUCCESS) return status;
    status = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status;
}

// The key made, then the value written: a registry's first settings.
LSTATUS CreateText(const char* name, const std::string& text) {
    HKEY key = nullptr;
    const LSTATUS status =
        RegCreateKeyExA(HKEY_CURRENT_USER, "Settings", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    RegCloseKey(key);
    return SetText(name, text);
}

TEST(RegistryLocation, ARegistryOthersCanChangeIsReadButNeverWritten) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path& prefix)> spoil;
        const char* advice;  // in the message, with the path
        bool needsRoot;
    };
    const Case cases[] = {
        {"world-writable prefix", [](const auto& prefix) { chmod(prefix.c_str(), 0777); }, "chmod 700 '",
         false},
        {"world-writable file", [](const auto& prefix) { chmod((prefix / "registry.db").c_str(), 0666); },
         "chmod 600 '", false},
        {"world-writable log", [](const auto& prefix) { chmod((prefix / "registry.db-wal").c_str(), 0646); },
         "chmod 600 '", false},
        {"prefix of another user",
         [](const auto& prefix) { EXPECT_EQ(chown(prefix.c_str(), kOtherUser, -1), 0); }, "chown ", true},
        {"file of another user",
         [](const auto& prefix) { EXPECT_EQ(chown((prefix / "registry.db").c_str(), kOtherUser, -1), 0); },
         "chown ", true},
    };
    for (const Case& test : cases) {
        if (test.needsRoot && geteuid() != 0) continue;  // only root can give a file away
        TemporaryPrefix prefix;
        ASSERT_EQ(CreateText("kept", "mine"), ERROR_SUCCESS);
        test.spoil(prefix.prefix());
        const LSTATUS status = SetText("kept", "planted");
        const std::string text = RegistryErrorText(status);
        EXPECT_EQ(status, ERROR_ACCESS_DENIED) << test.what;
        EXPECT_NE(text.find(test.advice), std::string::npos) << test.what << ": " << text;
        EXPECT_NE(text.find(prefix.prefix().string()), std::string::npos) << test.what << ": " << text;
        EXPECT_EQ(SetText("new", "planted"), ERROR_ACCESS_DENIED) << test.what;
        // What is there can still be read: an armed alarm still rings.
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Settings", 0, KEY_READ, &key), ERROR_SUCCESS) << test.what;
        char data[16] = {};
        DWORD size = sizeof data;
        EXPECT_EQ(RegQueryValueExA(key, "kept", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
                  ERROR_SUCCESS);
        EXPECT_STREQ(data, "mine") << test.what;
        RegCloseKey(key);
    }
}

TEST(RegistryLocation, NoRegistryIsMadeWhereOthersCanWrite) {
    TemporaryDirectory directory;
    const std::filesystem::path prefix = directory.path() / "shared";
    std::filesystem::create_directories(prefix);
    chmod(prefix.c_str(), 0777);
    {
        ScopedEnvironment variable("ALARMCLOCK_PREFIX", prefix.string());
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Settings", 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(std::filesystem::exists(prefix / "registry.db"));
    }
    // One made before it became so is read, with nothing made beside it.
    chmod(prefix.c_str(), 0700);
    {
        ScopedEnvironment variable("ALARMCLOCK_PREFIX", prefix.string());
        ASSERT_EQ(CreateText("armed", "yes"), ERROR_SUCCESS);
    }
    {
        TemporaryPrefix elsewhere;
        EXPECT_EQ(SetText("any", "x"), ERROR_FILE_NOT_FOUND);
    }  // closes the file
    chmod(prefix.c_str(), 0777);
    ScopedEnvironment variable("ALARMCLOCK_PREFIX", prefix.string());
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Settings", 0, KEY_READ, &key), ERROR_SUCCESS);
    char data[16] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, "armed", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(data, "yes");
    RegCloseKey(key);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(prefix), {}), 1) << "only registry.db";
}

}  // namespace
