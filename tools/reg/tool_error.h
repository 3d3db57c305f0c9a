// A failure the tool reports as one "ERROR: ..." line on standard error before exiting with status 1.
#pragma once

#include <stdexcept>
#include <string>

namespace regtool {

class ToolError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace regtool
