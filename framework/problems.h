// Failures gathered while something goes on to its end, told afterwards in one box, each cause once: a load
// that reads what it can, an alarm that rings before anything it failed to store is told.
#pragma once

#include <functional>
#include <string>
#include <vector>

class Problems {
  public:
    // Runs a step; a failure is noted and false returned, and the caller goes on with the next.
    bool Try(const std::function<void()>& step);
    void Add(const std::string& text);
    bool None() const { return texts_.empty(); }
    // One error box with every text noted, none when there is none; the notes are then forgotten.
    void Report();

  private:
    std::vector<std::string> texts_;
};
