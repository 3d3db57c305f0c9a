// What the device checks of a file name before GStreamer opens it. GStreamer opens the file on the
// interface thread, while the pipeline starts; an open that blocks there (a named pipe without a writer,
// a device) would hang the program for good, so only a regular file is handed on.
#pragma once

#include <string>

namespace gstreamer {

// Throws Failure, saying why, when the name is longer than the system allows or does not name a regular
// file (following symbolic links), or names an empty one. Never blocks on what the name leads to: it looks, it
// does not open.
void CheckMediaFile(const std::string& fileName);

// The name as messages give it: whole, unless it is longer than the system allows; then its beginning.
std::string NameInMessages(const std::string& fileName);

}  // namespace gstreamer
