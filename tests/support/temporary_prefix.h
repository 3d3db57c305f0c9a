// Points the registry at a fresh directory for the lifetime of one test.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Sets an environment variable (or unsets it for nullopt) and puts the old value back afterwards.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    std::optional<std::string> saved_;
};

// A new empty directory in parent that is removed with everything in it at the end.
class TemporaryDirectory {
  public:
    explicit TemporaryDirectory(const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    ~TemporaryDirectory();
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// ALARMCLOCK_PREFIX set to a not yet existing directory inside a temporary one, so the registry creates it.
class TemporaryPrefix {
  public:
    explicit TemporaryPrefix(const std::filesystem::path& parent = std::filesystem::temp_directory_path());

    std::filesystem::path prefix() const { return directory_.path() / "prefix"; }
    std::filesystem::path database() const { return prefix() / "registry.db"; }

  private:
    TemporaryDirectory directory_;
    ScopedEnvironment variable_;
};

// The system's folder in memory (/dev/shm) where there is one, else the temporary folder: for a test whose
// registry takes many writes, each of which would wait for the disk.
std::filesystem::path MemoryFolder();
