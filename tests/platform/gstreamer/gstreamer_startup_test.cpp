// GStreamer is loaded and started at the first Open, not when the program or a device starts. A process
// of its own, so that no other test has loaded it first.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/exceptions.h"
#include "platform/gstreamer/gstreamer_media_device.h"
#include "tests/support/temporary_prefix.h"

namespace {

bool Mapped(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(library) != std::string::npos) return true;
    }
    return false;
}

TEST(GStreamerStartup, IsLoadedAndStartedAtTheFirstOpenEvenWhenItFails) {
    ASSERT_FALSE(Mapped("libgstreamer-1.0")) << "linked into the program";
    auto device = CreateGStreamerMediaDevice();
    device->Close();
    EXPECT_FALSE(Mapped("libgstreamer-1.0")) << "loaded before anything was opened";

    TemporaryDirectory directory;
    EXPECT_THROW(device->Open((directory.path() / "missing.wav").string()), EMCIDeviceError);
    void* library = dlopen("libgstreamer-1.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr) << "not loaded by the first Open";
    const auto initialized = reinterpret_cast<int (*)()>(dlsym(library, "gst_is_initialized"));
    ASSERT_NE(initialized, nullptr);
    EXPECT_TRUE(initialized());
    dlclose(library);  // drops only the reference taken here
}

}  // namespace
