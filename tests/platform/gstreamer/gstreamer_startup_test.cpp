// GStreamer starts at the first Open, not when the program or a device starts. A process of its own, so
// that no other test has started it first.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include "framework/exceptions.h"
#include "platform/gstreamer/gstreamer_media_device.h"
#include "tests/support/temporary_prefix.h"

namespace {

TEST(GStreamerStartup, StartsAtTheFirstOpenEvenWhenItFails) {
    ASSERT_FALSE(gst_is_initialized());
    auto device = CreateGStreamerMediaDevice();
    device->Close();
    EXPECT_FALSE(gst_is_initialized()) << "started before anything was opened";

    TemporaryDirectory directory;
    EXPECT_THROW(device->Open((directory.path() / "missing.wav").string()), EMCIDeviceError);
    EXPECT_TRUE(gst_is_initialized());
}

}  // namespace
