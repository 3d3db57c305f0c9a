// Captions mark their access key with '&' before the key's character; "&&" is a literal ampersand. Both
// desktop toolkits read the marks the same way, so the rules about them are kept here once.
#pragma once

#include <string>

// Whether the caption marks an access key: a '&' before any character but another '&'.
bool HasAccessKey(const std::string& caption);
// The caption as shown and read aloud: the marks removed, "&&" kept as one '&'.
std::string WithoutAccessKey(const std::string& caption);
