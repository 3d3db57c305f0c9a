// The message boxes open now, one inside another, which the program may end before the user answers
// (widgetset::Widgetset::EndMessageBoxes).
#pragma once

#include <cstddef>

namespace qtbackend {

std::size_t OpenMessageBoxes();
void EndMessageBoxes(std::size_t depth);

}  // namespace qtbackend
