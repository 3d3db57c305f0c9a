// What went wrong inside GStreamer, in its own words; the device adds the file and the action.
#pragma once

#include <stdexcept>

namespace gstreamer {

class Failure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace gstreamer
