// The registry's error codes in words, for the boxes that report them.
#include <gtest/gtest.h>

#include "platform/api.h"
#include "platform/registry_error_text.h"

namespace {

TEST(RegistryErrorText, UsesTheSystemWording) {
    // Known codes read as Windows words them; unknown ones still say something.
    EXPECT_EQ(RegistryErrorText(ERROR_FILE_NOT_FOUND), "The system cannot find the file specified.");
    EXPECT_EQ(RegistryErrorText(ERROR_KEY_DELETED),
              "Illegal operation attempted on a registry key that has been marked for deletion.");
    EXPECT_EQ(RegistryErrorText(4242), "Unknown error 4242.");
}

}  // namespace
