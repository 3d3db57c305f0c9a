#include "tests/support/temporary_prefix.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

ScopedEnvironment::ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) saved_ = old;
    if (value) {
        setenv(name, value->c_str(), 1);
    } else {
        unsetenv(name);
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    if (saved_) {
        setenv(name_.c_str(), saved_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

TemporaryDirectory::TemporaryDirectory(const std::filesystem::path& parent) {
    std::string pattern = (parent / "alarmclock-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed for " + pattern);
    path_ = pattern;
}

TemporaryDirectory::~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

TemporaryPrefix::TemporaryPrefix(const std::filesystem::path& parent)
    : directory_(parent), variable_("ALARMCLOCK_PREFIX", (directory_.path() / "prefix").string()) {}

std::filesystem::path MemoryFolder() {
    const std::filesystem::path memory = "/dev/shm";
    if (std::filesystem::is_directory(memory) && access(memory.c_str(), W_OK) == 0) return memory;
    return std::filesystem::temp_directory_path();
}
