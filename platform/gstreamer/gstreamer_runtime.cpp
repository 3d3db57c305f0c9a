#include "platform/gstreamer/gstreamer_runtime.h"

#include <mutex>
#include <optional>
#include <string>

#include "platform/gstreamer/gst_ptr.h"
#include "platform/gstreamer/gstreamer_failure.h"

namespace gstreamer {

void EnsureStarted() {
    static std::once_flag once;
    static std::optional<std::string> failure;
    std::call_once(once, [] {
        GError* error = nullptr;
        if (!gst_init_check(nullptr, nullptr, &error)) {
            ErrorPtr owned(error);
            failure = "GStreamer cannot start: " + std::string(owned ? owned->message : "unknown error");
        }
    });
    if (failure) throw Failure(*failure);
}

}  // namespace gstreamer
