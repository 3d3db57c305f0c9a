#include "platform/gstreamer/gstreamer_runtime.h"

#include <dlfcn.h>

#include <mutex>
#include <optional>
#include <string>

#include "platform/gstreamer/gstreamer_failure.h"

namespace gstreamer {

namespace {

constexpr const char* kLibrary = "libgstreamer-1.0.so.0";

// A symbol of the library or of the libraries it depends on (GLib's and GObject's).
template <typename Function>
void Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr) throw Failure(std::string(kLibrary) + " lacks " + name);
}

Runtime Load() {
    // Never closed: GStreamer cannot be unloaded once its threads and types exist.
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) throw Failure(std::string("GStreamer is not installed: ") + dlerror());
    Runtime runtime{};
    Resolve(library, "gst_filename_to_uri", runtime.filename_to_uri);
    Resolve(library, "gst_parse_bin_from_description", runtime.parse_bin_from_description);
    Resolve(library, "gst_element_factory_make", runtime.element_factory_make);
    Resolve(library, "gst_object_ref_sink", runtime.object_ref_sink);
    Resolve(library, "gst_object_unref", runtime.object_unref);
    Resolve(library, "gst_mini_object_unref", runtime.mini_object_unref);
    Resolve(library, "gst_element_set_state", runtime.element_set_state);
    Resolve(library, "gst_element_get_state", runtime.element_get_state);
    Resolve(library, "gst_element_seek_simple", runtime.element_seek_simple);
    Resolve(library, "gst_element_get_bus", runtime.element_get_bus);
    Resolve(library, "gst_bus_pop_filtered", runtime.bus_pop_filtered);
    Resolve(library, "gst_message_parse_error", runtime.message_parse_error);
    Resolve(library, "g_object_set", runtime.object_set);
    Resolve(library, "g_error_free", runtime.error_free);
    Resolve(library, "g_free", runtime.free);

    decltype(&gst_init_check) initCheck = nullptr;
    Resolve(library, "gst_init_check", initCheck);
    GError* error = nullptr;
    if (!initCheck(nullptr, nullptr, &error)) {
        const std::string reason = error != nullptr ? error->message : "unknown error";
        if (error != nullptr) runtime.error_free(error);
        throw Failure("GStreamer cannot start: " + reason);
    }
    return runtime;
}

}  // namespace

const Runtime& Started() {
    static std::once_flag once;
    static Runtime runtime{};
    static std::optional<std::string> failure;
    std::call_once(once, [] {
        try {
            runtime = Load();
        } catch (const Failure& loadFailure) {
            failure = loadFailure.what();
        }
    });
    if (failure) throw Failure(*failure);
    return runtime;
}

}  // namespace gstreamer
