// Sound files for the media tests.
#pragma once

#include <string>

// A wave file of the given length in the temporary folder, named name (UTF-8); its path.
std::string WriteWave(const std::string& name, unsigned milliseconds);
