// What the tests of the registry's file share: the writer process's command line, a key's values read back
// through the registry, and SQL run on the file past it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/api.h"

// The command line of the writer process (registry_writer.cpp): count values named tag0, tag1... under key.
std::vector<std::string> Writer(const std::string& key, const std::string& tag, int count,
                                const std::string& mode = {});
// A value's bytes, or why it could not be read.
std::string QueryText(const char* path, const std::string& name);
DWORD ValueCount(const char* path);
void Execute(const std::filesystem::path& file, const char* sql);
