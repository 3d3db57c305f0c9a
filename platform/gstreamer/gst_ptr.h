// Owners for GStreamer and GLib references, so that no path through a failure leaks one.
#pragma once

#include <gst/gst.h>

#include <memory>

namespace gstreamer {

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
struct MessageUnref {
    void operator()(GstMessage* message) const { gst_message_unref(message); }
};
struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
struct StringFree {
    void operator()(gchar* text) const { g_free(text); }
};

template <typename T>
using ObjectPtr = std::unique_ptr<T, ObjectUnref>;
using MessagePtr = std::unique_ptr<GstMessage, MessageUnref>;
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;
using StringPtr = std::unique_ptr<gchar, StringFree>;

}  // namespace gstreamer
