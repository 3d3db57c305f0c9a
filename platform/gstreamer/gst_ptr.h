// Owners for GStreamer and GLib references, so that no path through a failure leaks one. They exist only
// once GStreamer has started.
#pragma once

#include <gst/gst.h>

#include <memory>

#include "platform/gstreamer/gstreamer_runtime.h"

namespace gstreamer {

struct ObjectUnref {
    void operator()(gpointer object) const { Started().object_unref(object); }
};
struct MessageUnref {
    void operator()(GstMessage* message) const { Started().mini_object_unref(GST_MINI_OBJECT_CAST(message)); }
};
struct ErrorFree {
    void operator()(GError* error) const { Started().error_free(error); }
};
struct StringFree {
    void operator()(gchar* text) const { Started().free(text); }
};

template <typename T>
using ObjectPtr = std::unique_ptr<T, ObjectUnref>;
using MessagePtr = std::unique_ptr<GstMessage, MessageUnref>;
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;
using StringPtr = std::unique_ptr<gchar, StringFree>;

}  // namespace gstreamer
