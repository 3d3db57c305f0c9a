// GStreamer is started the first time a file is opened, never at program start: loading its plug-in
// registry is not free, and most runs of the clock never play a sound.
#pragma once

namespace gstreamer {

// Initialises GStreamer once, whichever thread asks first; throws Failure when it cannot start, then
// and on every later call.
void EnsureStarted();

}  // namespace gstreamer
