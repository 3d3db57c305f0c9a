#include <string>

#include "framework/exceptions.h"
#include "settings/settings_store.h"
#include "settings/startup_entry.h"
#include "tests/support/headless_test.h"
#include "tests/support/raw_registry.h"

using namespace std::string_literals;

namespace {

std::optional<RawValue> Stored(const std::string& name) {
    return ReadRawValue(HKEY_CURRENT_USER, SettingsKey, name);
}

}  // namespace

using SettingsStoreTest = HeadlessTest;

TEST_F(SettingsStoreTest, TextsAreStoredWithOneAppendedNulAndReadBackWithout) {
    WriteSetting(SettingsKey, "enabled", "true");
    // "true", the appended NUL and the string's own terminator: six bytes of a string value.
    EXPECT_EQ(Stored("enabled"), (RawValue{REG_SZ, "true\0\0"s}));
    EXPECT_EQ(ReadSetting(SettingsKey, "enabled", ""), "true");
    EXPECT_TRUE(IsSet(ReadSetting(SettingsKey, "enabled", "")));

    WriteSetting(SettingsKey, "hour", "");  // an empty text is a value, not a deletion
    EXPECT_EQ(Stored("hour"), (RawValue{REG_SZ, "\0\0"s}));
    EXPECT_EQ(ReadSetting(SettingsKey, "hour", "default"), "");

    WriteSetting(SettingsKey, "message", "Wake up, it's 7:30 — café");  // kept byte for byte
    EXPECT_EQ(ReadSetting(SettingsKey, "message", ""), "Wake up, it's 7:30 — café");
    // Longer than a first read takes at once, at each length about that bound.
    for (const std::size_t length : {253, 254, 255, 256, 4000}) {
        const std::string path = "/media/" + std::string(length - 7, 'p');
        WriteSetting(SettingsKey, "media", path);
        EXPECT_EQ(ReadSetting(SettingsKey, "media", ""), path) << length;
    }
}

TEST_F(SettingsStoreTest, OnlyTheExactTextTrueIsSet) {
    for (const char* text : {"True", "TRUE", "true ", "1", "yes", ""}) {
        WriteSetting(SettingsKey, "daily", text);
        EXPECT_FALSE(IsSet(ReadSetting(SettingsKey, "daily", ""))) << text;
    }
    EXPECT_FALSE(IsSet(ReadSetting(SettingsKey, "absent", "")));
}

TEST_F(SettingsStoreTest, ReadingAMissingValueGivesTheDefaultAndCreatesNothing) {
    EXPECT_EQ(ReadSetting(SettingsKey, "intro", "false"), "false");
    EXPECT_FALSE(DeleteSetting(SettingsKey, "intro"));  // nothing to delete
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SettingsKey));
    WriteSetting(SettingsKey, "intro", "done");
    EXPECT_TRUE(DeleteSetting(SettingsKey, "INTRO"));  // value names ignore case
    EXPECT_EQ(ReadSetting(SettingsKey, "intro", "false"), "false");
}

TEST_F(SettingsStoreTest, ClearingRemovesTheAlarmAndClearsTheEntryButKeepsDefaultsAndIntro) {
    for (const char* name : setting::kCurrentAlarm) WriteSetting(SettingsKey, name, "x");
    WriteSetting(SettingsKey, setting::kDefaultHour, "7");
    WriteSetting(SettingsKey, setting::kDefaultKeepRunning, "true");
    WriteSetting(SettingsKey, setting::kIntro, "done");
    SetStartupEntry("/opt/alarm clock/bin/alarmclock");

    ClearSettings();
    for (const char* name : setting::kCurrentAlarm) EXPECT_FALSE(Stored(name)) << name;
    EXPECT_EQ(ReadSetting(SettingsKey, setting::kDefaultHour, ""), "7");
    EXPECT_EQ(ReadSetting(SettingsKey, setting::kDefaultKeepRunning, ""), "true");
    EXPECT_EQ(ReadSetting(SettingsKey, setting::kIntro, ""), "done");
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kStartupKey, "alarmclock"));

    ClearSettings();  // with none of the values left it still completes
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kStartupKey, "alarmclock"));
}

TEST_F(SettingsStoreTest, RegistryFailuresPassToTheCallerNamingKeyValueAndCause) {
    // A value of another type read as a string.
    WriteRawDword(HKEY_CURRENT_USER, SettingsKey, "hour", 7);
    try {
        ReadSetting(SettingsKey, "hour", "");
        FAIL() << "a number read as a text must be an error";
    } catch (const ERegistryException& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The value 'hour' in HKEY_CURRENT_USER\\Software\\Vyk\\AlarmClock is not a string (registry "
                  "type 4)");
    }
}
