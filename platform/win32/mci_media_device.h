// The media device over MCI: one alias per open file, played with notification to a hidden window. The
// end of a playback (or its failure) arrives as MM_MCINOTIFY; the 'aborted' notice that a close during
// playback delivers after the close, and notices of an earlier file, are ignored.
#pragma once

#include <memory>

#include "framework/widgetset/media_device.h"

namespace win32backend {

std::unique_ptr<MediaDevice> CreateMciMediaDevice();

}  // namespace win32backend
