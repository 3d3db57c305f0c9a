// Asks before destroying anything. Scripts have no one to answer, so end of input means No.
#pragma once

#include <string>

namespace regtool {

// Prints `question` followed by " (Yes/No)? " and reads answers until Yes or No, or the input ends.
bool Confirm(const std::string& question);

}  // namespace regtool
