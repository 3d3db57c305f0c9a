// Units of registry writes (BeginRegistryWrites, EndRegistryWrites): kept or undone as one, nested, and
// undone when their file closes, as another process sees them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/registry_error_text.h"
#include "tests/platform/posix/registry/registry_api_fixture.h"
#include "tests/support/denied_registry_key.h"
#include "tests/support/temporary_prefix.h"

namespace {

using RegistryUnit = RegistryApi;
TEST_F(RegistryUnit, AUnitOfWritesIsKeptOrUndoneAsOne) {
    HKEY key = Create(HKEY_CURRENT_USER, "Unit");
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "a", "1"), ERROR_SUCCESS);
    // Deleting what is not there fails alone and changes nothing, so the unit goes on.
    EXPECT_EQ(RegDeleteValueA(key, "never there"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(Create(key, "kept"));
    EXPECT_EQ(Read(key, "a"), std::string("1", 2));  // seen inside
    EXPECT_EQ(ValuesSeenByAnother("Unit"), Names{});
    ASSERT_EQ(EndRegistryWrites(TRUE), ERROR_SUCCESS);
    EXPECT_EQ(ValuesSeenByAnother("Unit"), Names{"a"});

    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "b", "2"), ERROR_SUCCESS);
    HKEY undone = Create(key, "undone");
    EXPECT_EQ(ValueNameAt(key, 1), "b");  // listed inside
    EXPECT_EQ(SubkeyAt(key, 1), "undone");
    ASSERT_EQ(EndRegistryWrites(FALSE), ERROR_SUCCESS);
    EXPECT_EQ(ValueNameAt(key, 1), "error 259");
    EXPECT_EQ(SubkeyAt(key, 0), "kept");
    EXPECT_EQ(SubkeyAt(key, 1), "error 259");
    // The undone key's handle names no key, also once a new key is given the id it had.
    EXPECT_EQ(SetText(undone, "v", "x"), ERROR_KEY_DELETED);
    HKEY next = Create(key, "next");
    ASSERT_EQ(SetText(next, "mine", "1"), ERROR_SUCCESS);
    EXPECT_EQ(Read(undone, "mine"), "error 1018");
    EXPECT_EQ(EndRegistryWrites(TRUE), ERROR_INVALID_FUNCTION);  // no unit is open
    for (HKEY open : {next, undone, key}) RegCloseKey(open);
}

TEST_F(RegistryUnit, UnitsNestAndAnyPartGivenUpOrFailingUndoesTheWhole) {
    HKEY key = Create(HKEY_CURRENT_USER, "Nested");
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "inner", "1"), ERROR_SUCCESS);
    ASSERT_EQ(EndRegistryWrites(TRUE), ERROR_SUCCESS);
    EXPECT_EQ(ValuesSeenByAnother("Nested"), Names{});  // the outermost end decides
    ASSERT_EQ(EndRegistryWrites(TRUE), ERROR_SUCCESS);
    EXPECT_EQ(ValuesSeenByAnother("Nested"), Names{"inner"});

    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "outer", "2"), ERROR_SUCCESS);
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(EndRegistryWrites(FALSE), ERROR_SUCCESS);
    EXPECT_EQ(SetText(key, "later", "3"), ERROR_REQUEST_ABORTED);
    EXPECT_EQ(EndRegistryWrites(TRUE), ERROR_REQUEST_ABORTED);
    EXPECT_EQ(ValueNameAt(key, 1), "error 259");

    // A write the registry refuses (a key a standard user may not change) undoes the writes before it.
    DenyValueChanges(HKEY_CURRENT_USER, "Denied");
    HKEY denied = Create(HKEY_CURRENT_USER, "Denied");
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "before", "4"), ERROR_SUCCESS);
    const LSTATUS refused = SetText(denied, "v", "5");
    EXPECT_NE(refused, ERROR_SUCCESS);
    EXPECT_EQ(SetText(key, "after", "6"), refused);
    EXPECT_EQ(EndRegistryWrites(TRUE), refused);
    EXPECT_NE(RegistryErrorText(refused).find("access denied"), std::string::npos)
        << RegistryErrorText(refused);
    EXPECT_EQ(ValuesSeenByAnother("Nested"), Names{"inner"});
    EXPECT_EQ(ValueNameAt(key, 1), "error 259");
    RegCloseKey(denied);
    RegCloseKey(key);
}

TEST_F(RegistryUnit, AUnitWhoseFileClosesIsUndoneAndItsEndSaysSo) {
    HKEY key = Create(HKEY_CURRENT_USER, "Closed");
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(key, "lost", "1"), ERROR_SUCCESS);
    {
        TemporaryPrefix elsewhere;  // the next call closes the file to open another
        EXPECT_EQ(SetText(HKEY_CURRENT_USER, "there", "2"), ERROR_REQUEST_ABORTED);
    }
    const LSTATUS ended = EndRegistryWrites(TRUE);
    EXPECT_EQ(ended, ERROR_REQUEST_ABORTED);
    EXPECT_NE(RegistryErrorText(ended).find("registry.db: the registry file was closed before the unit"),
              std::string::npos)
        << RegistryErrorText(ended);
    EXPECT_EQ(ValuesSeenByAnother("Closed"), Names{});

    // The file moved away while the unit was open: its end, not each write, finds it, and commits nothing
    // into the file that is gone from its place.
    HKEY again = Create(HKEY_CURRENT_USER, "Closed");
    ASSERT_EQ(BeginRegistryWrites(), ERROR_SUCCESS);
    ASSERT_EQ(SetText(again, "moved", "2"), ERROR_SUCCESS);
    const std::filesystem::path moved = prefix_.database().string() + ".moved";
    std::filesystem::rename(prefix_.database(), moved);
    EXPECT_EQ(EndRegistryWrites(TRUE), ERROR_REQUEST_ABORTED);
    std::filesystem::rename(moved, prefix_.database());
    EXPECT_EQ(ValuesSeenByAnother("Closed"), Names{});
    RegCloseKey(again);
}

}  // namespace
