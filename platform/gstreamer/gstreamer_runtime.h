// GStreamer is loaded and started the first time a file is opened, never at program start: a run that
// plays nothing neither maps GStreamer and its dependencies nor relocates them, nor reads its plug-in
// registry. A machine without GStreamer still runs the clock; only playing is refused.
#pragma once

#include <gst/gst.h>

namespace gstreamer {

// The functions of the loaded library that the device calls, each named as its own without the prefix.
struct Runtime {
    decltype(&gst_filename_to_uri) filename_to_uri;
    decltype(&gst_parse_bin_from_description) parse_bin_from_description;
    decltype(&gst_element_factory_make) element_factory_make;
    decltype(&gst_object_ref_sink) object_ref_sink;
    decltype(&gst_object_unref) object_unref;
    decltype(&gst_mini_object_unref) mini_object_unref;
    decltype(&gst_element_set_state) element_set_state;
    decltype(&gst_element_get_state) element_get_state;
    decltype(&gst_element_seek_simple) element_seek_simple;
    decltype(&gst_element_get_bus) element_get_bus;
    decltype(&gst_bus_pop_filtered) bus_pop_filtered;
    decltype(&gst_message_parse_error) message_parse_error;
    decltype(&g_object_set) object_set;
    decltype(&g_error_free) error_free;
    decltype(&g_free) free;
};

// Loads and initialises GStreamer once, whichever thread asks first; throws Failure when it cannot, then
// and on every later call.
const Runtime& Started();

}  // namespace gstreamer
