// Sound files for the media tests.
#pragma once

#include <string>

// A silent PCM wave file of the given length in the temporary folder; its path.
std::string WriteWave(const std::string& name, unsigned milliseconds);
