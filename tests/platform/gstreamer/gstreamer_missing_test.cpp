// A machine whose GStreamer is unusable: run with a stand-in library of the same name that has none of
// its functions. Opening a file says why it cannot play, every time, and nothing crashes.
#include <gtest/gtest.h>

#include <string>

#include "framework/exceptions.h"
#include "platform/gstreamer/gstreamer_media_device.h"
#include "tests/support/temporary_prefix.h"

namespace {

TEST(GStreamerMissing, OpeningReportsTheFileAndTheReasonEveryTime) {
    TemporaryDirectory directory;
    const std::string file = (directory.path() / "bell.wav").string();
    auto device = CreateGStreamerMediaDevice();
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            device->Open(file);
            FAIL() << "opened without GStreamer";
        } catch (const EMCIDeviceError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find("Cannot open " + file), std::string::npos) << text;
            EXPECT_NE(text.find("libgstreamer-1.0.so.0 lacks gst_filename_to_uri"), std::string::npos) << text;
        }
    }
    EXPECT_THROW(device->Play(nullptr), EMCIDeviceError);
}

}  // namespace
