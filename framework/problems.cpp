#include "framework/problems.h"

#include <algorithm>
#include <exception>

#include "framework/application.h"

bool Problems::Try(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        Add(error.what());
        return false;
    }
}

void Problems::Add(const std::string& text) {
    if (std::find(texts_.begin(), texts_.end(), text) == texts_.end()) texts_.push_back(text);
}

void Problems::Report() {
    if (None() || Application == nullptr) return;
    std::string text = texts_.front();
    for (std::size_t i = 1; i < texts_.size(); ++i) text += "\r\r" + texts_[i];
    texts_.clear();
    Application->ShowException(text);
}
